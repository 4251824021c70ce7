// trivant-cli label: labels put on a finished recording at given times, written as
// Trivant's CSV.
#pragma once

#include "cli_options.h"
#include "label_times.h"
#include "recording.h"
#include "setup.h"

#include <cstdint>
#include <ostream>
#include <string>

namespace trivant {

// Time t from the recording's start in µs: seconds as given, a clock time the first moment
// at or after the start (SecondsToClockOfDay). An error when the start time is not known.
std::string LabelOffsetUs(const Recording& rec, const LabelTime& t, int64_t& us);

int RunLabel(const CliOptions& opt, const Setup& setup, std::ostream& err);

}  // namespace trivant
