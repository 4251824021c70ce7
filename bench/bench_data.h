// The full-capacity recording the benchmarks work on, made from a real 24 h recording.
#pragma once

#include "recording.h"

#include <memory>

namespace trivant::bench {

// 31999 beats of nsr2db record nsr009, packed and not yet prepared.
std::unique_ptr<Recording> FullRecording();

}  // namespace trivant::bench
