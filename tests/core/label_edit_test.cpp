// Labels put on and taken off a prepared recording: numbering, the SpO2 beside a label, names,
// the state an undo gives back, and the beat at a time.
#include "core_test_util.h"
#include "label_edit.h"

#include <gtest/gtest.h>

namespace trivant::test {
namespace {

struct Edit {
    int beat;
    bool on;
    const char* name;
    bool changes;
};

// Five beats of 800 ms with SpO2 95..99 (0 without), prepared.
std::unique_ptr<Recording> fiveBeats(bool spo = true) {
    auto rec = packed({80, 80, 80, 80, 80}, 0);
    for (int k = 1; k <= 5; ++k)
        rec->DataBuf[k] = packSample(80, static_cast<uint8_t>(spo ? 94 + k : 0));
    rec->PrepareData(settings(20));
    return rec;
}

std::vector<int> series(const Recording& rec, int s) {
    std::vector<int> out;
    for (int k = 1; k <= rec.beats(); ++k)
        out.push_back(rec.at(s, k));
    return out;
}

TEST(LabelEdit, EditsRenumberAndKeepTheBeatsSpO2) {
    const struct {
        std::vector<Edit> edits;
        std::vector<int> labels, spo;
        int keptSpO2At3;  // labelSpO2(3)
    } cases[] = {
        {{{3, true, "", true}}, {0, 0, 1, 0, 0}, {95, 96, 96, 98, 99}, 97},
        {{{3, true, "", true}, {3, false, "", true}}, {0, 0, 0, 0, 0}, {95, 96, 97, 98, 99}, -1},
        {{{4, true, "", true}, {2, true, "", true}}, {0, 1, 0, 2, 0}, {95, 95, 97, 97, 99}, -1},
        {{{3, true, "", true}, {3, true, "", false}, {2, false, "", false}, {6, true, "", false}},
         {0, 0, 1, 0, 0},
         {95, 96, 96, 98, 99},
         97},
    };
    for (const auto& c : cases) {
        auto rec = fiveBeats();
        for (const Edit& e : c.edits) {
            EXPECT_EQ(SetLabel(*rec, e.beat, e.on, e.name), e.changes) << e.beat;
            rec->PrepareLabels(settings(20));
        }
        EXPECT_EQ(series(*rec, kSerLbl), c.labels);
        EXPECT_EQ(series(*rec, kSerSPO), c.spo);
        EXPECT_EQ(rec->labelSpO2(3), c.keptSpO2At3);
        auto whole = std::make_unique<Recording>(*rec);  // PrepareLabels gives what this gives
        whole->PrepareData(settings(20));
        for (int s = 0; s < kSeriesCount; ++s)
            EXPECT_EQ(series(*rec, s), series(*whole, s)) << s;
    }
}

TEST(LabelEdit, UndoneStatesAndNoSpO2MadeUp) {
    auto rec = fiveBeats();
    ASSERT_TRUE(SetLabel(*rec, 3, true, "Ночь"));
    EXPECT_FALSE(SetLabel(*rec, 3, true));  // an unnamed put keeps the name
    rec->PrepareLabels(settings(20));
    const auto before = std::make_unique<Recording>(*rec);
    for (const Edit& e : {Edit{3, false, "", true}, Edit{4, true, "B", true}}) {
        const BeatLabelState s = SaveLabelState(*rec, e.beat);
        ASSERT_TRUE(SetLabel(*rec, e.beat, e.on, e.name));
        RestoreLabelState(*rec, s);
        rec->PrepareLabels(settings(20));
        EXPECT_EQ(series(*rec, kSerSPO), series(*before, kSerSPO)) << e.beat;
        EXPECT_EQ(series(*rec, kSerLbl), series(*before, kSerLbl)) << e.beat;
        EXPECT_EQ(rec->labelSpO2(e.beat), before->labelSpO2(e.beat)) << e.beat;
        EXPECT_EQ(rec->LabelNames, before->LabelNames) << e.beat;
    }
    auto none = fiveBeats(false);
    ASSERT_TRUE(SetLabel(*none, 2, true));
    EXPECT_TRUE(none->LabelSpO2.empty());
    // A device's label without an SpO2 of its own leaves the one the beat showed.
    rec->DataBuf[5] = packSample(80, kLabelMark);
    rec->PrepareData(settings(20));
    ASSERT_TRUE(SetLabel(*rec, 5, false));
    rec->PrepareLabels(settings(20));
    EXPECT_EQ(rec->at(kSerSPO, 5), 98);
}

TEST(LabelEdit, BeatAtATimeAndNames) {
    auto rec = fiveBeats();
    const std::pair<int64_t, int> at[] = {{0, 1},       {799999, 1},  {800000, 2},
                                          {3999999, 5}, {4000000, 0}, {-1, 0}};
    for (const auto& [us, beat] : at)
        EXPECT_EQ(BeatAtUs(*rec, us), beat) << us;
    rec->ExactUs = {0, 812345, 800000, 800000, 800000, 800000};  // exact where it has them
    EXPECT_EQ(BeatAtUs(*rec, 812345), 2);
    const std::pair<const char*, const char*> names[] = {
        {"Ночь", "Ночь"}, {" a\tb\r\n", "a b"}, {"1", ""}, {" 0 ", ""}, {"\n", ""}, {"10", "10"}};
    for (const auto& [given, kept] : names)
        EXPECT_EQ(LabelNameText(given), kept) << given;
}

}  // namespace
}  // namespace trivant::test
