// Histogram bins, mode, spread and the caps.
#include "core_test_util.h"

#include <gtest/gtest.h>

namespace trivant::test {
namespace {

TEST(Histogram, WorkedExampleInBothBinWidths) {
    auto rec = withRR({80, 80, 81, 79});
    rec->BuildHisto(4, 20);
    EXPECT_EQ(rec->Histo.HistoBuf[79], 1);
    EXPECT_EQ(rec->Histo.HistoBuf[80], 2);
    EXPECT_EQ(rec->Histo.HistoBuf[81], 1);
    EXPECT_EQ(rec->Histo.AMo, 2);
    EXPECT_EQ(rec->Histo.Moda, 80);
    EXPECT_EQ(rec->Histo.XMin, 79);
    EXPECT_EQ(rec->Histo.XMax, 81);
    EXPECT_EQ(rec->Histo.DeltaX, 3);
    EXPECT_EQ(rec->Histo.Histo50Buf[16], 4);
    EXPECT_EQ(rec->Histo.AMo50, 4);
    EXPECT_EQ(rec->Histo.Moda50, 16);
    EXPECT_EQ(rec->Histo.DeltaX50, 1);
}

TEST(Histogram, WindowIsTheTrailingSampleBeats) {
    // Beats 1..3 fall out of a 20-beat window ending at beat 23.
    std::vector<int> rr(23, 90);
    rr[0] = rr[1] = rr[2] = 50;
    auto rec = withRR(rr);
    rec->BuildHisto(23, 20);
    EXPECT_EQ(rec->Histo.HistoBuf[50], 0);
    EXPECT_EQ(rec->Histo.HistoBuf[90], 20);
    rec->BuildHisto(22, 20);
    EXPECT_EQ(rec->Histo.HistoBuf[50], 1);
}

TEST(Histogram, FirstBeatAlone) {
    auto rec = withRR({85, 70});
    rec->BuildHisto(1, 100);
    EXPECT_EQ(rec->Histo.AMo, 1);
    EXPECT_EQ(rec->Histo.Moda, 85);
    EXPECT_EQ(rec->Histo.XMin, 85);
    EXPECT_EQ(rec->Histo.XMax, 85);
    EXPECT_EQ(rec->Histo.DeltaX, 1);
}

TEST(Histogram, BinsBelowSixNeverBecomeXMin) {
    auto rec = withRR({3, 5, 5});
    rec->BuildHisto(3, 20);
    EXPECT_EQ(rec->Histo.XMin, 255);
    EXPECT_EQ(rec->Histo.XMax, 5);
    EXPECT_EQ(rec->Histo.DeltaX, 1);
    EXPECT_EQ(rec->Histo.AMo, 2);
    EXPECT_EQ(rec->Histo.Moda, 5);
}

TEST(Histogram, BinsAbove249NeverBecomeXMax) {
    auto rec = withRR({100, 250, 255});
    rec->BuildHisto(3, 20);
    EXPECT_EQ(rec->Histo.XMin, 100);
    EXPECT_EQ(rec->Histo.XMax, 100);
    EXPECT_EQ(rec->Histo.Moda, 100);  // every bin takes part in the mode; the first wins ties
}

TEST(Histogram, TieGoesToTheBinThatGotThereFirst) {
    auto rec = withRR({70, 90, 90, 70});
    rec->BuildHisto(4, 20);
    EXPECT_EQ(rec->Histo.Moda, 90);
    EXPECT_EQ(rec->Histo.AMo, 2);
}

// With S = 500 a steady rhythm puts 500 beats in one bin: counts must not wrap.
TEST(Histogram, CountsNeverWrapAndAMoIsCapped) {
    std::vector<int> rr(500, 80);
    rr[0] = 81;
    auto rec = withRR(rr);
    rec->BuildHisto(500, 500);
    EXPECT_EQ(rec->Histo.HistoBuf[80], 499);
    EXPECT_EQ(rec->Histo.HistoBuf[81], 1);
    EXPECT_EQ(rec->Histo.Moda, 80);
    EXPECT_EQ(rec->Histo.AMo, 250);
    EXPECT_EQ(rec->Histo.Histo50Buf[16], 500);
    EXPECT_EQ(rec->Histo.AMo50, 250);
    // 256 beats in the bin used to wrap to 0 and pass the mode to the other bin.
    std::vector<int> rr2(300, 80);
    for (int i = 0; i < 44; ++i)
        rr2[i] = 120;
    rr2.insert(rr2.end(), 100, 120);
    auto rec2 = withRR(rr2);
    rec2->BuildHisto(400, 400);
    EXPECT_EQ(rec2->Histo.HistoBuf[80], 256);
    EXPECT_EQ(rec2->Histo.Moda, 80);
}

TEST(Histogram, SpreadWithGapsAndFull) {
    auto rec = withRR({6, 249});
    rec->BuildHisto(2, 20);
    EXPECT_EQ(rec->Histo.XMin, 6);
    EXPECT_EQ(rec->Histo.XMax, 249);
    EXPECT_EQ(rec->Histo.DeltaX, 244);
}

}  // namespace
}  // namespace trivant::test
