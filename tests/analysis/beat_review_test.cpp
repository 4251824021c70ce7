// The review on a recording: the automatic method's flags by kind at the places artifacts
// were put, the whole correction giving back the clean series, and its undo.
#include "beat_review.h"

#include <gtest/gtest.h>

#include <cmath>

namespace trivant {
namespace {

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

TEST(BeatReview, FlagsCorrectsAndUndoes) {
    std::vector<double> clean;
    for (size_t i = 0; i < 400; ++i)
        clean.push_back(820 + 40 * std::sin(0.6 * double(i)) +
                        6 * std::sin(2.3 * double(i * i % 17)));
    std::vector<double> rr = clean;
    // Back to front, so each place stays where it was put; 0-based places after all of them.
    rr[330] *= 0.65;
    rr[260] *= 1.5;
    rr[191] += 0.3 * rr[190];
    rr[190] *= 0.7;
    rr.insert(rr.begin() + 121, 0.6 * rr[120]);
    rr[120] *= 0.4;
    rr[50] += rr[51];
    rr.erase(rr.begin() + 51);
    const std::pair<int, BeatClass> injected[] = {{50, BeatClass::Missed},
                                                  {119, BeatClass::Extra},
                                                  {190, BeatClass::Ectopic},
                                                  {260, BeatClass::Long},
                                                  {330, BeatClass::Short}};
    Recording rec = recordingOf(rr);
    const Recording asRecorded = rec;
    const ArtifactOptions automatic{true, kDefaultArtifactMs, true};
    const auto flags = FlagBeats(rec, automatic);
    for (const auto& [at, kind] : injected)
        EXPECT_TRUE(std::any_of(flags.begin(), flags.end(),
                                [&, at = at, kind = kind](const FlaggedBeat& f) {
                                    return f.kind == kind && std::abs(f.beat - 1 - at) <= 1;
                                }))
            << BeatClassName(kind);
    for (const FlaggedBeat& f : flags)
        EXPECT_TRUE(
            std::any_of(std::begin(injected), std::end(injected),
                        [&](const auto& in) { return std::abs(f.beat - 1 - in.first) <= 1; }))
            << "flag at " << f.beat;

    const auto changes = CorrectRecording(rec, CoreSettings{});
    const std::vector<double> fixed = RecordingIntervalsMs(rec);
    ASSERT_EQ(fixed.size(), clean.size());
    EXPECT_EQ(changes.size(), std::size(injected));
    EXPECT_EQ(EditedBeats(rec), 6);  // the displaced beat's two intervals both change
    for (size_t i = 0; i < clean.size(); ++i)
        EXPECT_NEAR(fixed[i], clean[i], 60) << i;  // interpolated, not restored exactly
    EXPECT_TRUE(FlagBeats(rec, automatic).empty());

    RevertChanges(rec, changes);
    rec.PrepareData(CoreSettings{});
    EXPECT_EQ(RecordingIntervalsMs(rec), RecordingIntervalsMs(asRecorded));
    EXPECT_TRUE(rec.BeatEdits.empty() && rec.DeletedBeats.empty());
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
