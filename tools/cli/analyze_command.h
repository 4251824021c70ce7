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

// Runs make's workers over the files of opt (--jobs threads), writing the header (when not
// empty) and each file's lines to out in the order of the files, a failed file's message
// to err, and a count of the files done while a person watches. Returns the exit status.
int RunFileBatch(const CliOptions& opt, const Setup& setup, const std::string& header,
                 const WorkerMaker& make, std::ostream& out, std::ostream& err);

}  // namespace trivant
