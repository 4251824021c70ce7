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
#include <cstdlib>
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
    int beats = 0, missed = 0, extra = 0, other = 0;
    long added = 0;       // intervals the automatic correction added (or removed, < 0)
    int away = 0;         // flags not within one beat of a beat other than normal
    int premature = 0;    // V beats
    int clear = 0;        // of them, those whose interval is well short of the normal ones'
    int flagged[2] = {};  // of each, those flagged within one beat
};

constexpr size_t kLevelReach = 15;   // beats either side the normal level is taken over
constexpr double kClearShare = 0.8;  // a clearly premature interval under this share of it

// The median of the intervals between two normal beats around beat k.
double NormalLevel(const Record& r, const std::vector<double>& rr, size_t k) {
    std::vector<double> v;
    for (size_t j = k > kLevelReach ? k - kLevelReach : 1;
         j < k + kLevelReach && j < r.beats.size(); ++j)
        if (r.beats[j].code == "N" && r.beats[j - 1].code == "N")
            v.push_back(rr[j - 1]);
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// On the reference beats: interval i ends at beat i + 1, so a V beat k is flagged when an
// interval from k - 2 to k is.
RecordScore ScoreReference(const Record& r) {
    std::vector<int64_t> samples;
    for (const EcgAnnotation& a : r.beats)
        samples.push_back(a.sample);
    const std::vector<double> rr = Intervals(samples, r.rate);
    const AutoCorrection fixed = CorrectAuto(rr);
    const std::vector<BeatClass>& classes = fixed.classes;
    RecordScore s;
    s.beats = static_cast<int>(r.beats.size());
    s.added = static_cast<long>(fixed.rr.size()) - static_cast<long>(rr.size());
    auto normal = [&](size_t k) { return k >= r.beats.size() || r.beats[k].code == "N"; };
    for (size_t i = 0; i < classes.size(); ++i) {
        const BeatClass c = classes[i];
        s.missed += c == BeatClass::Missed;
        s.extra += c == BeatClass::Extra;
        s.other += c != BeatClass::Normal && c != BeatClass::Missed && c != BeatClass::Extra;
        s.away += c != BeatClass::Normal && normal(i) && normal(i + 1) && normal(i + 2) &&
                  (i == 0 || normal(i - 1));
    }
    for (size_t k = 1; k + 1 < r.beats.size(); ++k) {
        if (r.beats[k].code != "V")
            continue;
        bool flagged = false;
        for (size_t i = k > 1 ? k - 2 : 0; i <= k && i < classes.size(); ++i)
            flagged = flagged || classes[i] != BeatClass::Normal;
        const bool clear = rr[k - 1] < kClearShare * NormalLevel(r, rr, k);
        ++s.premature;
        s.clear += clear;
        s.flagged[0] += flagged;
        s.flagged[1] += clear && flagged;
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

double Percent(int part, int whole) {
    return whole ? 100.0 * part / whole : 100.0;
}

TEST(BeatRecords, PrematureRunsAreEctopicNotMissedBeats) {
    std::printf(
        "flags on whole records; V: ventricular beats, flagged within one beat (clear: of"
        " those whose interval is under %.0f %% of the normal level); away: flags not"
        " within one beat of a beat other than normal; added: intervals the correction added\n",
        100 * kClearShare);
    std::printf("%-6s %-9s %5s %5s %6s %5s %7s %6s %5s %5s %5s %5s\n", "record", "beats", "count",
                "V", "V fl %", "clear", "clear %", "missed", "extra", "other", "away", "added");
    // The records with frequent V beats, then two with hardly any, as a check on false flags.
    const std::pair<const char*, bool> records[] = {
        {"106", true}, {"119", true}, {"208", true}, {"101", false}, {"800", false}};
    for (const auto& [name, premature] : records) {
        const Record r = ReadRecord(name, premature);
        const RecordScore ref = ScoreReference(r);
        std::printf("%-6s %-9s %5d %5d %6.2f %5d %7.2f %6d %5d %5d %5d %5ld\n", name, "reference",
                    ref.beats, ref.premature, Percent(ref.flagged[0], ref.premature), ref.clear,
                    Percent(ref.flagged[1], ref.clear), ref.missed, ref.extra, ref.other, ref.away,
                    ref.added);
        EXPECT_LE(ref.missed, 2) << name;
        EXPECT_LE(ref.extra, 2) << name;
        // every beat is real: corrected, the record keeps its count of beats
        EXPECT_LE(std::abs(ref.added), 2) << name;
        if (!premature)
            continue;
        EXPECT_GE(Percent(ref.flagged[1], ref.clear), 80) << name;
        const RecordScore det = ScoreDetected(r);
        std::printf("%-6s %-9s %5d %5s %6s %5s %7s %6d %5d %5d\n", name, "detector", det.beats, "",
                    "", "", "", det.missed, det.extra, det.other);
        // false ones only: a missed flag with no reference beat in it, an extra one on a real beat
        EXPECT_LE(det.missed, 5) << name;
        EXPECT_LE(det.extra, 5) << name;
    }
}

}  // namespace
}  // namespace trivant
