// Biofeedback figures of a heart rhythm: the coherence ratio of the last 64 s, the
// peak-to-trough heart-rate amplitude of the last breathing cycles, RMSSD of the last 60 s,
// a meter that keeps them up to date beat by beat, and the resonance table of paced
// segments. Beat times in s (each interval stands at the beat that ends it), intervals in ms.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace trivant {

class Recording;

// A series of beats: t[i] the time of the beat that ends interval rr[i], increasing.
struct BeatSeries {
    const double* tS = nullptr;
    const double* rrMs = nullptr;
    size_t n = 0;  // the beats up to and including the latest one
};

struct Coherence {
    double ratio = 0;   // peak power / (total power - peak power)
    double peakHz = 0;  // the largest line in 0.04..0.26 Hz
};

constexpr double kCoherenceWindowS = 64;
constexpr double kCoherenceStepS = 5;  // how often the meter recomputes it, in beat time

// Over the 64 s ending at the latest beat; empty before an interval ends 63.5 s before it
// or when the window has no power outside the peak.
std::optional<Coherence> CoherenceRatio(const BeatSeries& s);

// The mean over the last 4 cycles of cycleS ending at the latest beat of max - min of
// 60000 / RR among each cycle's beats; empty when the beats do not reach 4 cycles back or a
// cycle holds no beat.
std::optional<double> Amplitude(const BeatSeries& s, double cycleS);

// RMSSD of the intervals that end within the 60 s up to the latest beat; empty below two.
std::optional<double> Rmssd60(const BeatSeries& s);

// The figures of the latest beat.
struct BiofeedbackFigures {
    double hrBpm = 0;
    std::optional<double> rmssdMs, amplitudeBpm;
    std::optional<Coherence> coherence;  // the latest one computed
    std::optional<double> coherenceRatio() const {
        return coherence ? std::optional<double>(coherence->ratio) : std::nullopt;
    }
};

// Fed one interval at a time; keeps only the beats its figures can still need.
class BiofeedbackMeter {
public:
    // Breaths per minute leading the amplitude's cycle; 0 or less: the coherence peak.
    void setPacerRate(double breathsPerMin) { pacerRate_ = breathsPerMin; }
    // The interval rrMs (> 0) that ends at endS, later than the previous one.
    const BiofeedbackFigures& addBeat(double rrMs, double endS);
    const BiofeedbackFigures& figures() const { return figures_; }

private:
    BeatSeries series() const;
    void trim();

    std::vector<double> t_, rr_;
    size_t first_ = 0;  // beats before it are no longer needed
    double pacerRate_ = 0;
    double nextCoherenceS_ = 0;
    bool coherent_ = false;  // nextCoherenceS_ set by a first coherence
    BiofeedbackFigures figures_;
};

// The beat times and intervals of a whole recording, beat 0 at 0 s.
struct RecordingBeats {
    std::vector<double> tS, rrMs;
    // The beats up to the latest one ending at or before timeS.
    BeatSeries until(double timeS) const;
};
RecordingBeats BeatsOf(const Recording& rec);

// A stretch of breathing at one rate.
struct PacedSegment {
    double rateBpm = 0, startS = 0, durationS = 0;
};

struct ResonanceRow {
    PacedSegment segment;
    std::optional<double> lfPeakPower;   // ms^2, Welch's within 0.015 Hz of the LF peak
    std::optional<double> amplitudeBpm;  // cycle 60 / rate s, at the segment's end
    std::optional<double> coherence;     // at the segment's end
    bool resonance = false;              // the largest amplitude, ties by LF peak power
};

std::vector<ResonanceRow> ResonanceTable(const RecordingBeats& beats,
                                         const std::vector<PacedSegment>& segments);

// Segments from labels named "темп X" or "rate X": each lasts until the next such label, the
// last one until the recording's end.
std::vector<PacedSegment> LabelledSegments(const Recording& rec, const RecordingBeats& beats);
// The rate a label's name sets, or empty.
std::optional<double> LabelRate(const std::string& name);
// Consecutive segments of minutes each at the rates, from startS.
std::vector<PacedSegment> PlannedSegments(const std::vector<double>& ratesBpm, double minutes,
                                          double startS);

}  // namespace trivant
