// The R-peak detector scored against the records' reference beats as ANSI/AAMI EC57 counts,
// over inverted and resampled copies, over block sizes, and on synthetic trains.
#include "ecg_read.h"
#include "qrs_detector.h"
#include "wfdb_record.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace trivant;

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Record {
    double rate = 0;
    std::vector<float> mv;           // channel 0
    std::vector<int64_t> reference;  // beat annotations
};

Record ReadRecord(const std::string& name) {
    const std::string hea = std::string(TRIVANT_TEST_DATA) + "/ecg/" + name + ".hea";
    Record r;
    EcgOpen open = OpenWfdbRecord(hea);
    std::string error;
    std::vector<EcgAnnotation> notes;
    EXPECT_TRUE(open.source &&
                open.source->Read(0, 0, open.source->info().channels[0].samples, r.mv, error))
        << open.error << error;
    EXPECT_TRUE(ReadWfdbAnnotations(hea, "atr", notes, error)) << error;
    r.rate = open.source ? open.source->info().rate : 0;
    for (const EcgAnnotation& a : notes)
        if (a.beat)
            r.reference.push_back(a.sample);
    return r;
}

struct Score {
    int64_t tp = 0, fn = 0, fp = 0;
    double Se() const { return 100.0 * tp / (tp + fn); }
    double PPlus() const { return 100.0 * tp / (tp + fp); }
    void Add(const Score& s) { tp += s.tp, fn += s.fn, fp += s.fp; }
};

// Each detection takes the nearest unused reference beat within 150 ms; both lists ascend.
Score Match(const std::vector<int64_t>& found, const std::vector<int64_t>& ref, double rate,
            int64_t from) {
    const int64_t tol = std::llround(0.150 * rate);
    std::vector<bool> used(ref.size());
    Score s;
    size_t j = 0;
    for (int64_t b : found) {
        if (b < from)
            continue;
        while (j < ref.size() && ref[j] < b - tol)
            ++j;
        size_t best = ref.size();
        for (size_t k = j; k < ref.size() && ref[k] <= b + tol; ++k)
            if (!used[k] &&
                (best == ref.size() || std::llabs(ref[k] - b) < std::llabs(ref[best] - b)))
                best = k;
        if (best < ref.size())
            used[best] = true, ++s.tp;
        else
            ++s.fp;
    }
    for (size_t k = 0; k < ref.size(); ++k)
        s.fn += ref[k] >= from && !used[k];
    return s;
}

// The same record at another rate, by linear interpolation, its reference beats rescaled.
Record Resampled(const Record& r, double rate) {
    Record out{rate, {}, {}};
    const double step = r.rate / rate;
    for (double t = 0; t <= static_cast<double>(r.mv.size() - 1); t += step) {
        const size_t k = static_cast<size_t>(t);
        const double f = t - k;
        out.mv.push_back(k + 1 < r.mv.size()
                             ? static_cast<float>(r.mv[k] * (1 - f) + r.mv[k + 1] * f)
                             : r.mv[k]);
    }
    for (int64_t b : r.reference)
        out.reference.push_back(std::llround(b * rate / r.rate));
    return out;
}

struct ScoreCase {
    const char* name;
    double seWhole, ppWhole, se5, pp5;  // floors, %: the whole record and from 5:00 on
};

// Floors just under what the detector reaches.
const ScoreCase kScores[] = {
    {"101", 99.9, 99.7, 99.9, 99.8},    {"106", 99.9, 99.9, 99.9, 99.9},
    {"119", 99.9, 99.9, 99.9, 99.9},    {"208", 99.7, 99.7, 99.7, 99.7},
    {"118e12", 99.9, 99.2, 99.9, 99.0}, {"800", 99.9, 99.9, 99.9, 99.9},
};

}  // namespace

TEST(QrsDetector, ScoresEachRecord) {
    Score whole, late;
    for (const ScoreCase& c : kScores) {
        SCOPED_TRACE(c.name);
        const Record r = ReadRecord(c.name);
        const std::vector<int64_t> found = DetectBeats(r.mv.data(), r.mv.size(), r.rate);
        const Score w = Match(found, r.reference, r.rate, 0);
        const Score l = Match(found, r.reference, r.rate, std::llround(300 * r.rate));
        EXPECT_GE(w.Se(), c.seWhole);
        EXPECT_GE(w.PPlus(), c.ppWhole);
        EXPECT_GE(l.Se(), c.se5);
        EXPECT_GE(l.PPlus(), c.pp5);
        whole.Add(w);
        late.Add(l);
    }
    for (const Score& gross : {whole, late}) {
        EXPECT_GE(gross.Se(), 99.9);
        EXPECT_GE(gross.PPlus(), 99.7);
    }
}

TEST(QrsDetector, InvertedAndResampledCopiesScoreTheSame) {
    const Record r = ReadRecord("208");
    const std::vector<int64_t> beats = DetectBeats(r.mv.data(), r.mv.size(), r.rate);
    std::vector<float> inverted;
    for (float v : r.mv)
        inverted.push_back(-v);
    EXPECT_EQ(DetectBeats(inverted.data(), inverted.size(), r.rate), beats);
    const Score base = Match(beats, r.reference, r.rate, 0);
    for (double rate : {250.0, 1000.0}) {
        SCOPED_TRACE(rate);
        const Record c = Resampled(r, rate);
        const Score s = Match(DetectBeats(c.mv.data(), c.mv.size(), rate), c.reference, rate, 0);
        EXPECT_NEAR(s.Se(), base.Se(), 0.1);
        EXPECT_NEAR(s.PPlus(), base.PPlus(), 0.1);
    }
}

TEST(QrsDetector, BeatsDoNotDependOnBlockSize) {
    const Record r = ReadRecord("118e12");
    const std::vector<int64_t> whole = DetectBeats(r.mv.data(), r.mv.size(), r.rate);
    for (size_t block : {size_t{1}, size_t{7}, size_t{360}, size_t{4096}, size_t{1} << 20}) {
        SCOPED_TRACE(block);
        QrsDetector d(r.rate);
        for (size_t i = 0; i < r.mv.size(); i += block)
            d.Feed(r.mv.data() + i, std::min(block, r.mv.size() - i));
        d.Finish();
        EXPECT_EQ(d.beats(), whole);
    }
}

namespace {

// R waves about 1.2 mV high (each its own), 8 ms wide, with a T wave 280 ms later and baseline
// wander.
std::vector<float> Train(const std::vector<int64_t>& rPeaks, double rate, size_t n) {
    std::vector<float> mv(n);
    for (size_t i = 0; i < n; ++i) {
        double v = 0.4 * std::sin(2 * kPi * 0.3 * i / rate);
        for (size_t k = 0; k < rPeaks.size(); ++k) {
            const double s = (static_cast<double>(i) - rPeaks[k]) / rate;
            const double t = s - 0.28;
            if (std::fabs(s) < 1)
                v += 1.2 * (1 + 0.15 * std::sin(2.3 * k)) * std::exp(-s * s / 1.28e-4) +
                     0.5 * std::exp(-t * t / 3.2e-3);
        }
        mv[i] = static_cast<float>(v);
    }
    return mv;
}

}  // namespace

TEST(QrsDetector, SyntheticTrainsAtTheRateLimits) {
    for (double rate : {100.0, 2000.0}) {
        SCOPED_TRACE(rate);
        std::vector<int64_t> truth;
        // alternating intervals, then a sudden run twice as fast
        for (double t = 0.6; t<60; t += t> 30 ? 0.45 : truth.size() % 2 ? 0.7 : 0.95)
            truth.push_back(std::llround(t * rate));
        const std::vector<float> mv = Train(truth, rate, static_cast<size_t>(62 * rate));
        EXPECT_EQ(DetectBeats(mv.data(), mv.size(), rate), truth);
    }
}

TEST(QrsDetector, FlatShortAndGappedInputsGiveNoBeats) {
    std::vector<float> flat(360 * 20, 0.25f);
    flat[1000] = std::nanf("");
    EXPECT_TRUE(DetectBeats(flat.data(), flat.size(), 360).empty());
    EXPECT_TRUE(DetectBeats(flat.data(), 5, 360).empty());
    EXPECT_TRUE(DetectBeats(flat.data(), 0, 2000).empty());
}
