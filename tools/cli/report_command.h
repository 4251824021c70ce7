// trivant-cli report: the printed fragment report of a recording, as a PDF page.
#pragma once

#include "cli_options.h"
#include "setup.h"

#include <ostream>

namespace trivant {

int RunReport(const CliOptions& opt, const Setup& setup, std::ostream& err);

}  // namespace trivant
