// The classification on whole records with frequent ventricular premature beats, in runs
// and bigeminy: every beat of the reference is real, so a missed or extra flag is a false
// one, while the premature beats should be flagged near where they are. Scored on the
// reference beats and on the project's detector's.
#include "beat_classes.h"
#include "ecg_read.h"
#include "source_beats.h"
#include "wfdb_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace trivant {
namespace {

constexpr double kMatchS = 0.15;  // a detected beat is a reference one this near

struct Record {
    double rate = 0;
    std::vector<EcgAnnotation> beats;  // the reference's, ascending
    std::vector<int64_t> detected;
};

Record ReadRecord(const std::string& name, bool detect) {
    const std::string hea = std::string(TRIVANT_TEST_DATA) + "/ecg/" + name + ".hea";
    Record r;
    EcgOpen open = OpenWfdbRecord(hea);
    EXPECT_TRUE(open.source) << open.error;
    std::string error;
    EXPECT_TRUE(ReadWfdbAnnotations(hea, "atr", r.beats, error)) << error;
    if (!open.source)
        return r;
    r.rate = open.source->info().rate;
    r.beats.erase(std::remove_if(r.beats.begin(), r.beats.end(),
                                 [](const EcgAnnotation& a) { return !a.beat; }),
                  r.beats.end());
    if (detect)
        r.detected = DetectSourceBeats(*open.source, 0).samples;
    return r;
}

std::vector<double> Intervals(const std::vector<int64_t>& samples, double rate) {
    std::vector<double> rr;
    for (size_t k = 1; k < samples.size(); ++k)
        rr.push_back(static_cast<double>(samples[k] - samples[k - 1]) * 1000 / rate);
    return rr;
}

struct RecordScore {
    int beats = 0, premature = 0, prematureFlagged = 0, missed = 0, extra = 0, other = 0;
};

// On the reference beats: intervals i ends at beat i + 1, so a V beat k is flagged when an
// interval from k - 2 to k is.
RecordScore ScoreReference(const Record& r) {
    std::vector<int64_t> samples;
    for (const EcgAnnotation& a : r.beats)
        samples.push_back(a.sample);
    const std::vector<BeatClass> classes = ClassifyBeats(Intervals(samples, r.rate));
    RecordScore s;
    s.beats = static_cast<int>(r.beats.size());
    for (BeatClass c : classes) {
        s.missed += c == BeatClass::Missed;
        s.extra += c == BeatClass::Extra;
        s.other += c != BeatClass::Normal && c != BeatClass::Missed && c != BeatClass::Extra;
    }
    for (size_t k = 1; k + 1 < r.beats.size(); ++k) {
        if (r.beats[k].code != "V")
            continue;
        ++s.premature;
        bool flagged = false;
        for (size_t i = k > 1 ? k - 2 : 0; i <= k && i < classes.size(); ++i)
            flagged = flagged || classes[i] != BeatClass::Normal;
        s.prematureFlagged += flagged;
    }
    return s;
}

// On the detector's beats: a missed flag is right when a reference beat lies inside its
// interval, an extra one when the beat it removes matches none.
RecordScore ScoreDetected(const Record& r) {
    const std::vector<BeatClass> classes = ClassifyBeats(Intervals(r.detected, r.rate));
    const int64_t tol = static_cast<int64_t>(kMatchS * r.rate);
    auto referenceIn = [&](int64_t from, int64_t to) {
        auto it = std::lower_bound(r.beats.begin(), r.beats.end(), from,
                                   [](const EcgAnnotation& a, int64_t v) { return a.sample < v; });
        return it != r.beats.end() && it->sample <= to;
    };
    RecordScore s;
    s.beats = static_cast<int>(r.detected.size());
    for (size_t i = 0; i < classes.size(); ++i) {
        const int64_t a = r.detected[i], b = r.detected[i + 1];
        if (classes[i] == BeatClass::Missed)
            s.missed += !referenceIn(a + tol + 1, b - tol - 1);
        else if (classes[i] == BeatClass::Extra)
            s.extra += referenceIn(b - tol, b + tol);
        else
            s.other += classes[i] != BeatClass::Normal;
    }
    return s;
}

TEST(BeatRecords, PrematureRunsAreEctopicNotMissedBeats) {
    std::printf("%-7s %-9s %6s %9s %7s %7s %6s %6s\n", "record", "beats", "count", "V", "V fl %",
                "missed", "extra", "other");
    for (const char* name : {"106", "119", "208"}) {
        const Record r = ReadRecord(name, true);
        const RecordScore ref = ScoreReference(r);
        const RecordScore det = ScoreDetected(r);
        const double share = ref.premature ? 1.0 * ref.prematureFlagged / ref.premature : 1.0;
        std::printf("%-7s %-9s %6d %9d %7.2f %7d %6d %6d\n", name, "reference", ref.beats,
                    ref.premature, 100 * share, ref.missed, ref.extra, ref.other);
        std::printf("%-7s %-9s %6d %9s %7s %7d %6d %6d\n", name, "detector", det.beats, "", "",
                    det.missed, det.extra, det.other);
        EXPECT_LE(ref.missed, 2) << name;
        EXPECT_LE(ref.extra, 2) << name;
        EXPECT_GE(share, 0.8) << name;
        // false ones only: a missed flag with no reference beat in it, an extra one on a real beat
        EXPECT_LE(det.missed, 5) << name;
        EXPECT_LE(det.extra, 5) << name;
    }
}

}  // namespace
}  // namespace trivant
