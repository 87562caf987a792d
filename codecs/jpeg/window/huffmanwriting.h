#pragma once

#include "codecs/jpeg/stream/jpegstructure.h"

#include <array>
#include <cstdint>
#include <vector>

// The magnitude category of a value (T.81, F.1.2.1.1, Tables F.1 and F.2): how many bits its magnitude
// takes.
int categoryOf(std::int64_t value);

// The `category` bits that follow a value's code (T.81, F.1.2.1.1): the value when positive, the value
// minus one (its low bits) when negative.
std::uint32_t magnitudeBits(std::int64_t value, int category);

// The code of each symbol of a Huffman table, as an encoder writes it (T.81, Annex C); a symbol the table
// does not hold has length 0.
struct Codeword
{
    std::uint16_t bits = 0;
    int length = 0;
};
using Codewords = std::array<Codeword, 256>;
Codewords codewordsOf(const HuffmanTable& definition);

// A Huffman table and the slot it fills: the table class (0 DC, 1 AC) in the high four bits, the slot in
// the low four.
struct SlottedTable
{
    std::uint8_t classAndSlot = 0;
    HuffmanTable definition;
};

// Appends a DHT segment that defines `tables` (T.81, B.2.4.2).
void appendHuffmanTables(std::vector<std::uint8_t>& out, const std::vector<SlottedTable>& tables);
