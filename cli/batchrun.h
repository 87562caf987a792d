#pragma once

#include "cli/batchoptions.h"

#include <cstdio>

// Trims and saves each picture in turn exactly as a drop on the window does: the output path gets its serial
// before each file and moves on to the next serial after each successful save, so a failed file leaves the
// serial for the next one. Writes one line per file to `lines`, and the progress to `progress` when it is
// not null. Returns how many files failed.
int RunBatch(const BatchOptions& options, std::FILE* lines, std::FILE* progress);
