#pragma once

#include "codecs/jpeg/window/jpegstructure.h"
#include "codecs/jpeg/window/scanwalker.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

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

// The same, with a second thread that starts walking at `secondStart`, guessing an MCU starts there
// (`walker` starts at `dataOffset` in `file`). Huffman codes fall into step after a few blocks, so the
// MCUs it walks soon start where the true ones do: the first walker looks for a bit at which both start an
// MCU, from where the second's MCUs are known and its DC values are off by what the first knows. The first
// then hands on the rows the second has passed while the second walks to the rest. When no such bit turns
// up, the first walker goes on alone.
bool WalkToRowsShared(ScanWalker& walker, std::span<const std::uint8_t> file, std::size_t dataOffset,
                      const WindowRows& rows, std::size_t secondStart, const RowSink& sink);
