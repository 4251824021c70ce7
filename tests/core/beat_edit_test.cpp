// Beat edits as undo steps: sequences applied, then reverted and applied again, the whole
// recording compared at every step; and what each edit does to the intervals kept.
#include "beat_edit.h"
#include "core_test_util.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <tuple>

namespace trivant {
namespace {

using test::packed;
using test::settings;

// Everything an edit may touch.
using Snapshot = std::tuple<std::vector<int64_t>, std::vector<SampleWord>, std::vector<BeatEdit>,
                            std::vector<int32_t>, std::map<int, std::vector<DeletedBeat>>,
                            std::map<int, std::string>, std::vector<int64_t>, std::vector<uint8_t>>;

std::vector<int> intervalsMs(const Recording& rec) {
    std::vector<int> ms;
    for (int k = 1; k <= rec.beats(); ++k)
        ms.push_back(static_cast<int>(rec.intervalUs(k) / 1000));
    return ms;
}

Snapshot snap(const Recording& rec) {
    std::vector<int64_t> us;
    for (int k = 1; k <= rec.beats(); ++k)
        us.push_back(rec.intervalUs(k));
    return {us,
            {rec.DataBuf.begin() + 1, rec.DataBuf.begin() + rec.beats() + 1},
            rec.BeatEdits,
            rec.OriginalUs,
            rec.DeletedBeats,
            rec.LabelNames,
            rec.BeatSamples,
            rec.LabelSpO2};
}

// An ECG recording at 1 kHz: beat samples are the running sums of the intervals (ms).
std::unique_ptr<Recording> ecgRecording(const std::vector<int>& ms) {
    std::vector<int> rr;
    for (int v : ms)
        rr.push_back(v / 10);
    auto rec = packed(rr);
    rec->ExactUs.assign(ms.size() + 1, 0);
    rec->BeatSamples.assign(1, 500);
    for (size_t i = 0; i < ms.size(); ++i) {
        rec->ExactUs[i + 1] = ms[i] * 1000;
        rec->BeatSamples.push_back(rec->BeatSamples.back() + ms[i]);
    }
    rec->EcgRate = 1000;
    rec->PrepareData(settings(10));
    return rec;
}

const std::vector<int> kBase{800, 810, 400, 420, 820, 1600, 800, 790, 805, 800};

using Edit = std::function<std::optional<BeatChange>(const Recording&)>;
struct Step {
    Edit edit;
    std::vector<int> ms;  // the intervals after it
};
struct Sequence {
    const char* name;
    std::vector<Step> steps;
};

Edit del(int k) {
    return [k](const Recording& r) { return DeleteBeat(r, k); };
}
Edit ins(int k, int32_t us = -1) {
    return [k, us](const Recording& r) { return InsertBeat(r, k, us); };
}
Edit move(int k, int64_t by) {
    return [k, by](const Recording& r) { return MoveBeat(r, k, r.BeatSamples[k] + by); };
}
Edit set(int k, int ms) {
    return [k, ms](const Recording& r) { return SetInterval(r, k, ms * 1000); };
}
Edit revert(int k, int index = -1) {
    return [k, index](const Recording& r) { return RevertBeat(r, k, index); };
}

TEST(BeatEdit, SequencesUndoAndRedoExactly) {
    const std::vector<Sequence> table{
        {"extra beat removed", {{del(3), {800, 810, 820, 820, 1600, 800, 790, 805, 800}}}},
        {"missed beat inserted",
         {{ins(6), {800, 810, 400, 420, 820, 800, 800, 800, 790, 805, 800}}}},
        {"interpolated", {{set(2, 805), {800, 805, 400, 420, 820, 1600, 800, 790, 805, 800}}}},
        {"moved on the strip",
         {{move(1, 10), {810, 800, 400, 420, 820, 1600, 800, 790, 805, 800}}}},
        {"the lot, then back as recorded",
         {{del(3), {800, 810, 820, 820, 1600, 800, 790, 805, 800}},
          {ins(5), {800, 810, 820, 820, 800, 800, 800, 790, 805, 800}},
          {set(1, 805), {805, 810, 820, 820, 800, 800, 800, 790, 805, 800}},
          {move(2, -5), {805, 805, 825, 820, 800, 800, 800, 790, 805, 800}},
          {revert(3, 0), {805, 805, 405, 420, 820, 800, 800, 800, 790, 805, 800}},
          {revert(6), {805, 805, 405, 420, 820, 1600, 800, 790, 805, 800}},
          {revert(2), {805, 810, 400, 420, 820, 1600, 800, 790, 805, 800}},
          {revert(1), kBase}}},
        {"an inserted beat deleted leaves nothing",
         {{ins(2, 300000), {800, 300, 510, 400, 420, 820, 1600, 800, 790, 805, 800}},
          {del(2), kBase}}},
        {"two deleted into one interval, one put back",
         {{del(3), {800, 810, 820, 820, 1600, 800, 790, 805, 800}},
          {del(2), {800, 1630, 820, 1600, 800, 790, 805, 800}},
          {revert(2, 1), {800, 1210, 420, 820, 1600, 800, 790, 805, 800}},
          {revert(2, 0), kBase}}},
    };
    for (const Sequence& seq : table) {
        SCOPED_TRACE(seq.name);
        auto rec = ecgRecording(kBase);
        std::vector<Snapshot> states{snap(*rec)};
        std::vector<BeatChange> changes;
        for (const Step& step : seq.steps) {
            const auto c = step.edit(*rec);
            ASSERT_TRUE(c.has_value());
            Apply(*rec, *c);
            rec->PrepareData(settings(10));
            changes.push_back(*c);
            states.push_back(snap(*rec));
            EXPECT_EQ(intervalsMs(*rec), step.ms);
            // Every R peak still ends its interval.
            for (int k = 1; k <= rec->beats(); ++k) {
                if (rec->beatEdit(k) == BeatEdit::Interpolated)
                    continue;
                EXPECT_EQ(rec->BeatSamples[k] - rec->BeatSamples[k - 1], rec->intervalUs(k) / 1000)
                    << k;
            }
        }
        if (seq.steps.back().ms == kBase) {
            EXPECT_EQ(states.back(), states.front());  // back as recorded: no edit left
        }
        for (size_t i = changes.size(); i-- > 0;) {
            Revert(*rec, changes[i]);
            EXPECT_EQ(snap(*rec), states[i]) << "undo " << i;
        }
        for (size_t i = 0; i < changes.size(); ++i) {
            Apply(*rec, changes[i]);
            EXPECT_EQ(snap(*rec), states[i + 1]) << "redo " << i;
        }
    }
}

TEST(BeatEdit, KeepsWhatWasRecorded) {
    auto rec = ecgRecording(kBase);
    Apply(*rec, *DeleteBeat(*rec, 3));
    Apply(*rec, *SetInterval(*rec, 1, 790000));
    ASSERT_EQ(rec->DeletedBeats.count(3), 1u);
    const DeletedBeat& d = rec->DeletedBeats[3][0];
    EXPECT_EQ(d.us, 400000);
    EXPECT_EQ(d.sample, 500 + 800 + 810 + 400);
    EXPECT_EQ(rec->originalUs(3), 420000);        // the interval the deleted beat merged into
    EXPECT_EQ(rec->beatEdit(3), BeatEdit::None);  // its own R peak is as recorded
    EXPECT_EQ(rec->beatEdit(1), BeatEdit::Interpolated);
    EXPECT_EQ(rec->originalUs(1), 800000);
    EXPECT_EQ(EditedBeats(*rec), 2);
}

TEST(BeatEdit, TenMillisecondRecordingGetsExactIntervals) {
    auto rec = packed({80, 81, 79, 80});
    rec->PrepareData(settings(10));
    Apply(*rec, *InsertBeat(*rec, 2));
    EXPECT_EQ(rec->intervalUs(2), 405000);
    EXPECT_EQ(rec->intervalUs(3), 405000);
    EXPECT_EQ(sampleRR(rec->DataBuf[2]), 41);  // 405 ms rounds half up
    EXPECT_EQ(rec->beats(), 5);
}

TEST(BeatEdit, LabelMovesToTheMergedBeat) {
    auto rec = packed({80, 81, 79, 80}, 96);
    rec->PrepareData(settings(10));
    rec->DataBuf[2] = packSample(81, kLabelMark);
    rec->LabelNames[2] = "проба";
    rec->LabelNames[4] = "конец";
    Apply(*rec, *DeleteBeat(*rec, 2));
    EXPECT_TRUE(sampleIsLabel(rec->DataBuf[2]));
    EXPECT_EQ(rec->labelName(2), "проба");
    EXPECT_EQ(rec->labelName(3), "конец");  // shifted with its beat
    EXPECT_EQ(rec->labelSpO2(2), 96);       // the merged beat's own SpO2 kept beside it
    EXPECT_FALSE(sampleIsLabel(rec->DeletedBeats[2][0].word));
}

TEST(BeatEdit, RefusedEdits) {
    auto rec = ecgRecording(kBase);
    const int n = rec->beats();
    EXPECT_FALSE(DeleteBeat(*rec, n));  // no next interval to merge with
    EXPECT_FALSE(DeleteBeat(*rec, 0));
    EXPECT_FALSE(InsertBeat(*rec, n + 1));
    EXPECT_FALSE(InsertBeat(*rec, 1, 2000));               // a part under 5 ms
    EXPECT_FALSE(MoveBeat(*rec, 2, rec->BeatSamples[3]));  // onto the next R peak
    EXPECT_FALSE(MoveBeat(*rec, n, rec->BeatSamples[n] + 1));
    EXPECT_FALSE(SetInterval(*rec, 2, 810000));  // nothing changes
    EXPECT_FALSE(SetInterval(*rec, 2, 3000000));
    EXPECT_FALSE(RevertBeat(*rec, 2));  // nothing to revert
    EXPECT_FALSE(RevertBeat(*rec, 2, 0));
    auto longOnes = packed({250, 250, 80});
    longOnes->PrepareData(settings(10));
    EXPECT_FALSE(DeleteBeat(*longOnes, 1));  // 5 s does not fit an interval
    rec->RREventEnabled = true;
    EXPECT_FALSE(DeleteBeat(*rec, 2));
    EXPECT_FALSE(InsertBeat(*rec, 2));
}

}  // namespace
}  // namespace trivant
