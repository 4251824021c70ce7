// trivant-cli render: a recording window drawn into a PNG, without a display.
#pragma once

#include "cli_options.h"
#include "setup.h"

#include <ostream>

namespace trivant {

// Makes sure a widget application exists; without a display it runs offscreen.
void EnsureGuiApplication();

int RunRender(const CliOptions& opt, const Setup& setup, std::ostream& err);

}  // namespace trivant
