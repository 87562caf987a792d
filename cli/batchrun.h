#pragma once

#include "cli/batchoptions.h"

#include <cstdio>

struct BatchCounts
{
    qsizetype saved = 0;
    qsizetype failed = 0;
};

// Trims and saves each picture the inputs name exactly as a drop on the window does, several at once as
// options.jobs allows, but numbered in input order: before each picture the output path gets its serial,
// and it moves on to the next serial after each successful save, so a failed picture leaves the serial
// for the next one whatever order the pictures finish in. Writes one line per picture to `lines`, in input
// order, and the progress to `progress` when it is not null.
BatchCounts RunBatch(const BatchOptions& options, std::FILE* lines, std::FILE* progress);
