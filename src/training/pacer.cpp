#include "pacer.h"

#include <algorithm>
#include <cmath>

namespace trivant {

Pacer ClampedPacer(double rateBpm, double inhaleShare) {
    Pacer p;
    if (std::isfinite(rateBpm)) {
        const double r = std::round(rateBpm / kPacerRateStep) * kPacerRateStep;
        p.rateBpm = std::clamp(r, kPacerMinRate, kPacerMaxRate);
    }
    if (std::isfinite(inhaleShare))
        p.inhaleShare = std::clamp(inhaleShare, kPacerMinInhale, kPacerMaxInhale);
    return p;
}

PacerState PacerAt(const Pacer& p, double sinceStartS) {
    const double cycle = p.cycleS(), inhale = p.inhaleS();
    double t = std::fmod(std::max(0.0, sinceStartS), cycle);
    PacerState s;
    constexpr double kPi = 3.14159265358979323846;
    if (t < inhale) {
        s.inhale = true;
        s.height = 0.5 - 0.5 * std::cos(kPi * t / inhale);
    } else {
        s.inhale = false;
        s.height = 0.5 + 0.5 * std::cos(kPi * (t - inhale) / (cycle - inhale));
    }
    return s;
}

std::vector<TimeSpan> InhaleSpans(const Pacer& p, double originS, double fromS, double toS) {
    std::vector<TimeSpan> out;
    const double cycle = p.cycleS();
    const double first = std::floor((std::max(fromS, originS) - originS) / cycle);
    for (double c = first; originS + c * cycle < toS; ++c) {
        const double a = std::max({originS + c * cycle, fromS, originS});
        const double b = std::min(originS + c * cycle + p.inhaleS(), toS);
        if (a < b)
            out.push_back({a, b});
    }
    return out;
}

}  // namespace trivant
