// trivant-cli trend and stages: the standard measures along a whole recording, in sliding
// windows or in the stages its labels mark, for one or more recordings on several threads.
#pragma once

#include "cli_options.h"
#include "setup.h"

#include <ostream>

namespace trivant {

int RunTrend(const CliOptions& opt, const Setup& setup, std::ostream& out, std::ostream& err);
int RunStages(const CliOptions& opt, const Setup& setup, std::ostream& out, std::ostream& err);

}  // namespace trivant
