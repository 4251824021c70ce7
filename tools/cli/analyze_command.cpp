// Runs the fragment analysis per file, on several threads; a file that fails is reported and
// the batch goes on. Lines and messages keep the order of the files.
#include "analyze_command.h"

#include "analyze_batch.h"
#include "beat_edit.h"
#include "cli_commands.h"
#include "measure_csv.h"
#include "progress_line.h"
#include "standard_json.h"
#include "summary_json.h"
#include "terminal.h"
#include "whole_recording.h"

#include <QJsonArray>

#include <iostream>
#include <optional>

namespace trivant {

namespace {

// Fewer files are done before a count would be worth reading.
constexpr std::size_t kProgressFromFiles = 4;

std::string longTermJson(const std::string& file, const LongTermMeasures& m) {
    QJsonObject o{{"file", QString::fromStdString(file)}};
    for (const auto& [name, value] : LongTermValues(m))
        o.insert(name, value ? QJsonValue(*value) : QJsonValue());
    return JsonLine(o);
}

// analyze --long: the whole recording, no fragment.
int runLongTerm(const CliOptions& opt, const Setup& setup, std::ostream& out, std::ostream& err) {
    const bool csv = opt.csv;
    const WorkerMaker make = [csv] {
        return [csv](const std::string& file, const Recording& rec) {
            const LongTermMeasures m = RecordingLongTerm(rec);
            return FileResult{true, csv ? LongTermCsvRow(file, m) : longTermJson(file, m)};
        };
    };
    return RunFileBatch(opt, setup, csv ? LongTermCsvHeader() : std::string(), make, out, err);
}

}  // namespace

FragmentLine AnalyzeLine(const CliOptions& opt) {
    const ArtifactOptions artifacts = opt.artifacts.value_or(ArtifactOptions{});
    return [csv = opt.csv, standard = opt.standard, artifacts, bands = opt.bands](
               const std::string& file, const Recording& rec, const FragmentReport& r) {
        if (!standard)
            return FileResult{true, csv ? FragmentCsvRow(file, r) : FragmentJson(file, r)};
        // The automatic correction corrects the whole recording, as the trend does.
        std::optional<CorrectedWhole> whole;
        if (artifacts.automatic)
            whole.emplace(RecordingIntervalsUs(rec));
        StandardMeasures m =
            ComputeFragmentMeasures(r, artifacts, bands, whole ? &*whole : nullptr);
        m.artifacts.edited = EditedBeats(rec);
        if (!m.ok)
            return FileResult{false, file + ": " + m.error};
        if (csv)
            return FileResult{true, FragmentCsvRow(file, r) + StandardCsvCells(m)};
        QJsonObject o = FragmentObject(file, r);
        o.insert("standard", StandardJsonObject(m));
        return FileResult{true, JsonLine(o)};
    };
}

QJsonObject FragmentObject(const std::string& file, const FragmentReport& r) {
    QJsonObject o{{"file", QString::fromStdString(file)}};
    for (const FragmentField& f : kFragmentFields)
        o.insert(f.name, r.*f.value);
    QJsonArray spectrum;
    for (int k = 1; k <= kSpectrumBins; ++k)
        spectrum.append(r.FrSpecBuf[k]);
    o.insert("spectrum", spectrum);
    return o;
}

std::string FragmentJson(const std::string& file, const FragmentReport& r) {
    return JsonLine(FragmentObject(file, r));
}

int RunFileBatch(const CliOptions& opt, const Setup& setup, const std::string& header,
                 const WorkerMaker& make, std::ostream& out, std::ostream& err) {
    if (!header.empty())
        out << header << "\n";
    // The count is for a person watching this process's stderr, never for a caller's stream.
    const bool watched =
        &err == &std::cerr && StderrIsTerminal() && opt.files.size() > kProgressFromFiles;
    const bool outOnTerminal = watched && &out == &std::cout && StdoutIsTerminal();
    ProgressLine progress(err, opt.files.size(), watched);
    int status = kExitOk;
    BatchSink sink;
    sink.result = [&](std::size_t, const FileResult& r) {
        if (!r.ok) {
            status = kExitBadInput;
            progress.message(err, "trivant-cli: " + r.text);
            return;
        }
        if (!r.note.empty())
            progress.message(err, "trivant-cli: " + r.note);
        if (r.text.empty())
            return;
        if (outOnTerminal)
            progress.message(out, r.text);
        else
            out << r.text << "\n" << std::flush;  // a long batch shows its lines early
    };
    sink.progress = [&](std::size_t done) { progress.show(done, ProgressLine::Clock::now()); };
    ProcessFiles(opt.files, setup, opt.jobs.value_or(DefaultJobs()), make, sink);
    progress.finish();
    return status;
}

int RunAnalyze(const CliOptions& opt, const Setup& setup, std::ostream& out, std::ostream& err) {
    if (opt.longTerm)
        return runLongTerm(opt, setup, out, err);
    const std::string header =
        opt.csv ? FragmentCsvHeader() + (opt.standard ? StandardCsvHeader() : "") : "";
    const FragmentLine line = AnalyzeLine(opt);
    const int startS = opt.start;
    const WorkerMaker make = [startS, line] { return FragmentWorker(startS, line); };
    return RunFileBatch(opt, setup, header, make, out, err);
}

}  // namespace trivant
