// A Pan-Tompkins detector: band-pass, derivative, squaring and a moving integration give an
// energy envelope whose peaks are classed as QRS or noise by two adaptive thresholds, with a
// search back for beats missed in a long gap and a slope test against T waves; each beat then
// waits for the next, so that a weak peak splitting a normal interval can still be dropped as
// noise. Each beat is placed on the extreme of the raw signal around its QRS. Samples pass one
// at a time, so the beats never depend on how the input was cut into blocks; the decisions lag
// the input by a few seconds at most.
#include "qrs_detector.h"

#include "ecg_filters.h"

#include <algorithm>
#include <cmath>

namespace trivant {
namespace {

constexpr double kDetectLowHz = 5;    // below: baseline wander, P and T waves
constexpr double kDetectHighHz = 15;  // above: muscle noise, mains
constexpr double kDerivativeS = 0.008;
constexpr double kIntegrationS = 0.150;  // about the widest QRS
constexpr double kRefractoryS = 0.200;   // no two beats closer than this
constexpr double kTWaveS = 0.360;        // a peak this soon after a beat may be its T wave
constexpr double kLearnS = 2.0;
constexpr double kRingS = 8.0;          // raw and slope history kept for placing beats
constexpr double kMaxCandidateS = 5.0;  // search back reaches no further
constexpr double kMinRrS = 0.25, kMaxRrS = 2.0;
constexpr double kSearchBack = 1.66;  // gap, in mean RR, that sends the search back
constexpr double kLost = 3.0;         // gap, in mean RR, after which the levels are halved
constexpr double kSpikeCap = 3.0;     // a beat moves the signal level at most as one 3 times it
// A beat that splits a normal interval in two and is weaker than both its neighbours is
// noise: clearly weaker (kWeak) when the two parts together make up to kSplit mean RR, at
// all when they make no more than a normal interval's own spread (kTightSplit). A real run of
// faster beats splits the interval into longer parts and keeps them.
constexpr double kSplit = 1.3, kWeak = 0.7, kTightSplit = 1.12;
constexpr double kPlaceBeforeS = 0.20;  // the QRS ends before its envelope peak
constexpr double kBandDelayS = 0.055;   // of the detection band-pass around 10 Hz
constexpr double kRefineS = 0.07;       // the R peak lies this near the band-passed extreme
constexpr double kSmoothS = 0.004;      // half the smoothing for placing the R peak
constexpr int kRrKept = 8;
// A peak this soon, in mean RR, must stand higher above the noise: premature beats are
// rarely that early, noise is.
constexpr double kEarly = 0.5, kEarlyLevel = 0.6;

struct Peak {
    int64_t pos;
    float value;  // RMS slope of the band-passed signal over the integration window
};

}  // namespace

struct QrsDetector::State {
    explicit State(double r);
    void Step(float x);
    void OnPeak(const Peak& p);
    void Classify(const Peak& p);
    void SearchBack(int64_t now);
    void Accept(const Peak& p, double weight);
    void PushInterval(int64_t interval, bool replaceLast);
    bool HeldIsNoise(const Peak& next) const;
    void Commit();
    float Slope(int64_t pos) const;
    int64_t Place(int64_t pos) const;
    double Smoothed(int64_t i) const;
    void EndLearning();
    void Finish();

    double rate;
    int64_t integration, derivative, refractory, tWave, learn, placeBefore, bandDelay, refine,
        smooth;
    Biquad high1, high2, low1, low2;
    SampleRing raw, band, absSlope;
    RunningSum energy;
    int64_t n = 0;
    float origin = 0;

    // envelope peak finding: a local maximum not topped within the refractory time
    double env1 = 0, env2 = 0;
    double pendingValue = 0;
    int64_t pendingPos = -1;

    bool learning = true;
    std::vector<Peak> learned;
    std::vector<Peak> candidates;  // noise peaks since the last beat, for the search back
    double spk = 0, npk = 0;
    int64_t lastBeat = -1;
    int64_t relearnAt = 0;
    // the last beat waits for the next: it may turn out to be noise splitting an interval
    struct Held {
        Peak peak;
        int64_t at;  // its R peak
    } held{{-1, 0}, -1};
    Peak committed{-1, 0};
    float lastSlope = 0;
    int64_t rr[kRrKept] = {};
    int rrCount = 0, rrNext = 0;
    double rrMean;
    std::vector<int64_t> beats;
};

namespace {
int64_t Samples(double s, double rate) {
    return std::max<int64_t>(1, std::llround(s * rate));
}
}  // namespace

QrsDetector::State::State(double r)
    : rate(r), integration(Samples(kIntegrationS, r)), derivative(Samples(kDerivativeS, r)),
      refractory(Samples(kRefractoryS, r)), tWave(Samples(kTWaveS, r)), learn(Samples(kLearnS, r)),
      placeBefore(Samples(kPlaceBeforeS, r)), bandDelay(std::llround(kBandDelayS * r)),
      refine(std::llround(kRefineS * r)), smooth(std::llround(kSmoothS * r)),
      high1(Biquad::HighPass(kDetectLowHz, r)), high2(Biquad::HighPass(kDetectLowHz, r)),
      low1(Biquad::LowPass(kDetectHighHz, r)), low2(Biquad::LowPass(kDetectHighHz, r)),
      raw(Samples(kRingS, r)), band(Samples(kRingS, r)), absSlope(Samples(kRingS, r)),
      energy(static_cast<size_t>(integration)), rrMean(r) {}

void QrsDetector::State::Step(float x) {
    // a gap in the record (NaN) would poison the filters for good: hold the last level
    if (!std::isfinite(x))
        x = n > 0 ? raw.At(n - 1) : 0.0f;
    raw.Push(x);
    if (n == 0)
        origin = x;
    // from the first sample's level, so that a record's offset is no step into the filters
    const double b = low2.Step(low1.Step(high2.Step(high1.Step(x - origin))));
    band.Push(static_cast<float>(b));
    const double d = n >= derivative ? b - band.At(n - derivative) : 0.0;
    absSlope.Push(static_cast<float>(std::fabs(d)));
    const double env = std::sqrt(std::max(0.0, energy.Step(d * d)) / integration);
    // env1 (sample n - 1) is a local maximum
    if (env1 > env2 && env1 >= env && env1 > pendingValue) {
        pendingValue = env1;
        pendingPos = n - 1;
    }
    env2 = env1;
    env1 = env;
    ++n;
    if (pendingPos >= 0 && n - 1 - pendingPos >= refractory) {
        OnPeak({pendingPos, static_cast<float>(pendingValue)});
        pendingPos = -1;
        pendingValue = 0;
    }
    if (held.at >= 0 && n - refractory - committed.pos > kSplit * rrMean)
        Commit();
    if (learning && n >= learn)
        EndLearning();
    else if (!learning)
        SearchBack(n - refractory);
}

void QrsDetector::State::OnPeak(const Peak& p) {
    if (learning)
        learned.push_back(p);
    else
        Classify(p);
}

void QrsDetector::State::EndLearning() {
    learning = false;
    float top = 0;
    for (const Peak& p : learned)
        top = std::max(top, p.value);
    spk = 0.5 * top;
    npk = 0.1 * top;
    for (const Peak& p : learned)
        Classify(p);
    learned.clear();
    learned.shrink_to_fit();
}

float QrsDetector::State::Slope(int64_t pos) const {
    float s = 0;
    for (int64_t i = std::max<int64_t>(0, pos - integration); i <= pos; ++i)
        s = std::max(s, absSlope.At(i));
    return s;
}

void QrsDetector::State::Classify(const Peak& p) {
    SearchBack(p.pos);
    const bool early = lastBeat >= 0 && p.pos - lastBeat < kEarly * rrMean;
    const double thr1 = npk + (early ? kEarlyLevel : 0.25) * (spk - npk);
    const bool free = lastBeat < 0 || p.pos - lastBeat > refractory;
    const bool tWaveLike =
        lastBeat >= 0 && p.pos - lastBeat < tWave && Slope(p.pos) < 0.5f * lastSlope;
    if (p.value > thr1 && free && !tWaveLike) {
        Accept(p, 0.125);
        return;
    }
    npk = 0.125 * p.value + 0.875 * npk;
    const int64_t oldest = p.pos - Samples(kMaxCandidateS, rate);
    candidates.erase(std::remove_if(candidates.begin(), candidates.end(),
                                    [&](const Peak& c) { return c.pos < oldest; }),
                     candidates.end());
    if (free && !tWaveLike)
        candidates.push_back(p);
}

void QrsDetector::State::SearchBack(int64_t now) {
    while (lastBeat >= 0 && now - lastBeat > kSearchBack * rrMean) {
        const double thr2 = 0.5 * (npk + 0.25 * (spk - npk));
        const int64_t oldest = now - Samples(kMaxCandidateS, rate);
        const Peak* best = nullptr;
        for (const Peak& c : candidates)
            if (c.pos > lastBeat + refractory && c.pos >= oldest && c.value > thr2 &&
                (!best || c.value > best->value))
                best = &c;
        if (best) {
            const Peak found = *best;  // Accept drops it from candidates
            Accept(found, 0.25);
            continue;
        }
        // Nothing for long: the levels were raised by an artifact or the signal shrank.
        if (now - lastBeat < kLost * rrMean || now < relearnAt)
            return;
        spk *= 0.5;
        npk *= 0.5;
        relearnAt = now + static_cast<int64_t>(rrMean);
    }
}

void QrsDetector::State::PushInterval(int64_t interval, bool replaceLast) {
    if (replaceLast)
        rrNext = (rrNext + kRrKept - 1) % kRrKept;
    else
        rrCount = std::min(rrCount + 1, kRrKept);
    rr[rrNext] = std::clamp<int64_t>(interval, Samples(kMinRrS, rate), Samples(kMaxRrS, rate));
    rrNext = (rrNext + 1) % kRrKept;
    int64_t sum = 0;
    for (int i = 0; i < rrCount; ++i)
        sum += rr[i];
    rrMean = static_cast<double>(sum) / rrCount;
}

// The held beat splits a normal interval in two and is weaker than both its neighbours: noise.
bool QrsDetector::State::HeldIsNoise(const Peak& next) const {
    if (committed.pos < 0)
        return false;
    const double parts = static_cast<double>(next.pos - committed.pos) / rrMean;
    const double weaker = held.peak.value / std::min(committed.value, next.value);
    return (parts < kSplit && weaker < kWeak) || (parts < kTightSplit && weaker < 1);
}

void QrsDetector::State::Commit() {
    if (held.at >= 0 && (beats.empty() || held.at > beats.back()))
        beats.push_back(held.at);
    if (held.at >= 0)
        committed = held.peak;
    held.at = -1;
}

void QrsDetector::State::Accept(const Peak& p, double weight) {
    if (held.at >= 0 && HeldIsNoise(p)) {
        held.at = -1;
        PushInterval(p.pos - committed.pos, true);
    } else {
        Commit();
        if (lastBeat >= 0)
            PushInterval(p.pos - lastBeat, false);
    }
    // an artifact far above the beats moves the level by a bounded step
    spk = weight * std::min<double>(p.value, kSpikeCap * spk) + (1 - weight) * spk;
    lastBeat = p.pos;
    lastSlope = Slope(p.pos);
    candidates.erase(std::remove_if(candidates.begin(), candidates.end(),
                                    [&](const Peak& c) { return c.pos <= p.pos; }),
                     candidates.end());
    held = {p, Place(p.pos)};
}

// The R peak: the band-passed QRS's extreme, taken back by the band-pass delay, then refined
// to the sample of the raw signal, lightly smoothed without delay, farthest from the local
// mean, either way, so that an inverted lead gives the same beats.
int64_t QrsDetector::State::Place(int64_t pos) const {
    int64_t centre = pos;
    float top = -1;
    for (int64_t i = std::max<int64_t>(0, pos - placeBefore); i <= pos; ++i) {
        const float v = std::fabs(band.At(i));
        if (v > top) {
            top = v;
            centre = i;
        }
    }
    centre -= bandDelay;
    const int64_t first = std::max<int64_t>(0, centre - refine);
    const int64_t last = std::clamp<int64_t>(centre + refine, first, n - 1);
    double mean = 0;
    for (int64_t i = first; i <= last; ++i)
        mean += Smoothed(i);
    mean /= static_cast<double>(last - first + 1);
    int64_t at = std::clamp<int64_t>(centre, first, last);
    double far = -1;
    for (int64_t i = first; i <= last; ++i) {
        const double dev = std::fabs(Smoothed(i) - mean);
        if (dev > far) {
            far = dev;
            at = i;
        }
    }
    return at;
}

// The mean of raw samples i - smooth .. i + smooth that there are: muscle noise off the peak.
double QrsDetector::State::Smoothed(int64_t i) const {
    const int64_t first = std::max<int64_t>(0, i - smooth);
    const int64_t last = std::min(n - 1, i + smooth);
    double sum = 0;
    for (int64_t k = first; k <= last; ++k)
        sum += raw.At(k);
    return sum / static_cast<double>(last - first + 1);
}

void QrsDetector::State::Finish() {
    if (pendingPos >= 0) {
        OnPeak({pendingPos, static_cast<float>(pendingValue)});
        pendingPos = -1;
        pendingValue = 0;
    }
    if (learning)
        EndLearning();
    SearchBack(n);
    Commit();
}

QrsDetector::QrsDetector(double rate) : state_(std::make_unique<State>(rate)) {}
QrsDetector::~QrsDetector() = default;

void QrsDetector::Feed(const float* mV, size_t n) {
    State& s = *state_;
    for (size_t i = 0; i < n; ++i)
        s.Step(mV[i]);
}

void QrsDetector::Finish() {
    state_->Finish();
}

const std::vector<int64_t>& QrsDetector::beats() const {
    return state_->beats;
}

std::vector<int64_t> DetectBeats(const float* mV, size_t n, double rate) {
    QrsDetector detector(rate);
    detector.Feed(mV, n);
    detector.Finish();
    return detector.beats();
}

}  // namespace trivant
