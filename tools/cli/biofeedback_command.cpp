// The coherence rows and the resonance table of one recording, numbers in their shortest
// exact form and empty where undefined.
#include "biofeedback_command.h"

#include "biofeedback.h"
#include "cli_commands.h"
#include "number_text.h"
#include "recording_io.h"

#include <memory>
#include <optional>

namespace trivant {

namespace {

std::string cell(std::optional<double> v) {
    return v ? "," + NumberText(*v) : ",";
}

// The recording's beats, or an error already written to err.
std::optional<RecordingBeats> beatsOf(const CliOptions& opt, const Setup& setup,
                                      std::unique_ptr<Recording>& rec, std::ostream& err) {
    rec = std::make_unique<Recording>();
    const std::string msg = LoadRecording(opt.files[0], ToCoreSettings(setup), *rec);
    if (!msg.empty()) {
        err << "trivant-cli: " << msg << "\n";
        return std::nullopt;
    }
    return BeatsOf(*rec);
}

// The row at timeS from the latest beat at or before it; false before 64 s of beats.
bool coherenceRow(const RecordingBeats& beats, double timeS, std::string& row) {
    const BeatSeries s = beats.until(timeS);
    if (s.n == 0 || s.tS[s.n - 1] - s.tS[0] < kCoherenceWindowS - 0.5)
        return false;
    const auto c = CoherenceRatio(s);
    row = NumberText(timeS) + cell(60000 / s.rrMs[s.n - 1]) + cell(Rmssd60(s)) +
          cell(c ? Amplitude(s, 1 / c->peakHz) : std::nullopt) +
          cell(c ? std::optional<double>(c->ratio) : std::nullopt) + "\n";
    return true;
}

}  // namespace

int RunCoherence(const CliOptions& opt, const Setup& setup, std::ostream& out, std::ostream& err) {
    std::unique_ptr<Recording> rec;
    const auto beats = beatsOf(opt, setup, rec, err);
    if (!beats)
        return kExitBadInput;
    out << "time_s,hr_bpm,rmssd_60s,amplitude_bpm,coherence\n";
    const double endS = beats->tS.empty() ? 0 : beats->tS.back();
    std::string row;
    for (int k = 1; k * kCoherenceStepS <= endS; ++k)
        if (coherenceRow(*beats, k * kCoherenceStepS, row))
            out << row;
    return kExitOk;
}

int RunResonance(const CliOptions& opt, const Setup& setup, std::ostream& out, std::ostream& err) {
    std::unique_ptr<Recording> rec;
    const auto beats = beatsOf(opt, setup, rec, err);
    if (!beats)
        return kExitBadInput;
    const std::vector<PacedSegment> segs = opt.rates.empty()
                                               ? LabelledSegments(*rec, *beats)
                                               : PlannedSegments(opt.rates, opt.minutes, opt.start);
    if (segs.empty()) {
        err << "trivant-cli: " << opt.files[0]
            << ": no label names a rate (\"rate 6.5\"); give --rates\n";
        return kExitBadInput;
    }
    out << "rate_bpm,start_s,duration_s,lf_peak_power,amplitude_bpm,coherence,resonance\n";
    for (const ResonanceRow& r : ResonanceTable(*beats, segs))
        out << NumberText(r.segment.rateBpm) << cell(r.segment.startS) << cell(r.segment.durationS)
            << cell(r.lfPeakPower) << cell(r.amplitudeBpm) << cell(r.coherence)
            << (r.resonance ? ",1\n" : ",0\n");
    return kExitOk;
}

}  // namespace trivant
