#pragma once

#include "trim/dropsequence.h"
#include "trim/trimsettings.h"

#include <QString>
#include <QStringList>
#include <optional>

// The most pictures trimmed at once.
inline constexpr int MostJobs = 64;

// What one run of kadrelle-trim does: the output path (given its serial as a drop does), the sizes of the
// trim, the picture files and folders to trim, in order, and how.
struct BatchOptions
{
    QString outputPath;
    TrimSettings settings{240, 320, 480, 800};
    QStringList inputPaths;
    bool recursive = false;
    ExistingOutput existing = ExistingOutput::Replace;
    // How many pictures are trimmed at once; the cores this process may run on unless given.
    int jobs = 1;
};

// The usage text that --help prints.
QString BatchHelpText();

// Reads the command line (arguments[0] is the program). Nullopt with a message in `error` for arguments that
// cannot be used; `helpWanted` is set when --help was given.
std::optional<BatchOptions> ParseBatchOptions(const QStringList& arguments, bool& helpWanted, QString& error);
