#pragma once

#include "trim/trimsettings.h"

#include <QString>
#include <QStringList>
#include <optional>

// What one run of kadrelle-trim does: the output path (given its serial as a drop does), the sizes of the
// trim and the pictures to trim, in order.
struct BatchOptions
{
    QString outputPath;
    TrimSettings settings{240, 320, 480, 800};
    QStringList picturePaths;
};

// The usage text that --help prints.
QString BatchHelpText();

// Reads the command line (arguments[0] is the program). Nullopt with a message in `error` for arguments that
// cannot be used; `helpWanted` is set when --help was given.
std::optional<BatchOptions> ParseBatchOptions(const QStringList& arguments, bool& helpWanted, QString& error);
