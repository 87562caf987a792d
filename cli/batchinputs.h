#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// One picture of a batch.
struct BatchInput
{
    QString picturePath;
    // The file's size in bytes (0 when it cannot be told), which bounds how many files are read at once.
    std::uintmax_t fileSize = 0;
    // Why this input holds no picture to trim (a folder that cannot be listed); empty otherwise.
    QString failure;
};

// The pictures the arguments name, in the order they are trimmed and numbered. A file stands for itself,
// whatever its name. A folder stands for the picture files directly inside it (names ending in .bmp, .gif,
// .jpg, .jpeg or .png in any letter case, not hidden), in the order of their names' bytes (the C
// collation); with `recursive` also for its subfolders' pictures, each subfolder's in its name's place.
// Subfolders reached through symbolic links are left out, so a link back up cannot make the walk endless.
// A folder that cannot be listed stands for one failing input.
std::vector<BatchInput> ListBatchInputs(const QStringList& arguments, bool recursive);
