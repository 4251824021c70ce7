// The histogram of a trailing window kept up to date as the window slides one beat at a
// time: each step changes two bins instead of recounting the window.
#pragma once

#include "histogram.h"

#include <array>
#include <cstdint>

namespace trivant {

class SlidingHisto {
public:
    explicit SlidingHisto(int sample) : sample_(ClampSample(sample)) {}

    // Moves the window to end at beat k of rr (indexed from 1). Steps go 1, 2, 3, ...;
    // after each, histo() equals what buildHisto gives for k.
    void slide(const uint8_t* rr, int k);
    const Histogram& histo() const { return h_; }

private:
    void add(int v, int pos);
    void remove(int v);

    int sample_;
    Histogram h_;
    // Position of each bin's last occurrence, valid while its count is non-zero: the beat
    // leaving the window is always the oldest, so it never holds a bin's last occurrence
    // unless that bin empties.
    std::array<int32_t, kHistoBins> lastPos_{};
    std::array<int32_t, kBins50> last50_{};
    uint16_t peak50_ = 0;
    int lo_ = kHistoBins - 1, hi_ = 0;  // the lowest and highest non-empty bins
};

}  // namespace trivant
