// The histogram of a trailing window kept up to date as the window slides one beat at a
// time: each step changes two bins instead of recounting the window.
#pragma once

#include "histogram.h"
#include "par_flank.h"

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
    uint8_t sym() const { return symFromBins(h_.AMo, symBins_); }  // SYM of histo()
    uint8_t par() const { return par_; }                           // PAR of histo()

private:
    void add(int v, int pos);
    void remove(int v);
    void recount(int v, int before);
    void followSymLevel();

    int sample_;
    Histogram h_;
    // Position of each bin's last occurrence, valid while its count is non-zero: the beat
    // leaving the window is always the oldest, so it never holds a bin's last occurrence
    // unless that bin empties.
    std::array<int32_t, kHistoBins> lastPos_{};
    std::array<int32_t, kBins50> last50_{};
    uint16_t peak50_ = 0;
    int lo_ = kHistoBins - 1, hi_ = 0;  // the lowest and highest non-empty bins
    // SYM counts the bins of kFirstXBin..kLastXBin above AMo / 5: those bins by count, the
    // least count included (AMo / 5 + 1), and how many bins have at least that.
    // A window briefly holds sample + 1 beats while it slides; index 0 is never read.
    std::array<int32_t, kMaxSample + 2> binsWithCount_{};
    int symLevel_ = 1;
    int symBins_ = 0;
    SlidingPar pars_;
    uint8_t par_ = 0;
};

}  // namespace trivant
