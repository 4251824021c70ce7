// Preparation of a packed recording: ranges, axis ranges and means.
#include "core_test_util.h"

#include <gtest/gtest.h>

namespace trivant::test {
namespace {

TEST(Prepare, EmptyRecordings) {
    for (int len : {0, 1}) {
        Recording rec;
        rec.CurrentFileLen = len;
        rec.PrepareData(settings(100));
        EXPECT_EQ(rec.sRR.Max, 0);
        EXPECT_EQ(rec.sRR.Min, 255);
        EXPECT_EQ(rec.sSPO.Min, 255);
        EXPECT_EQ(rec.ScSPO, 2);
        EXPECT_EQ(rec.ScRR, 0);
        EXPECT_EQ(rec.ScHRV, 5);
        EXPECT_EQ(rec.ScIB, 5);
        EXPECT_FALSE(rec.AveragesValid);
    }
}

struct ScaleCase {
    int rrMax, spoMin, sym, par, sdnn, ib;
    bool symShown;
    int wantRR, wantSPO, wantHRV, wantIB;
};

TEST(Prepare, SetScalesTable) {
    const ScaleCase cases[] = {
        {125, 80, 0, 0, 0, 0, true, 1, 1, 5, 5},        {170, 0, 0, 0, 0, 0, true, 5, 0, 5, 5},
        {120, 90, 30, 0, 0, 260, true, 0, 2, 3, 3},     {121, 89, 0, 0, 30, 5000, true, 1, 1, 3, 0},
        {255, 75, 240, 11, 0, 5001, false, 5, 1, 4, 0}, {20, 100, 10, 0, 0, 100, true, 0, 2, 5, 5},
    };
    for (const auto& c : cases) {
        Recording rec;
        rec.sRR = {c.rrMax, 0};
        rec.sSPO = {100, c.spoMin};
        rec.sSYM = {c.sym, 0};
        rec.sPAR = {c.par, 0};
        rec.sSDNN = {c.sdnn, 0};
        rec.sIB = {c.ib, 0};
        CoreSettings cfg;
        cfg.Shown[kSerSYM] = c.symShown;
        rec.SetScales(cfg);
        EXPECT_EQ(rec.ScRR, c.wantRR) << c.rrMax;
        EXPECT_EQ(rec.ScSPO, c.wantSPO) << c.spoMin;
        EXPECT_EQ(rec.ScHRV, c.wantHRV) << c.sym << " " << c.sdnn;
        EXPECT_EQ(rec.ScIB, c.wantIB) << c.ib;
    }
}

TEST(Prepare, AveragesStartAtTheFirstFullWindow) {
    std::vector<int> rr(22, 90);
    rr[19] = 80;
    rr[20] = 81;
    rr[21] = 80;
    auto rec = packed(rr);
    rec->PrepareData(settings(20));
    ASSERT_TRUE(rec->AveragesValid);
    EXPECT_EQ(rec->averRR, 803);  // 2410 / 3
    EXPECT_EQ(rec->averSPO, 97);
}

TEST(Prepare, NoAveragesBelowTheSampleSize) {
    auto rec = packed(std::vector<int>(19, 80));
    rec->PrepareData(settings(20));
    EXPECT_FALSE(rec->AveragesValid);
    EXPECT_EQ(rec->averRR, 0);
}

TEST(Prepare, IndexRangesGrowAndIbSkipsShortWindows) {
    std::vector<int> rr;
    for (int i = 0; i < 60; ++i)
        rr.push_back(70 + (i * 7) % 25);
    auto rec = packed(rr);
    rec->PrepareData(settings(20));
    int32_t maxSdnn = 0, maxIb = 0;
    for (int k = 1; k <= 60; ++k) {
        maxSdnn = std::max<int32_t>(maxSdnn, rec->at(kSerSDNN, k));
        if (k > 20)
            maxIb = std::max(maxIb, rec->ibAt(k));
    }
    EXPECT_EQ(rec->sSDNN.Max, maxSdnn);
    EXPECT_EQ(rec->sIB.Max, maxIb);
    EXPECT_EQ(rec->sRR.Max, 94);
    EXPECT_EQ(rec->sRR.Min, 70);
}

TEST(Prepare, PreparingTwiceGivesTheSameSeries) {
    auto rec = packed({80, 82, 79, 90, 85, 84, 83});
    rec->DataBuf[3] = packSample(79, kLabelMark);
    rec->PrepareData(settings(20));
    const auto first = rec->DataSeries;
    rec->LabNum = 0;
    rec->PrepareData(settings(20));
    EXPECT_EQ(rec->DataSeries, first);
}

// A sample outside 20..500 works as the nearer end of the range. 1000 equal beats in a row
// would make an unclamped window count past the tables sized for 500.
TEST(Prepare, SampleOutsideTheRangeIsClamped) {
    std::vector<int> rr(1000, 80);
    for (int i = 0; i < 200; ++i)
        rr.push_back(60 + (i * 37) % 50);
    const int k = static_cast<int>(rr.size());
    const std::pair<int, int> cases[] = {{0, 20}, {19, 20}, {501, 500}, {100000, 500}};
    for (const auto& [given, used] : cases) {
        auto got = packed(rr), want = packed(rr);
        got->PrepareData(settings(given, true));
        want->PrepareData(settings(used, true));
        EXPECT_EQ(got->DataSeries, want->DataSeries) << given;
        EXPECT_EQ(got->sIB.Max, want->sIB.Max) << given;
        EXPECT_EQ(got->averIB50, want->averIB50) << given;
        got->CalcIndices(k, settings(given, true));
        EXPECT_EQ(got->IB50, want->IB50) << given;
        EXPECT_EQ(got->CalcSDNN(k, given), want->CalcSDNN(k, used)) << given;
        got->BuildHisto(k / 2, given);
        want->BuildHisto(k / 2, used);
        EXPECT_EQ(got->Histo.HistoBuf, want->Histo.HistoBuf) << given;
        got->CalcAverages(1, k / 2, given);
        want->CalcAverages(1, k / 2, used);
        EXPECT_EQ(got->averSDNN, want->averSDNN) << given;
    }
}

}  // namespace
}  // namespace trivant::test
