// trivant-cli analyze: the fragment analysis of one or more recordings, headless.
#pragma once

#include "analyze_batch.h"
#include "cli_options.h"
#include "fragment_analysis.h"
#include "setup.h"

#include <QJsonObject>

#include <ostream>

namespace trivant {

// The report's integer fields as one JSON object, with the file and the spectrum.
QJsonObject FragmentObject(const std::string& file, const FragmentReport& r);
std::string FragmentJson(const std::string& file, const FragmentReport& r);

// A file's line as the options ask: JSON or CSV, with the standard measures when asked for.
FragmentLine AnalyzeLine(const CliOptions& opt);

int RunAnalyze(const CliOptions& opt, const Setup& setup, std::ostream& out, std::ostream& err);

}  // namespace trivant
