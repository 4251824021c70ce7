// trivant-cli record: a recording from the pulse device without a screen.
#pragma once

#include "cli_options.h"
#include "recorder.h"

#include <ostream>

namespace trivant {

// Records through the application's decoder, tick and stop, then saves to out.
// Returns the exit status.
int RunRecord(const CliOptions& opt, const RecorderSettings& settings, std::ostream& err);

}  // namespace trivant
