// trivant-cli coherence and resonance: the biofeedback figures along a recording every 5 s,
// and the resonance table of its paced segments, as CSV.
#pragma once

#include "cli_options.h"
#include "setup.h"

#include <ostream>

namespace trivant {

int RunCoherence(const CliOptions& opt, const Setup& setup, std::ostream& out, std::ostream& err);
int RunResonance(const CliOptions& opt, const Setup& setup, std::ostream& out, std::ostream& err);

}  // namespace trivant
