#pragma once

#include <csetjmp>

// libjpeg and libpng report errors by jumping out of their own code. Runs `step`, returning false when
// the library's error handler jumped back to `jump`. The jump skips destructors, so `step` must create
// no object that has one; buffers it fills are made before and outlive it.
template <typename Step> bool runGuarded(std::jmp_buf& jump, Step&& step)
{
    if (setjmp(jump) != 0)
        return false;
    step();
    return true;
}
