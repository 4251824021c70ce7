// Fragment statistics, resampling, location and spectrum against worked examples and a
// direct evaluation of the transform.
#include "core_test_util.h"
#include "fragment_analysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace trivant {
namespace {

constexpr double kPi = 3.14159265358979323846;

std::unique_ptr<FragmentReport> fragment(const std::vector<int>& rr) {
    auto r = std::make_unique<FragmentReport>();
    r->FrPos = 1;
    r->FrEnd = 1 + static_cast<int>(rr.size());
    for (size_t k = 0; k < rr.size(); ++k)
        r->FrRRBuf[k + 1] = static_cast<uint8_t>(rr[k]);
    FrHisto(*r);
    FrHisto50(*r);
    CountStat(*r);
    return r;
}

std::unique_ptr<Recording> recording(const std::vector<int>& rr) {
    auto rec = test::packed(rr);
    rec->PrepareData(CoreSettings{});
    return rec;
}

TEST(FragmentStats, AllIntervalsEqual) {
    const auto r = fragment(std::vector<int>(400, 80));
    EXPECT_EQ(r->FrHistoLeft, 80);
    EXPECT_EQ(r->FrHistoRight, 80);
    EXPECT_EQ(r->FrModa, 80);
    EXPECT_EQ(r->FrDX, 0);
    EXPECT_EQ(r->FrAMo, 399);
    EXPECT_EQ(r->FrAMo_pr, 99);  // 100 * 399 div 400
    EXPECT_EQ(r->FrSDNN, 0);
    EXPECT_EQ(r->FrRMSSD, 0);
    EXPECT_EQ(r->FrNN50, 0);
    EXPECT_EQ(r->FrBPM, 75);
    EXPECT_EQ(r->FrHistoBuf50[16], 399);
    EXPECT_EQ(r->FrDX50, 1);
    EXPECT_EQ(r->FrHRV, 10);  // 4000 div 399
    EXPECT_EQ(r->FrTINN, 20);
    // 399 * 1e6 / (2 * 800 * 50) * 100 / 400 = 1246.875
    EXPECT_EQ(r->FrIB50, 1247);
}

TEST(FragmentStats, TiesTheLastIntervalAndNN50) {
    // Two classes of two; the last interval (90) is left out of both histograms.
    const auto r = fragment({85, 80, 85, 80, 90});
    EXPECT_EQ(r->FrModa, 80);
    EXPECT_EQ(r->FrAMo, 2);
    EXPECT_EQ(r->FrHistoBuf[90], 0);
    EXPECT_EQ(r->FrHistoRight, 85);
    EXPECT_EQ(r->FrHistoBuf50[18], 0);
    EXPECT_EQ(r->FrNN50, 1);  // three differences of exactly 50 ms; the last interval's counts
    const auto s = fragment({80, 85, 80, 86, 80});
    EXPECT_EQ(s->FrNN50, 2);  // 60 ms twice; 50 ms twice don't count
    EXPECT_EQ(s->FrpNN50, 40);
}

TEST(FragmentStats, MeanInterval857GivesHeartRate70) {
    const auto r = fragment({86, 86, 86, 86, 86, 86, 86, 85, 85, 85});
    EXPECT_EQ(r->FrBPM, 70);
}

TEST(Signal, NeedsThreeHundredSeconds) {
    AnalysisBuffers buf;
    for (int i = 0; i < 299; ++i)
        buf.RRSource[i] = 100;
    buf.RRSource[299] = 99;  // 299.99 s
    EXPECT_FALSE(buf.MeasureSignal(301).enough);
    buf.RRSource[299] = 100;
    const ResampleResult r = buf.MeasureSignal(301);
    EXPECT_TRUE(r.enough);
    EXPECT_EQ(r.total, 30000);
    EXPECT_EQ(r.length, 29900);  // the first interval gives no samples
}

TEST(Signal, InterpolatesFromThePreviousInterval) {
    AnalysisBuffers buf;
    buf.RRSource[0] = 80;
    for (int i = 1; i < 400; ++i)
        buf.RRSource[i] = 81;
    buf.CutFragment(0, buf.MeasureSignal(400));
    EXPECT_DOUBLE_EQ(buf.FragmentBuf[0], 80);
    EXPECT_DOUBLE_EQ(buf.FragmentBuf[1], 80 + 1.0 / 81);
    EXPECT_DOUBLE_EQ(buf.FragmentBuf[80], 80 + 80.0 / 81);
    EXPECT_DOUBLE_EQ(buf.FragmentBuf[81], 81);
}

TEST(Signal, RunsToTheEndOfALongRecording) {
    auto rec = recording(std::vector<int>(31999, 250));  // about 80 000 s
    AnalysisBuffers buf;
    const ResampleResult r = PrepareAnalysis(*rec, buf);
    EXPECT_EQ(r.length, int64_t{31998} * 250);
    const Overview o = MakeOverview(buf, r);
    EXPECT_EQ(o.BufLen, 79995);
    EXPECT_EQ(o.RRViewBuf[79995], 250);
}

TEST(Fragment, LocationAndCaption) {
    // Intervals 1..349 add up to less than 300 s, 1..350 to at least 300 s.
    std::vector<int> rr(400, 86);
    auto rec = recording(rr);
    const FragmentBounds b = LocateFragment(*rec, 0);
    EXPECT_EQ(b.FrPos, 1);
    EXPECT_EQ(b.FrEnd, 350);  // 349 x 860 ms = 300.14 s
    FragmentReport r;
    r.FrPos = 1;
    r.FrEnd = 351;
    EXPECT_EQ(FragmentCaption("rec.rr", r), "rec.rr Фрагмент 1-351 (00:00:00-00:05:00)");
}

TEST(Fragment, EndStopsAtTheLastBeat) {
    auto rec = recording(std::vector<int>(360, 86));
    const FragmentBounds b = LocateFragment(*rec, 20);
    EXPECT_EQ(b.FrPos, 25);  // 24 x 0.86 s = 20.64 s
    EXPECT_EQ(b.FrEnd, 360);
}

TEST(Fragment, RefusedWhenItRunsPastTheRecording) {
    auto rec = recording(std::vector<int>(400, 80));  // 320 s
    AnalysisBuffers buf;
    const ResampleResult r = PrepareAnalysis(*rec, buf);
    FragmentReport out;
    std::string error;
    EXPECT_FALSE(AnalyzeFragment(*rec, 20, r, buf, out, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(AnalyzeFragment(*rec, 19, r, buf, out, &error));
    EXPECT_LE(out.FrEnd, 400);
}

TEST(Spectrum, ConstantSeriesGivesZerosBehindTheGuards) {
    auto rec = recording(std::vector<int>(500, 80));
    AnalysisBuffers buf;
    FragmentReport out;
    ASSERT_TRUE(AnalyzeFragment(*rec, 0, PrepareAnalysis(*rec, buf), buf, out, nullptr));
    EXPECT_EQ(out.FrTotalPower, 0);
    EXPECT_EQ(out.FrLFnorm, 0);
    EXPECT_EQ(out.FrHFnorm, 0);
    EXPECT_EQ(out.FrLFdivHF, 0);
    for (int k = 1; k <= kSpectrumBins; ++k)
        EXPECT_NEAR(out.FrSpecBuf[k], 0, 1e-12);
}

// Intervals that modulate the rhythm at about 0.1 Hz put the power into LF.
TEST(Spectrum, SlowModulationIsLowFrequency) {
    std::vector<int> rr;
    double t = 0;
    while (t < 400) {
        const int v = static_cast<int>(std::lround(80 + 8 * std::sin(2 * kPi * 0.1 * t)));
        rr.push_back(v);
        t += v / 100.0;
    }
    auto rec = recording(rr);
    AnalysisBuffers buf;
    FragmentReport out;
    ASSERT_TRUE(AnalyzeFragment(*rec, 0, PrepareAnalysis(*rec, buf), buf, out, nullptr));
    EXPECT_GE(out.FrLFnorm, 95);
    EXPECT_LE(out.FrHFnorm, 5);
    EXPECT_GT(out.FrLFdivHF, 1000);
}

TEST(Spectrum, ResultsBeyondIntSaturate) {
    const int top = std::numeric_limits<int>::max();
    const struct {
        double v;
        int want;
    } rows[] = {{2.5, 2},
                {-2.5, -2},
                {1e300, top},
                {-1e300, -top},
                {std::numeric_limits<double>::infinity(), top},
                {std::nan(""), 0}};
    for (const auto& r : rows)
        EXPECT_EQ(SaturatedRound(r.v), r.want) << r.v;
}

TEST(Spectrum, TransformEqualsTheDirectSum) {
    AnalysisBuffers buf;
    for (int t = 0; t < kFragmentSamples; ++t)
        buf.FragmentBuf[t] =
            80 + 5 * std::sin(0.002 * t) + 3 * std::cos(0.021 * t + 1) + (t % 7) * 0.3;
    std::vector<double> s(buf.FragmentBuf.begin(), buf.FragmentBuf.begin() + kFragmentSamples);
    buf.CountSpectrum();
    double mean = 0;
    for (double v : s)
        mean += v;
    mean /= kFragmentSamples;
    double peak = 0;
    for (int k = 1; k <= kSpectrumBins; ++k)
        peak = std::max(peak, buf.Spectrum[k]);
    const double df = 1.0 / 300, dt = 0.01;
    for (int k = 1; k <= kSpectrumBins; k += 7) {
        double x = 0, y = 0;
        for (int t = 0; t < kFragmentSamples; ++t) {
            const double w =
                (42 - 50 * std::cos(2 * kPi * t / 29999) + 8 * std::cos(4 * kPi * t / 29999)) *
                (s[t] - mean) / 100;
            x += w * std::cos(2 * kPi * k * df * t * dt);
            y += w * std::sin(2 * kPi * k * df * t * dt);
        }
        const double p = (x * x + y * y) * 0.02 / kFragmentSamples;
        EXPECT_NEAR(buf.Spectrum[k], p, 1e-9 * std::max(p, 1e-3 * peak)) << "bin " << k;
    }
}

}  // namespace
}  // namespace trivant
