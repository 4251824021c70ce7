// Formats durations for the read-outs, the selection dialog and the report.
#include "time_text.h"

#include <cstdio>

namespace trivant {

std::string TimeText(int64_t seconds) {
    if (seconds < 0)
        seconds = 0;
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02lld:%02d:%02d", static_cast<long long>(seconds / 3600),
                  static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
    return buf;
}

}  // namespace trivant
