// trivant-cli recover: the journals a recording left behind, listed or turned into files.
#pragma once

#include "cli_options.h"
#include "core_settings.h"

#include <ostream>

namespace trivant {

// With --list, one line per journal of the folder (path, beats, start time; tabs between);
// else the journal's beats into OUT, after which the journal goes. Returns the exit status.
int RunRecover(const CliOptions& opt, const CoreSettings& cfg, std::ostream& out,
               std::ostream& err);

}  // namespace trivant
