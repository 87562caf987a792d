#pragma once

#include "trim/jpeg/jpegstructure.h"
#include "trim/jpeg/scanwalker.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The rows of a window's MCUs: the index in the scan of the MCU that starts each row's part inside the
// window, one row of MCUs apart.
struct WindowRows
{
    std::int64_t firstStart = 0;
    std::int64_t mcusPerRow = 1;
    std::int64_t count = 0;

    std::int64_t startOf(std::int64_t row) const { return firstStart + row * mcusPerRow; }
};

// Where each window row starts in the data, for ScanWalker::resume().
using RowMarks = std::vector<ScanWalker::Mark>;

// Walks `walker` from the data's start to the start of the window's last row. Nullopt when the data
// cannot be decoded that far.
std::optional<RowMarks> MarkRowsAlone(ScanWalker& walker, const WindowRows& rows);

// The same marks, found by `walker` (from the data's start, at `dataOffset` in `file`) and a second thread
// that starts walking at `secondStart`, guessing an MCU starts there. Huffman codes fall into step after a
// few blocks, so the MCUs it walks soon start where the true ones do: the first walker, from the data's
// start, looks for a bit at which both start an MCU, from where the second's MCUs are known and its DC values
// are off by what the first knows. When no such bit turns up, the first walker goes on alone.
std::optional<RowMarks> MarkRowsShared(ScanWalker& walker, std::span<const std::uint8_t> file,
                                       std::size_t dataOffset, const WindowRows& rows,
                                       std::size_t secondStart);
