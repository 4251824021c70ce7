// trivant-cli label: labels put on a finished recording at given times, written as
// Trivant's CSV.
#pragma once

#include "cli_options.h"
#include "setup.h"

#include <ostream>
#include <string>

namespace trivant {

int RunLabel(const CliOptions& opt, const Setup& setup, std::ostream& err);

}  // namespace trivant
