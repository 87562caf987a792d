#pragma once

#include "codecs/jpeg/stream/jpegstructure.h"

// True when every scan of a progressive frame is well formed (a DC scan holds coefficient 0 alone, an AC
// scan one component and a band inside 1..63, a refinement lowers the precision by one bit), each scan
// follows the one before it on the same coefficients (AC only after DC, refinements in order) and the
// scans leave every coefficient of every component at full precision. A decoder smooths the blocks of a
// frame that stops short of that, so the coefficients alone no longer give its pixels.
bool FollowsCompleteProgression(const JpegStructure& structure);
