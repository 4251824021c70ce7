// Samples are handed out in mV whatever unit a record keeps them in.
#pragma once

#include <string>

namespace trivant {

// The factor from unit to mV; 1 for mV and for a unit that is no voltage, which is then
// kept as the record gives it.
inline double MilliVoltsPer(const std::string& unit) {
    if (unit == "uV" || unit == "\xc2\xb5V" || unit == "\xce\xbcV")
        return 1e-3;
    if (unit == "nV")
        return 1e-6;
    if (unit == "V")
        return 1e3;
    return 1;
}

}  // namespace trivant
