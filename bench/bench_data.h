// The full-capacity recording the benchmarks work on, made from a real 24 h recording.
#pragma once

#include "recording.h"

#include <memory>
#include <string>

namespace trivant::bench {

// 31999 beats of nsr2db record nsr009, packed and not yet prepared.
std::unique_ptr<Recording> FullRecording();

// The whole 24 h list of nsr009 (102858 beats) as read from its file, not yet parsed.
const std::string& DayListText();

// The whole day, prepared with the default settings.
std::unique_ptr<Recording> DayRecording();

// An RR list in ms, one interval a line, packed and not yet prepared; exits when it can't.
std::unique_ptr<Recording> MsListRecording(const std::string& path);

}  // namespace trivant::bench
