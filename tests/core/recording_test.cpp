// Packing, unpacking and labels.
#include "core_test_util.h"

#include <gtest/gtest.h>

namespace trivant::test {
namespace {

// Appends a beat to the slot being filled, as the device decoder does.
void addBeat(Recording& rec, int rr, int spo) {
    rec.DataSeries[kSerRR][rec.CurrentFileLen] = static_cast<uint8_t>(rr);
    rec.DataSeries[kSerSPO][rec.CurrentFileLen] = static_cast<uint8_t>(spo);
    ++rec.CurrentFileLen;
}

TEST(Recording, UnpackWorkedExample) {
    Recording rec;
    rec.DataBuf[1] = 0x5061;
    rec.DataBuf[2] = 0x52FF;
    rec.CurrentFileLen = 3;
    rec.PrepareData(settings(20));
    EXPECT_EQ(rec.at(kSerRR, 1), 80);
    EXPECT_EQ(rec.at(kSerSPO, 1), 97);
    EXPECT_EQ(rec.at(kSerRR, 2), 82);
    EXPECT_EQ(rec.at(kSerSPO, 2), 97);
    EXPECT_EQ(rec.at(kSerLbl, 2), 1);
    EXPECT_EQ(rec.sSPO.Min, 97);
}

TEST(Recording, LabelledFirstBeatTakesSpo0) {
    auto rec = packed({80, 81});
    rec->DataBuf[1] = packSample(80, kLabelMark);
    rec->PrepareData(settings(20));
    EXPECT_EQ(rec->at(kSerSPO, 1), 0);
    EXPECT_EQ(rec->at(kSerLbl, 1), 1);
}

TEST(Recording, LabelsPast255StayNonZero) {
    std::vector<int> rr(300, 80);
    auto rec = packed(rr);
    for (int k = 1; k <= 300; ++k)
        rec->DataBuf[k] = packSample(80, kLabelMark);
    rec->PrepareData(settings(20));
    EXPECT_EQ(rec->at(kSerLbl, 255), 255);
    EXPECT_EQ(rec->at(kSerLbl, 256), 255);
    EXPECT_EQ(rec->at(kSerLbl, 300), 255);
    EXPECT_EQ(rec->LabNum, 300);
}

TEST(Recording, PackKeepsPendingLabelInTheSlot) {
    Recording rec;
    rec.CurrentFileLen = 1;
    addBeat(rec, 80, 97);
    rec.Label();
    addBeat(rec, 81, 96);  // the SpO2 byte overwrote the mark; series 8 keeps the label
    addBeat(rec, 82, 95);
    rec.Label();  // after the last beat: lands in the slot being filled
    rec.Pack();
    EXPECT_EQ(rec.DataBuf[2], packSample(81, kLabelMark));
    EXPECT_EQ(rec.DataBuf[4], packSample(0, kLabelMark));
    rec.LabNum = 0;
    rec.PrepareData(settings(20));
    EXPECT_EQ(rec.beats(), 3);
    EXPECT_EQ(rec.at(kSerSPO, 2), 97);  // copied from beat 1
    EXPECT_EQ(rec.labelSpO2(2), 96);    // its own, beside the label
    EXPECT_EQ(rec.labelSpO2(1), -1);
    EXPECT_EQ(rec.labelSpO2(4), -1);  // the slot is no beat
    EXPECT_EQ(rec.at(kSerLbl, 2), 1);
    EXPECT_EQ(rec.at(kSerLbl, 3), 0);
}

TEST(Recording, TwoLabelsInOneSlotKeepTheLater) {
    Recording rec;
    rec.CurrentFileLen = 1;
    addBeat(rec, 80, 97);
    rec.Label();
    rec.Label();
    EXPECT_EQ(rec.at(kSerLbl, 2), 2);
    addBeat(rec, 81, 96);
    addBeat(rec, 82, 96);
    rec.Pack();
    rec.LabNum = 0;
    rec.PrepareData(settings(20));
    EXPECT_EQ(rec.at(kSerLbl, 2), 1);  // renumbered
}

TEST(Recording, NoPackingBelowTwoBeats) {
    Recording rec;
    rec.CurrentFileLen = 1;
    addBeat(rec, 80, 97);
    rec.Pack();
    EXPECT_EQ(rec.DataBuf[1], 0);
}

TEST(Recording, SampleWordBytes) {
    EXPECT_EQ(packSample(0x50, 0x61), 0x5061);
    EXPECT_EQ(sampleRR(0x52FF), 0x52);
    EXPECT_TRUE(sampleIsLabel(0x52FF));
    EXPECT_FALSE(sampleIsLabel(0x52FE));
}

TEST(Recording, IntervalsRoundTo10MsWithinTheirLimits) {
    const std::pair<int64_t, int> cases[] = {
        {-1, -1},     {0, 0},         {4999, 0},      {5000, 1},     {804999, 80},
        {805000, 81}, {2549999, 255}, {2554999, 255}, {2555000, -1}, {INT64_MAX, -1},
    };
    for (const auto& [us, want] : cases)
        EXPECT_EQ(RoundUsTo10Ms(us), want) << us;
    static_assert(RoundUsTo10Ms(kMinIntervalUs) == 1 && RoundUsTo10Ms(kMaxIntervalUs) == 255);
}

}  // namespace
}  // namespace trivant::test
