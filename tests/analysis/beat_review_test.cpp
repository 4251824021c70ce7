// The review on a recording: the automatic method's flags by kind at the places artifacts
// were put, the whole correction giving back the clean series, and its undo.
#include "beat_review.h"

#include <gtest/gtest.h>

#include <cmath>

namespace trivant {
namespace {

// A breathing-modulated rhythm with a little deterministic jitter (ms).
std::vector<double> cleanSeries(size_t n) {
    std::vector<double> rr;
    for (size_t i = 0; i < n; ++i)
        rr.push_back(820 + 40 * std::sin(0.6 * static_cast<double>(i)) +
                     6 * std::sin(2.3 * static_cast<double>(i * i % 17)));
    return rr;
}

Recording recordingOf(const std::vector<double>& ms) {
    Recording rec;
    rec.ExactUs.assign(1, 0);
    for (size_t i = 0; i < ms.size(); ++i) {
        const int32_t us = static_cast<int32_t>(std::llround(ms[i] * 1000));
        rec.ExactUs.push_back(us);
        rec.DataBuf[i + 1] = packSample(static_cast<uint8_t>(RoundUsTo10Ms(us)), 97);
    }
    rec.CurrentFileLen = static_cast<int>(ms.size()) + 1;
    rec.PrepareData(CoreSettings{});
    return rec;
}

struct Injected {
    size_t at;  // 0-based place in the injected series
    BeatClass kind;
};

TEST(BeatReview, FlagsCorrectsAndUndoes) {
    const std::vector<double> clean = cleanSeries(400);
    std::vector<double> rr = clean;
    std::vector<Injected> injected;
    // Back to front, so each place stays where it was put.
    rr[330] *= 0.65;
    injected.push_back({330, BeatClass::Short});
    rr[260] *= 1.5;
    injected.push_back({260, BeatClass::Long});
    rr[191] += 0.3 * rr[190];
    rr[190] *= 0.7;
    injected.push_back({190, BeatClass::Ectopic});
    const double whole = rr[120];
    rr[120] = 0.4 * whole;
    rr.insert(rr.begin() + 121, 0.6 * whole);
    injected.push_back({120, BeatClass::Extra});
    rr[50] += rr[51];
    rr.erase(rr.begin() + 51);
    injected.push_back({50, BeatClass::Missed});
    // The places after the insertion and the removal moved.
    for (Injected& in : injected)
        in.at += (in.at > 120) - (in.at > 50);

    Recording rec = recordingOf(rr);
    const Recording asRecorded = rec;
    const auto flags = FlagBeats(rec, ArtifactOptions{true, kDefaultArtifactMs, true});
    for (const Injected& in : injected) {
        SCOPED_TRACE(BeatClassName(in.kind));
        const bool found = std::any_of(flags.begin(), flags.end(), [&](const FlaggedBeat& f) {
            return f.kind == in.kind && std::abs(f.beat - 1 - static_cast<int>(in.at)) <= 1;
        });
        EXPECT_TRUE(found);
    }
    for (const FlaggedBeat& f : flags) {
        const bool near = std::any_of(injected.begin(), injected.end(), [&](const Injected& in) {
            return std::abs(f.beat - 1 - static_cast<int>(in.at)) <= 1;
        });
        EXPECT_TRUE(near) << "flag at " << f.beat;
    }

    const auto changes = CorrectRecording(rec, CoreSettings{});
    const std::vector<double> fixed = RecordingIntervalsMs(rec);
    ASSERT_EQ(fixed.size(), clean.size());
    EXPECT_EQ(changes.size(), injected.size());
    EXPECT_EQ(EditedBeats(rec), 6);  // the displaced beat's two intervals both change
    double worst = 0;
    for (size_t i = 0; i < clean.size(); ++i)
        worst = std::max(worst, std::fabs(fixed[i] - clean[i]));
    EXPECT_LT(worst, 60);  // interpolated, not restored exactly
    EXPECT_TRUE(FlagBeats(rec, ArtifactOptions{true, kDefaultArtifactMs, true}).empty());

    RevertChanges(rec, changes);
    rec.PrepareData(CoreSettings{});
    EXPECT_EQ(RecordingIntervalsMs(rec), RecordingIntervalsMs(asRecorded));
    EXPECT_TRUE(rec.BeatEdits.empty());
    EXPECT_TRUE(rec.DeletedBeats.empty());
}

TEST(BeatReview, ThresholdProposalInterpolates) {
    std::vector<double> rr(60, 800);
    rr[30] = 1300;
    Recording rec = recordingOf(rr);
    const ArtifactOptions medium{true, kDefaultArtifactMs, false};
    const auto flags = FlagBeats(rec, medium);
    ASSERT_EQ(flags.size(), 1u);
    EXPECT_EQ(flags[0].beat, 31);
    EXPECT_EQ(flags[0].kind, BeatClass::Normal);
    EXPECT_FALSE(ProposedChange(rec, medium, 30));
    const auto c = ProposedChange(rec, medium, 31);
    ASSERT_TRUE(c);
    Apply(rec, *c);
    EXPECT_EQ(rec.intervalUs(31), 800000);
    EXPECT_EQ(rec.beatEdit(31), BeatEdit::Interpolated);
    EXPECT_EQ(rec.originalUs(31), 1300000);
}

}  // namespace
}  // namespace trivant
