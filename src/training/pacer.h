// The breathing pacer: a rate and an inhale share, and where in the breath a moment falls.
#pragma once

#include <vector>

namespace trivant {

constexpr double kPacerMinRate = 3.0, kPacerMaxRate = 10.0, kPacerRateStep = 0.5;
constexpr double kPacerDefaultRate = 6.0;
constexpr double kPacerMinInhale = 0.30, kPacerMaxInhale = 0.50, kPacerDefaultInhale = 0.40;

struct Pacer {
    double rateBpm = kPacerDefaultRate;        // breaths per minute
    double inhaleShare = kPacerDefaultInhale;  // of each breath

    double cycleS() const { return 60.0 / rateBpm; }
    double inhaleS() const { return cycleS() * inhaleShare; }
};

// The rate on the 0.5 grid within 3..10 and the share within 30..50 %.
Pacer ClampedPacer(double rateBpm, double inhaleShare);

struct PacerState {
    bool inhale = true;
    double height = 0;  // of the bar, 0 at the end of exhaling, 1 at the end of inhaling
};

// Each breath starts with inhaling at whole cycles since the start (0 s); the bar follows a
// half cosine up and down, so it starts and stops gently.
PacerState PacerAt(const Pacer& p, double sinceStartS);

// The inhaling spans within fromS..toS of a pacer started at originS, clipped to them.
struct TimeSpan {
    double fromS = 0, toS = 0;
};
std::vector<TimeSpan> InhaleSpans(const Pacer& p, double originS, double fromS, double toS);

}  // namespace trivant
