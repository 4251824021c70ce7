// Rows of the whole-recording measures: CSV unless --json, each row led by its file, in the
// order of the files whatever the number of threads.
#include "trend_command.h"

#include "analyze_command.h"
#include "cli_commands.h"
#include "measure_csv.h"
#include "recording_io.h"
#include "render_command.h"
#include "span_csv.h"
#include "standard_json.h"
#include "summary_json.h"
#include "trend_paint.h"
#include "whole_recording.h"

#include <QImage>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace trivant {

namespace {

ArtifactOptions artifactsOf(const CliOptions& opt) {
    return opt.artifacts.value_or(ArtifactOptions{});
}

int trendStep(const CliOptions& opt) {
    return opt.step.value_or(std::min(opt.window, kDefaultTrendStepS));
}

std::string jsonRow(const std::string& file, const SpanPlace& place, const SpanMeasures& r,
                    int64_t startClockS) {
    QJsonObject o{{"file", QString::fromStdString(file)}};
    const std::vector<double> values = place.values(r);
    for (size_t i = 0; i < values.size(); ++i)
        o.insert(place.names[i], values[i]);
    if (startClockS != kNoClock)
        o.insert(kSpanClockName, QString::fromStdString(DateTimeText(SpanClockS(startClockS, r))));
    const QJsonObject m = StandardJsonObject(r.m);
    for (auto it = m.begin(); it != m.end(); ++it)
        o.insert(it.key(), it.value());
    if (!r.name.empty())
        o.insert("name", QString::fromStdString(r.name));
    return JsonLine(o);
}

using Rows = std::vector<SpanMeasures> (*)(const Recording&, const CliOptions&);
// Why a recording gave no rows, for stderr; nullptr when it always gives some.
using NoRows = std::string (*)(const Recording&, const CliOptions&);

// No window fits in a recording shorter than one: the header alone is its answer.
std::string shorterThanWindow(const Recording& rec, const CliOptions& opt) {
    return "the recording lasts " + std::to_string(static_cast<int64_t>(TrendDurationS(rec))) +
           " s, shorter than one " + std::to_string(opt.window) + " s window";
}

// The CSV header is written before any file is read: it has the clock column when some
// file tells its start, and the name column (stages) when named.
bool someStartKnown(const CliOptions& opt) {
    return !opt.json && std::any_of(opt.files.begin(), opt.files.end(), RecordingStartKnown);
}

int run(const CliOptions& opt, const Setup& setup, const SpanPlace& place, Rows rows, NoRows noRows,
        bool named, std::ostream& out, std::ostream& err) {
    const bool json = opt.json;
    const SpanColumns columns{someStartKnown(opt), named};
    const WorkerMaker make = [&opt, &place, rows, noRows, json, columns] {
        return [&opt, &place, rows, noRows, json, columns](const std::string& file,
                                                           const Recording& rec) {
            FileResult result{true, {}};
            for (const SpanMeasures& r : rows(rec, opt))
                result.text += (result.text.empty() ? "" : "\n") +
                               (json ? jsonRow(file, place, r, rec.StartClockS)
                                     : SpanCsvRow(file, place, r, columns, rec.StartClockS));
            if (result.text.empty() && noRows)
                result.note = file + ": " + noRows(rec, opt);
            return result;
        };
    };
    return RunFileBatch(opt, setup, json ? std::string() : SpanCsvHeader(place, columns), make, out,
                        err);
}

// Whether a label of any of the files has a name. The CSV's header comes before the first
// file is measured, so the files are read for their names first; one that can't be read
// has none (the measuring reports it).
bool anyLabelNamed(const std::vector<std::string>& files) {
    for (const std::string& file : files) {
        auto rec = std::make_unique<Recording>();
        if (ReadCliRecording(file, *rec).empty() && !rec->LabelNames.empty())
            return true;
    }
    return false;
}

// The picture of the one recording's trend, as the trend window draws it.
int drawTrend(const CliOptions& opt, const Setup& setup, std::ostream& err) {
    EnsureGuiApplication();
    const std::string& file = opt.files[0];
    auto rec = std::make_unique<Recording>();
    const std::string msg = LoadRecording(file, ToCoreSettings(setup), *rec);
    if (!msg.empty()) {
        err << "trivant-cli: " << msg << "\n";
        return kExitBadInput;
    }
    TrendPicture t;
    t.rows = RecordingTrend(*rec, opt.window, trendStep(opt), artifactsOf(opt), opt.bands);
    t.durationS = TrendDurationS(*rec);
    t.startClockS = rec->StartClockS;
    t.keys = DefaultTrendKeys();
    const QString caption = QString("%1: %2 s / %3 s")
                                .arg(QString::fromStdString(file))
                                .arg(opt.window)
                                .arg(trendStep(opt));
    if (!RenderTrendImage(t, caption, opt.width, opt.height)
             .save(QString::fromStdString(opt.png), "PNG")) {
        err << "trivant-cli: cannot write " << opt.png << "\n";
        return kExitBadInput;
    }
    return kExitOk;
}

}  // namespace

int RunTrend(const CliOptions& opt, const Setup& setup, std::ostream& out, std::ostream& err) {
    if (!opt.png.empty())
        return drawTrend(opt, setup, err);
    return run(
        opt, setup, kTrendPlace,
        [](const Recording& rec, const CliOptions& o) {
            return RecordingTrend(rec, o.window, trendStep(o), artifactsOf(o), o.bands);
        },
        shorterThanWindow, false, out, err);
}

int RunStages(const CliOptions& opt, const Setup& setup, std::ostream& out, std::ostream& err) {
    return run(
        opt, setup, kStagePlace,
        [](const Recording& rec, const CliOptions& o) {
            return RecordingStages(rec, artifactsOf(o), o.bands);
        },
        nullptr, !opt.json && anyLabelNamed(opt.files), out, err);
}

}  // namespace trivant
