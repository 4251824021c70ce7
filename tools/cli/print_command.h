// trivant-cli print: the printed page of a recording window, as a PDF file.
#pragma once

#include "cli_options.h"
#include "setup.h"

#include <ostream>

namespace trivant {

int RunPrint(const CliOptions& opt, const Setup& setup, std::ostream& err);

}  // namespace trivant
