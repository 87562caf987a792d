#pragma once

#include "codecs/jpeg/stream/scanwalker.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

// The walk of a sequential scan to the starts of a window's rows of MCUs, by one thread or shared between
// two. Huffman-coded data gives no way to find an MCU but to decode every MCU before it, so the walk to a
// window near a large picture's bottom is most of the work of cutting it.
//
// How two threads share it:
// - The first walker starts at the data's start and walks as one thread alone would, noting the row
//   starts it passes. Its marks are always right.
// - The second walker starts at a byte further on (`secondStart`), guessing an MCU starts there with DC
//   values of 0, and logs where each MCU it walks starts (data bits from its start, byte and bit, DC
//   values). Bits that start no code mean the guess has not fallen into step yet (or the data is damaged):
//   it starts again a byte further on, a limited number of times. Only its last walk can be confirmed.
// - Huffman codes fall into step after a few blocks: the second's MCUs soon start where the true ones do.
//   Once past the second's start, the first looks in the log, at each MCU start it reaches, for an entry
//   at the same data bit. Such an entry confirms the guess from there on: the second's MCU indexes are off
//   by the difference of the two indexes, its DC values by the difference of the two walkers' DC values.
// - The first gives its verdict (confirmed, or refused when the log ends without a match) and the second
//   replies: it takes over, walking on to the window's last row with the corrections applied; or its log
//   already reaches the data's end; or it cannot (the match lies in an earlier walk than its last). Without
//   a second walker that counts, the first walks on alone.
// - While the second walks on, the first hands on the rows known so far (from its own marks, and from the
//   log, corrected); the rest are handed on once the second thread has ended.
// Every row start handed on is one a walker from the data's start reached or confirmed, so the rows are
// the ones a single thread finds, wherever the second starts.

// The rows of a window's MCUs: the index in the scan of the MCU that starts each row's part inside the
// window, one row of MCUs apart.
struct WindowRows
{
    std::int64_t firstStart = 0;
    std::int64_t mcusPerRow = 1;
    std::int64_t count = 0;

    std::int64_t startOf(std::int64_t row) const { return firstStart + row * mcusPerRow; }
};

// Takes the window's rows in order, each with the mark where it starts, and may use `walker` (free at the
// time, over the same file) to read the row from there on. False to stop.
using RowSink = std::function<bool(ScanWalker& walker, const ScanWalker::Mark& rowStart)>;

// Walks `walker` from the data's start to the start of the window's last row, then hands every row to
// `sink`. False when the data cannot be decoded that far or the sink stops.
bool WalkToRowsAlone(ScanWalker& walker, const WindowRows& rows, const RowSink& sink);

// The same, shared with a second thread whose walker starts at `secondStart` (`walker` starts at
// `dataOffset` in `file`), as told above. Walks alone when no second thread can start, or when the walks
// going on in the process (several pictures cut at once) leave no core for one.
bool WalkToRowsShared(ScanWalker& walker, std::span<const std::uint8_t> file, std::size_t dataOffset,
                      const WindowRows& rows, std::size_t secondStart, const RowSink& sink);
