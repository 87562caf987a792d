#pragma once

#include "fuzz/seeds/seed.h"

// Pictures and bare headers written byte by byte: every GIF (Qt has no GIF writer), PNG and BMP variants Qt
// does not write (interlaced, top-down, run-length), and the headers alone that the size probe reads.
Seeds HandBuiltPictures();
