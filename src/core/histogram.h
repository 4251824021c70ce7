// Interval histogram of a trailing window of beats, in 10 ms and 50 ms bins, with the
// variational-pulsometry indices taken from it.
#pragma once

#include "core_settings.h"

#include <array>
#include <cstdint>

namespace trivant {

constexpr int kHistoBins = 256;
constexpr int kAMoCap = 250;    // AMo and AMo50 never exceed this
constexpr int kFirstXBin = 6;   // bins below never become XMin
constexpr int kLastXBin = 249;  // bins above never become XMax

struct Histogram {
    // Counts are 16-bit so that a bin never wraps, whatever the window (at most 500).
    std::array<uint16_t, kHistoBins> HistoBuf{};
    std::array<uint16_t, kHistoBins> Histo50Buf{};
    uint8_t XMin = 0, XMax = 0, Moda = 0, AMo = 0, DeltaX = 0;
    uint8_t XMin50 = 0, XMax50 = 0, Moda50 = 0, AMo50 = 0, DeltaX50 = 0;
    uint16_t peak = 0;  // largest 10 ms bin count, before the cap at kAMoCap
    // The window itself: its length and the sums of its RR values (10 ms units) and
    // their squares, exact, for SDNN.
    int32_t windowLen = 0, windowSum = 0, windowSumSq = 0;
};

// Window of beat k: the min(k, sample) beats k - n + 1 .. k of rr (indexed from 1), sample
// clamped to kMinSample..kMaxSample.
// Moda keeps its previous value when the window is empty.
void buildHisto(const uint8_t* rr, int k, int sample, Histogram& h);

// Fills XMin, XMax and DeltaX from counts that are zero outside lo..hi (both bin widths).
void histoSpread(const uint16_t* counts, int lo, int hi, uint8_t& xMin, uint8_t& xMax,
                 uint8_t& deltaX);

}  // namespace trivant
