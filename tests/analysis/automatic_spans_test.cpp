// The automatic correction in the standard measures: a corrected whole placed in the recorded
// time and cut into windows, checked against corrections made by hand whose places are known.
#include "beat_edit.h"
#include "core_test_util.h"
#include "whole_recording.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

namespace trivant {
namespace {

constexpr int64_t kMs = 1000;  // µs

// Intervals first..first + count - 1 replaced by values.
struct HandFix {
    size_t first, count;
    std::vector<double> values;
};

// The corrected series, a run's values starting where the intervals it replaced started.
struct Corrected {
    std::vector<double> rr;
    std::vector<int64_t> startUs;
};

Corrected applyByHand(const std::vector<double>& ms, const std::vector<HandFix>& fixes) {
    Corrected c;
    int64_t recorded = 0;
    size_t i = 0;
    auto put = [&](double v, int64_t& at) {
        c.rr.push_back(v);
        c.startUs.push_back(at);
        at += std::llround(v * kMs);
    };
    for (const HandFix& f : fixes) {
        for (; i < f.first; ++i)
            put(ms[i], recorded);
        int64_t at = recorded;
        for (double v : f.values)
            put(v, at);
        for (; i < f.first + f.count; ++i)
            recorded += std::llround(ms[i] * kMs);
    }
    for (; i < ms.size(); ++i)
        put(ms[i], recorded);
    return c;
}

std::vector<int64_t> toUs(const std::vector<double>& ms) {
    std::vector<int64_t> us;
    for (double v : ms)
        us.push_back(std::llround(v * kMs));
    return us;
}

std::vector<double> varied() {  // no three alike in a row
    std::vector<double> ms;
    for (int i = 0; i < 60; ++i)
        ms.push_back(800 + 10 * ((i * 7) % 11));
    return ms;
}

// Extra beats joined, missed ones split, intervals replaced: one at a time, next to each
// other, at the ends, and many, whose replaced time would add up if it were counted on.
// In a flat series a split may be taken a few beats off its place, never further in time.
TEST(AutomaticSpans, CorrectedIntervalsLieWhereTheirRunsWereAndCutIntoPieces) {
    const std::vector<double> v = varied();
    const std::vector<double> flat(60, 800);
    std::vector<HandFix> many;
    for (size_t at = 2; at + 2 < 60; at += 4)
        many.push_back({at, 1, {v[at] + 300}});
    const struct {
        const char* name;
        std::vector<double> ms;
        std::vector<HandFix> fixes;
    } cases[] = {
        {"nothing corrected", v, {}},
        {"an extra beat joined", v, {{10, 2, {v[10] + v[11]}}}},
        {"a missed beat split", v, {{10, 1, {v[10] / 2, v[10] / 2}}}},
        {"a long interval replaced", v, {{10, 1, {v[10] - 250}}}},
        {"joined, then split at once", v, {{10, 2, {v[10] + v[11]}}, {12, 1, {400, v[12] - 400}}}},
        {"a run of three replaced by two", v, {{20, 3, {900, 1100}}}},
        {"the first and the last", v, {{0, 1, {v[0] + 200}}, {58, 2, {v[58] + v[59]}}}},
        {"every fourth replaced", v, many},
        {"short: a missed beat split", {1200, 800, 1600, 800, 800}, {{2, 1, {800, 800}}}},
        {"flat: split", flat, {{30, 1, {400, 400}}}},
        {"flat: joined", flat, {{30, 2, {1600}}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Corrected want = applyByHand(c.ms, c.fixes);
        AutoCorrection fix;
        fix.rr = want.rr;
        fix.classes.assign(c.ms.size(), BeatClass::Normal);
        for (const HandFix& f : c.fixes)
            fix.classes[f.first] = BeatClass::Long;
        const CorrectedWhole whole(toUs(c.ms), fix);
        const std::vector<int64_t>& got = whole.startsUs();
        ASSERT_EQ(got.size(), want.startUs.size());
        const int64_t slack = c.ms == flat ? 8 * 800 * kMs : 0;
        for (size_t k = 0; k < got.size(); ++k)
            EXPECT_LE(std::abs(got[k] - want.startUs[k]), slack) << k;
        EXPECT_TRUE(std::is_sorted(got.begin(), got.end()));
        // Adjacent spans cut the whole into pieces that join up to it, with their classes.
        for (size_t parts : {1, 2, 3, 7}) {
            AutoCorrection joined;
            for (size_t p = 0; p < parts; ++p) {
                IntervalSpan span;
                span.first = c.ms.size() * p / parts;
                span.last = c.ms.size() * (p + 1) / parts;
                const AutoCorrection cut = whole.Cut(span);
                EXPECT_EQ(cut.classes.size(), span.last - span.first);
                joined.rr.insert(joined.rr.end(), cut.rr.begin(), cut.rr.end());
                joined.classes.insert(joined.classes.end(), cut.classes.begin(), cut.classes.end());
                joined.flagged += cut.flagged;
            }
            EXPECT_EQ(joined.rr, fix.rr) << parts << " parts";
            EXPECT_EQ(joined.classes, fix.classes) << parts << " parts";
            EXPECT_EQ(joined.flagged, int(c.fixes.size())) << parts << " parts";
        }
    }
}

// A correction made beforehand: the series it made is measured, its classes are the flags.
TEST(AutomaticSpans, CorrectedMeasuresReportTheCorrection) {
    const std::vector<double> ms = varied();
    const Corrected corrected = applyByHand(ms, {{10, 1, {ms[10] / 2, ms[10] / 2}}});
    AutoCorrection fix;
    fix.rr = corrected.rr;
    fix.classes.assign(ms.size(), BeatClass::Normal);
    fix.classes[10] = BeatClass::Missed;
    fix.flagged = 1;
    const StandardMeasures m = ComputeCorrectedMeasures(ms, fix, {});
    ASSERT_TRUE(m.ok);
    EXPECT_EQ(m.n, 60);
    EXPECT_EQ(m.rr, corrected.rr);
    EXPECT_EQ(m.rmssd, ComputeStandardMeasures(corrected.rr, ArtifactOptions{}).rmssd);
    const ArtifactReport& a = m.artifacts;
    EXPECT_TRUE(a.automatic && a.corrected);
    EXPECT_EQ(a.flagged, 1);
    EXPECT_DOUBLE_EQ(a.percent, 100.0 / 60);
    std::vector<bool> want(60);
    want[10] = true;
    EXPECT_EQ(a.isArtifact, want);
    EXPECT_EQ(a.kinds, fix.classes);
    EXPECT_FALSE(ComputeCorrectedMeasures(ms, AutoCorrection{}, {}).ok);
}

// Missed and extra beats in a recording measured whole, with flags given, and as one stage.
TEST(AutomaticSpans, OneStageIsTheWholeCorrected) {
    std::vector<double> ms;
    for (int i = 0; i < 600; ++i)
        ms.push_back(i % 97 == 50 ? 1620 : std::round(810000 + 20000 * std::sin(i / 3.0)) / 1000);
    for (size_t at = 200; at < ms.size(); at += 150) {
        ms[at] = std::round(ms[at] / 3 * kMs) / kMs;
        ms.insert(ms.begin() + static_cast<std::ptrdiff_t>(at) + 1, ms[at] * 2);
    }
    ArtifactOptions automatic;
    ASSERT_TRUE(ParseArtifactChoice("auto", automatic));
    const StandardMeasures whole = ComputeStandardMeasures(ms, automatic);
    const StandardMeasures flagged =
        ComputeStandardMeasures(ms, std::vector<bool>(ms.size()), automatic, BandEdges{});
    const std::vector<int64_t> us = toUs(ms);
    IntervalSpan all;
    all.last = ms.size();
    all.endUs = std::accumulate(us.begin(), us.end(), int64_t{0});
    const StandardMeasures stage = MeasureSpans(us, true, {all}, automatic, {})[0].m;
    for (const StandardMeasures* m : {&flagged, &stage}) {
        EXPECT_TRUE(m->artifacts.automatic);
        EXPECT_EQ(m->n, whole.n);
        EXPECT_EQ(m->artifacts.flagged, whole.artifacts.flagged);
        EXPECT_DOUBLE_EQ(*m->mean_rr, *whole.mean_rr);
        EXPECT_DOUBLE_EQ(*m->rmssd, *whole.rmssd);
        EXPECT_DOUBLE_EQ(*m->sdnn, *whole.sdnn);
    }
    EXPECT_EQ(flagged.rr, whole.rr);
}

// Each row of trend and stages counts the beats the review changed in the recording.
TEST(AutomaticSpans, RowsCountTheBeatsEdited) {
    std::vector<int> rr;
    for (int k = 1; k <= 400; ++k)
        rr.push_back(70 + (k * 37) % 21);
    const std::unique_ptr<Recording> rec = test::packed(rr);
    rec->DataBuf[200] = packSample(static_cast<uint8_t>(rr[199]), kLabelMark);
    const CoreSettings cfg = test::settings(100);
    rec->PrepareData(cfg);
    for (int edits = 0; edits < 3; ++edits) {
        for (const auto& rows :
             {RecordingStages(*rec, {}), RecordingTrend(*rec, 60, 30, ArtifactOptions{})}) {
            ASSERT_GT(rows.size(), 1u);
            for (const SpanMeasures& row : rows)
                EXPECT_EQ(row.m.artifacts.edited, EditedBeats(*rec)) << edits;
        }
        Apply(*rec, *DeleteBeat(*rec, 10 + 50 * edits));
        rec->PrepareData(cfg);
    }
    EXPECT_GT(EditedBeats(*rec), 0);
}

}  // namespace
}  // namespace trivant
