#include "codecs/jpeg/window/dcrecoder.h"

#include "codecs/jpeg/stream/huffmancode.h"

DcRecoder::DcRecoder() : codewords_(codewordsOf(table())) {}

HuffmanTable DcRecoder::table()
{
    // Categories 0..14 get four-bit codes, 15 a five-bit one (no code may be all ones).
    HuffmanTable definition;
    definition.countsByLength[4] = 15;
    definition.countsByLength[5] = 1;
    for (int category = 0; category <= largestDcCategory; ++category)
        definition.symbols.push_back(std::uint8_t(category));
    return definition;
}

bool DcRecoder::put(BitWriter& out, int component, std::int64_t value)
{
    std::int64_t& previous = previous_[std::size_t(component)];
    const std::int64_t difference = value - previous;
    const int category = categoryOf(difference);
    if (category > largestDcCategory)
        return false;
    previous = value;
    const Codeword& code = codewords_[std::size_t(category)];
    out.put(code.bits, code.length);
    out.put(magnitudeBits(difference, category), category);
    return true;
}
