// The few settings the recording core reads. The application fills them from the
// settings record before each computation, so a change applies at the next one.
#pragma once

#include <algorithm>
#include <array>

namespace trivant {

constexpr int kMinSample = 20;
constexpr int kMaxSample = 500;
constexpr int kSeriesCount = 8;

// The window the core works with. A sample outside the range (a damaged settings file, a
// careless caller) would index past the tables sized for kMaxSample, so it is clamped.
constexpr int ClampSample(int sample) {
    return std::clamp(sample, kMinSample, kMaxSample);
}

struct CoreSettings {
    int Sample = 100;             // beats in the trailing window, kMinSample..kMaxSample
    bool IbCompensation = false;  // AMo50 as a percentage of the window for IB50
    std::array<bool, kSeriesCount> Shown{true, true, true, true, true, true, true, true};
};

}  // namespace trivant
