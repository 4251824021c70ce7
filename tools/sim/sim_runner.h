// trivant-sim's main loop: paces the beats, waits for a listener, stops on a signal.
#pragma once

#include "beat_source.h"
#include "pty_device.h"
#include "sim_options.h"

#include <atomic>

namespace trivant {

// Sends beats until stop is set. Without --loop the port then stays open and silent.
void RunSimulator(PtyDevice& port, BeatSource& source, const SimOptions& opt,
                  const std::atomic<bool>& stop);

}  // namespace trivant
