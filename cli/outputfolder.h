#pragma once

#include <QString>
#include <optional>

// Why the output path's folder cannot take the files: it is missing, is no folder, or cannot be written.
// nullopt when it can.
std::optional<QString> OutputFolderProblem(const QString& outputPath);
