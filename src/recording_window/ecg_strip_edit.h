// What hand edits on the ECG strip need: the R peak nearest a clicked instant, the R mark
// under the pointer, and the interval an instant falls in. Plain functions over samples.
#pragma once

#include "ecg_strip_layout.h"

#include <cstdint>
#include <vector>

namespace trivant {

constexpr double kRPeakSearchS = 0.1;  // an R peak is looked for this far either side
constexpr double kEcgGrabMm = 1.5;     // a mark is grabbed this close to its x

// The sample of mv (samples first .. first + n - 1, in mV) within searchS of at whose
// distance from the local baseline, the median of the samples within twice that, is largest;
// of equals the one nearest at, and at itself when no sample lies near it.
int64_t NearestRPeak(const float* mv, int64_t first, int64_t n, int64_t at, double rateHz,
                     double searchS = kRPeakSearchS);

// The position k of the R peak in beats (ascending samples) whose mark lies nearest x and
// within maxPx of it; -1 for none.
int EcgMarkAt(const std::vector<int64_t>& beats, const EcgStripLayout& L, double x, double maxPx);

// The interval k (1..beats.size() - 1) whose R peaks beats[k - 1] and beats[k] the sample lies
// strictly between; 0 for none.
int EcgIntervalAt(const std::vector<int64_t>& beats, int64_t sample);

}  // namespace trivant
