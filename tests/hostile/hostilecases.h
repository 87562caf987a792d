#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <ostream>

// The damaged and hostile pictures every whole-drop test takes through, with what must come of each.
// The target is 240x320 and the preview area 480x800, so the intact 600x800 picture gives a 480x640 crop at
// (60, 80): its last row is row 719.
inline constexpr QSize IntactSize(600, 800);
inline constexpr int CropTop = 80;
inline constexpr int CropLastRow = 719;

enum class Outcome {
    Refused,                     // a message naming the picture; nothing saved, the serial stays
    IntactOrRefused,             // refused as above, or saved with exactly the intact picture's crop
    SavedBlackBeyond,            // saved; colour indexes beyond the palette come out black
    SavedIndexZeroBeyondTheRuns, // saved; pixels no run reaches take colour 0, red
};

struct HostileCase
{
    const char* name;
    const char* fileName;
    QByteArray bytes;
    // The undamaged picture, for the cases whose crop may still be whole.
    QByteArray intact;
    Outcome outcome;
};

QList<HostileCase> HostileCases();

// Test names and failure reports show the case by its name.
inline void PrintTo(const HostileCase& hostile, std::ostream* stream)
{
    *stream << hostile.name;
}
