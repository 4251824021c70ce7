// trivant-cli artifacts and correct: the beats a recording's artifact correction flags, and
// the recording with their corrections made, as Trivant's CSV with its edits marked.
#pragma once

#include "beat_review.h"
#include "cli_options.h"
#include "setup.h"

#include <ostream>
#include <string>
#include <vector>

namespace trivant {

// The flagged beats as CSV rows under "beat,time_s,type,rr_ms", or as a table with a count
// below it.
std::string FlaggedBeatsText(const Recording& rec, const std::vector<FlaggedBeat>& flagged,
                             bool csv);

int RunArtifacts(const CliOptions& opt, const Setup& setup, std::ostream& out, std::ostream& err);
int RunCorrect(const CliOptions& opt, const Setup& setup, std::ostream& out, std::ostream& err);

}  // namespace trivant
