// Durations as "hh:mm:ss"; hours do not wrap (100 h reads "100:00:00").
#pragma once

#include <cstdint>
#include <string>

namespace trivant {

std::string TimeText(int64_t seconds);
// Hundredths of a second, as the recorded time is kept; the hundredths are dropped.
inline std::string TimeTextHundredths(int64_t hundredths) {
    return TimeText(hundredths / 100);
}

}  // namespace trivant
