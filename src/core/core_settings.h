// The few settings the recording core reads. The application fills them from the
// settings record before each computation, so a change applies at the next one.
#pragma once

#include <array>

namespace trivant {

constexpr int kMinSample = 20;
constexpr int kMaxSample = 500;
constexpr int kSeriesCount = 8;

struct CoreSettings {
    int Sample = 100;             // beats in the trailing window, kMinSample..kMaxSample
    bool IbCompensation = false;  // AMo50 as a percentage of the window for IB50
    std::array<bool, kSeriesCount> Shown{true, true, true, true, true, true, true, true};
};

}  // namespace trivant
