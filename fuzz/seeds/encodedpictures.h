#pragma once

#include "fuzz/seeds/seed.h"

// Pictures whose data an encoder wrote with options Qt's writers do not offer: JPEG pictures written by
// libjpeg (CMYK and YCCK, arithmetic coding, restarts, scans per component, progressive scripts complete
// or stopping short, large sampling factors) and GIF images whose data an LZW encoder wrote (smaller first
// images, local tables, interlace, transparency).
Seeds EncodedPictures();
