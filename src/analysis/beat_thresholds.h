// The time-varying thresholds of the artifact classification (beat_classes.h) and the
// decision rule of Lipponen & Tarvainen (2019) on one beat's normalised differences.
#pragma once

#include "beat_classes.h"

#include <cstddef>
#include <vector>

namespace trivant {

inline constexpr double kThresholdAlpha = 5.2;
inline constexpr size_t kThresholdWindow = 91;  // beats the quartile deviations span
inline constexpr size_t kMedianWindow = 11;     // beats the local median spans

// Per interval, in ms: th1 of the successive differences, th2 of the differences from the
// local median (negative ones doubled), and that median. Windows keep their width near the
// ends by sliding inward; a series shorter than a window uses all of it. Non-finite values
// count as 0, and both thresholds stay above a small share of the median, so a flat series
// divides by no zero.
struct BeatThresholds {
    std::vector<double> th1;
    std::vector<double> th2;
    std::vector<double> median;
};
BeatThresholds ComputeBeatThresholds(const std::vector<double>& rrMs);

// Quantiles (numpy's linear kind) of finite values over a window of width that slides one
// value at a time: a sorted copy of the window, one value replaced per step rather than
// sorted anew.
std::vector<double> SlidingQuantile(const std::vector<double>& values, size_t width, double q);
std::vector<double> SlidingQuartileDeviation(const std::vector<double>& values, size_t width);

// One beat's differences, each divided by th1: dRR of the beat before, of the beat, and of
// the two after; and its difference from the median divided by th2.
struct BeatFeatures {
    double dPrev = 0;
    double d = 0;
    double dNext = 0;
    double dNext2 = 0;
    double m = 0;
};
enum class PaperRule { None, Ectopic, LongShort };
// The subspace rule: ectopic from (S11, S12), long or short from (S21, S22) or |mRR| > 3.
PaperRule ApplyPaperRule(const BeatFeatures& f);

// The method as published, one beat at a time on the raw series (every beat judged from its
// own neighbours, corrected or not); kept to measure what the robust classification adds.
std::vector<BeatClass> ClassifyBeatsPlain(const std::vector<double>& rrMs);

}  // namespace trivant
