// A fresh recording for each input. Allocating and zeroing 300 KB per input cost more
// than the code under test; the working copy keeps its buffers and is reset from a
// pristine one.
#pragma once

#include "recording.h"

inline trivant::Recording& FreshRecording() {
    static const trivant::Recording pristine;
    static trivant::Recording work;
    work = pristine;
    return work;
}
