#pragma once

#include "fuzz/seeds/seed.h"

// Small pictures written by Qt's own writers: PNG in each colour type, baseline and progressive JPEG, BMP.
Seeds QtWrittenPictures();
