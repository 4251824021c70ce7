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
constexpr int kBins50 = 52;     // 255 / 5 rounded up, plus one

// 50 ms bin b holds the 10 ms bins v with v / 5 rounded to b: 5b - 2 .. 5b + 2.
constexpr int bin50(int v) {
    return (v + 2) / 5;
}

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

// Mode of counts that are zero outside lo..hi: the largest count, and among the bins holding
// it the one whose last occurrence in the window (lastPos, valid where a count is non-zero)
// comes earliest. peak is the count found; moda stays as it was when every count is zero.
void pickMode(const uint16_t* counts, const int32_t* lastPos, int lo, int hi, uint16_t& peak,
              uint8_t& moda);

// Fills XMin, XMax and DeltaX from counts that are zero outside lo..hi (both bin widths).
void histoSpread(const uint16_t* counts, int lo, int hi, uint8_t& xMin, uint8_t& xMax,
                 uint8_t& deltaX);

// Indices of a histogram, shared by the per-beat build and the sliding window of
// PrepareData (PAR: par_flank.h). k is the window's last beat.
uint8_t symOf(const Histogram& h);
// SYM from AMo and the number of bins in XMin..XMax with a count above AMo / 5.
uint8_t symFromBins(int amo, int bins);
uint8_t sdnnOf(const Histogram& h);  // from the window sums
int32_t ib50Of(const Histogram& h, int k, const CoreSettings& cfg);

}  // namespace trivant
