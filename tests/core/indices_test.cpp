// SYM, PAR, SDNN and IB50 against worked examples and a literal reference for PAR.
#include "core_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace trivant::test {
namespace {

// PAR exactly as defined: level by level, flank by flank; returns the unclamped sum.
int64_t referencePar(const Recording& r) {
    if (r.Histo.Moda == 0)
        return 0;
    const auto& h = r.Histo.HistoBuf;
    int64_t sum = 0;
    for (int a = 0; a < r.Histo.Moda; ++a) {
        int c = 0;
        if (r.Histo.Moda >= r.Histo.XMin)
            for (int j = r.Histo.XMin; j <= r.Histo.Moda; ++j)
                c += h[j] > a;
        for (int j = r.Histo.Moda - c + 1; j <= r.Histo.Moda && c > 0; ++j)
            sum += h[j] <= a;
        c = 0;
        if (r.Histo.Moda <= r.Histo.XMax)
            for (int j = r.Histo.Moda; j <= r.Histo.XMax; ++j)
                c += h[j] > a;
        for (int j = r.Histo.Moda; j <= r.Histo.Moda + c - 1; ++j)
            sum += h[j] <= a;
    }
    return sum;
}

TEST(Indices, SymAndParWorkedExample) {
    auto rec = withRR({78, 80, 80, 80, 81, 82});
    rec->BuildHisto(6, 20);
    ASSERT_EQ(rec->Histo.Moda, 80);
    ASSERT_EQ(rec->Histo.AMo, 3);
    EXPECT_EQ(rec->CalcSYM(), 3);
    EXPECT_EQ(rec->CalcPAR(), 1);
}

TEST(Indices, SymComparesAgainstAFifthOfAMoAsReals) {
    // AMo 19: a count of 4 exceeds 3.8, a count of 3 does not.
    std::vector<int> rr(19, 80);
    rr.insert(rr.end(), 4, 81);
    rr.insert(rr.end(), 3, 82);
    auto rec = withRR(rr);
    rec->BuildHisto(static_cast<int>(rr.size()), 100);
    ASSERT_EQ(rec->Histo.AMo, 19);
    EXPECT_EQ(rec->CalcSYM(), 19 * 4 / 2);
}

TEST(Indices, IdenticalIntervals) {
    auto rec = withRR(std::vector<int>(20, 80));
    rec->CalcIndices(20, settings(20));
    EXPECT_EQ(rec->SYM, 80);
    EXPECT_EQ(rec->PAR, 0);
    EXPECT_EQ(rec->SDNN, 0);
    EXPECT_EQ(rec->Histo.DeltaX50, 1);
    EXPECT_EQ(rec->IB50, 250);  // 20 * 200 / (16 * 1)
}

TEST(Indices, SymIsCappedAt250) {
    auto rec = withRR(std::vector<int>(100, 80));
    rec->CalcIndices(100, settings(100));
    EXPECT_EQ(rec->SYM, 250);
}

// SDNN as the textbook formula in doubles: mean first, then squared deviations.
int referenceSdnn(const std::vector<int>& rr) {
    double mean = 0;
    for (int v : rr)
        mean += v * 10.0;
    mean /= rr.size();
    double var = 0;
    for (int v : rr)
        var += (v * 10.0 - mean) * (v * 10.0 - mean);
    const double sd = std::nearbyint(std::sqrt(var / rr.size()));
    return sd >= 256 ? 255 : static_cast<int>(sd);
}

TEST(Indices, ParAndSdnnMatchTheLiteralDefinitions) {
    std::mt19937 rng(7);
    for (int round = 0; round < 400; ++round) {
        const int sample = std::uniform_int_distribution<int>(20, 500)(rng);
        const int centre = std::uniform_int_distribution<int>(3, 240)(rng);
        const int spread = std::uniform_int_distribution<int>(1, 30)(rng);
        std::uniform_int_distribution<int> rr(std::max(0, centre - spread),
                                              std::min(255, centre + spread));
        std::vector<int> beats(sample);
        for (int& b : beats)
            b = rr(rng);
        auto rec = withRR(beats);
        rec->CalcIndices(sample, settings(sample));
        const int64_t want = std::min<int64_t>(referencePar(*rec), 255);
        ASSERT_EQ(rec->PAR, want) << "round " << round;
        ASSERT_EQ(rec->SDNN, referenceSdnn(beats)) << "round " << round;
        ASSERT_EQ(rec->CalcSDNN(sample, sample), rec->SDNN) << "round " << round;
    }
}

TEST(Indices, ParAbove255Saturates) {
    // A mode with 20 empty bins beside it and a plateau beyond: 13 levels x 20 = 260.
    std::vector<int> rr;
    for (int bin = 150; bin < 180; ++bin)
        rr.insert(rr.end(), 13, bin);
    rr.insert(rr.end(), 14, 200);
    auto rec = withRR(rr);
    const int k = static_cast<int>(rr.size());
    rec->BuildHisto(k, 500);
    ASSERT_EQ(referencePar(*rec), 260);
    EXPECT_EQ(rec->CalcPAR(), 255);
}

TEST(Indices, SdnnWorkedExampleAndWindow) {
    auto rec = withRR({80, 81, 79});
    EXPECT_EQ(rec->CalcSDNN(3, 20), 8);  // var 66.7
    EXPECT_EQ(rec->CalcSDNN(1, 20), 0);
    std::vector<int> rr(21, 80);
    rr[0] = 90;
    rec = withRR(rr);
    EXPECT_EQ(rec->CalcSDNN(21, 20), 0);  // the first beat lies outside the window
    EXPECT_EQ(rec->CalcSDNN(21, 21), 21);
}

TEST(Indices, SdnnSaturatesAt255) {
    auto rec = withRR({20, 250, 20, 250});
    EXPECT_EQ(rec->CalcSDNN(4, 20), 255);  // 1150 ms
}

struct IbCase {
    int moda50, deltaX50, amo50, k, sample;
    bool compensation;
    int32_t want;
};

TEST(Indices, Ib50Table) {
    const IbCase cases[] = {
        {16, 4, 40, 200, 100, false, 125}, {16, 4, 40, 100, 100, true, 125},
        {16, 4, 40, 50, 100, true, 250},   {0, 4, 40, 200, 100, false, 0},
        {16, 0, 40, 200, 100, false, 0},   {16, 3, 10, 200, 100, false, 42},  // 41.67
    };
    for (const auto& c : cases) {
        Recording rec;
        rec.Histo.Moda50 = static_cast<uint8_t>(c.moda50);
        rec.Histo.DeltaX50 = static_cast<uint8_t>(c.deltaX50);
        rec.Histo.AMo50 = static_cast<uint8_t>(c.amo50);
        EXPECT_EQ(rec.CalcIB50(c.k, settings(c.sample, c.compensation)), c.want)
            << c.moda50 << " " << c.deltaX50 << " " << c.amo50 << " k=" << c.k;
    }
}

TEST(Indices, SeriesAndRangesOnlyGrowWhenNotRecording) {
    std::vector<int> rr(21, 80);
    rr[1] = 90;
    rr[2] = 70;
    auto rec = withRR(rr);
    rec->RREventEnabled = true;
    rec->CalcIndices(4, settings(20));
    EXPECT_EQ(rec->at(kSerSDNN, 4), rec->SDNN);
    EXPECT_EQ(rec->ibAt(4), rec->IB50);
    EXPECT_EQ(rec->sSDNN.Max, 0);
    rec->RREventEnabled = false;
    rec->CalcIndices(4, settings(20));
    EXPECT_EQ(rec->sSDNN.Max, rec->SDNN);
    EXPECT_EQ(rec->sIB.Max, 0);  // k <= S: IB stays out of the range
    rec->CalcIndices(21, settings(20));
    EXPECT_GT(rec->IB50, 0);
    EXPECT_EQ(rec->sIB.Max, rec->IB50);
}

}  // namespace
}  // namespace trivant::test
