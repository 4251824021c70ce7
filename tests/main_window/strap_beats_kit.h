// A strap's notification log made from a heart rhythm, for recordings played by a replay.
#pragma once

#include "strap_log.h"

#include <cmath>
#include <functional>
#include <vector>

namespace trivant::test {

// One beat per notification for seconds of rhythm, rrMs(t) the interval of the beat after
// time t, sent as a heart rate of 60 with the interval in 1/1024 s.
inline std::vector<StrapLogEntry> strapBeats(double seconds,
                                             const std::function<double(double)>& rrMs) {
    std::vector<StrapLogEntry> out;
    for (double t = 0; t < seconds;) {
        const double ms = rrMs(t);
        t += ms / 1000;
        const int units = static_cast<int>(std::lround(ms * 1.024));
        out.push_back(
            {t,
             static_cast<int>(out.size()) + 1,
             {0x16, 60, static_cast<uint8_t>(units & 0xFF), static_cast<uint8_t>(units >> 8)}});
    }
    return out;
}

}  // namespace trivant::test
