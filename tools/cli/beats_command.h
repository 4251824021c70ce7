// trivant-cli beats: an ECG record's R peaks, one a line.
#pragma once

#include "recording.h"

#include <ostream>
#include <string>

namespace trivant {

// "sample,time_s" then each beat of rec, read from path: its sample and its time from the
// record's start in seconds to 6 decimals. An error message when rec has no ECG beats.
std::string BeatsText(const std::string& path, const Recording& rec, std::ostream& out);

}  // namespace trivant
