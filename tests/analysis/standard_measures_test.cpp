// The standard measures against values worked out by hand: the local median, artifact
// flags and correction, the time domain, the spline, the band edges, DFA and sample entropy.
#include "standard_parts.h"

#include <gtest/gtest.h>

#include <cmath>

namespace trivant::standard {
namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(StandardArtifacts, LocalMedianOddAndEvenWindowsAtTheEnds) {
    const std::vector<double> rr = {10, 50, 20, 40, 30, 90, 70, 60, 80, 100, 0, 5, 15};
    const struct {
        size_t i;
        double median;
    } cases[] = {{0, 35}, {1, 40}, {5, 50}, {12, 37.5}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(LocalMedian(rr, c.i), c.median) << c.i;
}

TEST(StandardArtifacts, FlagsOnlyBeyondTheThreshold) {
    const std::vector<double> rr = {800, 800, 800, 1100, 800, 800, 800};
    EXPECT_EQ(DetectArtifacts(rr, 250), std::vector<bool>({0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(DetectArtifacts(rr, 300), std::vector<bool>(7, false));  // |300| is not > 300
}

TEST(StandardArtifacts, CorrectionAtTheEndsAndInTheMiddle) {
    const struct {
        std::vector<double> rr;
        std::vector<bool> flags;
        std::vector<double> corrected;
    } cases[] = {
        {{900, 800, 850, 1000, 700}, {1, 0, 1, 0, 1}, {800, 800, 900, 1000, 1000}},
        {{800, 0, 0, 1100}, {0, 1, 1, 0}, {800, 900, 1000, 1100}},
        {{500, 600, 700}, {1, 1, 0}, {700, 700, 700}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CorrectArtifacts(c.rr, c.flags), c.corrected);
}

TEST(StandardArtifacts, EveryIntervalAnArtifactIsRefusedOnlyWhenCorrecting) {
    const std::vector<double> rr = {800, 900};  // both 50 ms from their median of 850
    const StandardMeasures refused = ComputeStandardMeasures(rr, {true, 1});
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(refused.error.empty());
    EXPECT_EQ(refused.artifacts.flagged, 2);
    const StandardMeasures kept = ComputeStandardMeasures(rr, {false, 1});
    EXPECT_TRUE(kept.ok);
    EXPECT_EQ(kept.artifacts.thresholdMs, kDefaultArtifactMs);
    EXPECT_EQ(kept.artifacts.flagged, 0);
}

TEST(StandardArtifacts, CorrectedSeriesIsTheOneMeasured) {
    const std::vector<double> rr = {800, 800, 800, 1100, 800, 800, 800};
    const StandardMeasures m = ComputeStandardMeasures(rr, {true, 250});
    EXPECT_TRUE(m.artifacts.corrected);
    EXPECT_DOUBLE_EQ(m.artifacts.percent, 100.0 / 7);
    EXPECT_EQ(m.rr, std::vector<double>(7, 800));
    EXPECT_DOUBLE_EQ(*m.sdnn, 0);
}

// 800, 850, 780, 900: mean 832.5, squares about it 8675; differences 50, -70, 120.
TEST(StandardTimeDomain, WorkedExample) {
    StandardMeasures m;
    FillTimeDomain({800, 850, 780, 900}, m);
    EXPECT_DOUBLE_EQ(*m.mean_rr, 832.5);
    EXPECT_NEAR(*m.sdnn, std::sqrt(8675.0 / 3), 1e-12);
    EXPECT_NEAR(*m.mean_hr, 60000 / 832.5, 1e-12);
    EXPECT_NEAR(*m.rmssd, std::sqrt(21800.0 / 3), 1e-12);
    EXPECT_EQ(*m.nn50, 2);  // 50 is not > 50
    EXPECT_NEAR(*m.pnn50, 200.0 / 3, 1e-12);
    const double varDiff = 18466.0 / 2 + 1.0 / 3;  // about the mean difference 100/3
    EXPECT_NEAR(*m.sd1, std::sqrt(varDiff / 2), 1e-9);
    EXPECT_NEAR(*m.sd2, std::sqrt(2 * 8675.0 / 3 - varDiff / 2), 1e-9);
}

TEST(StandardTimeDomain, UndefinedMeasuresAreEmpty) {
    const struct {
        std::vector<double> rr;
        bool mean, sdnn, rmssd, sd;
    } cases[] = {
        {{}, false, false, false, false},           {{800}, true, false, false, false},
        {{800, 900}, true, true, true, false},      {{800, 900, 1000}, true, true, true, true},
        {{800, 900, 800}, true, true, true, false},  // 2 Var(r) - Var(d) / 2 < 0
    };
    for (const auto& c : cases) {
        const StandardMeasures m = ComputeStandardMeasures(c.rr, {});
        EXPECT_EQ(m.mean_rr.has_value(), c.mean) << c.rr.size();
        EXPECT_EQ(m.sdnn.has_value(), c.sdnn) << c.rr.size();
        EXPECT_EQ(m.pnn50.has_value(), c.rmssd) << c.rr.size();
        EXPECT_EQ(m.sd2.has_value(), c.sd) << c.rr.size();
        EXPECT_FALSE(m.lf || m.dfa_a1 || m.sampen || !m.welch.power.empty());
    }
    EXPECT_FALSE(ComputeStandardMeasures({0}, {}).mean_hr);
}

// Knots (1, 1000), (2, 1000), (4, 2000): the natural spline's M_1 = 500 by hand.
TEST(StandardWelch, NaturalSplineWorkedExample) {
    const std::vector<double> s = ResampleAt4Hz({1000, 1000, 2000});
    ASSERT_EQ(s.size(), 13u);
    const std::pair<size_t, double> cases[] = {
        {0, 1000}, {2, 968.75}, {4, 1000}, {8, 1375}, {12, 2000}};
    for (const auto& [k, v] : cases)
        EXPECT_NEAR(s[k], v, 1e-9) << k;
    EXPECT_TRUE(ResampleAt4Hz({1000, 0, 1000}).empty());
}

// 0.25 Hz at 4 Hz: 16 whole cycles a segment, so the spectrum's integral is exactly 1/2.
TEST(StandardWelch, SinePeakAndPower) {
    std::vector<double> x(1024);
    for (size_t k = 0; k < x.size(); ++k)
        x[k] = std::sin(2 * kPi * 0.25 * static_cast<double>(k) / 4);
    const WelchSpectrum s = Welch(x);
    ASSERT_EQ(s.power.size(), 513u);
    double integral = 0;
    for (double p : s.power)
        integral += p / 256;
    EXPECT_NEAR(integral, 0.5, 1e-12);
    StandardMeasures m;
    FillBands(s, m);
    EXPECT_EQ(*m.hf_peak, 0.25);
    EXPECT_NEAR(*m.hf, 0.5, 1e-3);
    EXPECT_TRUE(Welch(std::vector<double>(255, 1)).power.empty());
}

// With P_j = 1 the powers count the bins: VLF 1..10, LF 11..38, HF 39..102.
TEST(StandardWelch, BandEdgesAreExact) {
    WelchSpectrum s;
    s.power.assign(513, 1);
    s.power[38] = s.power[39] = 2;
    StandardMeasures m;
    FillBands(s, m);
    EXPECT_DOUBLE_EQ(*m.vlf, 10.0 / 256);
    EXPECT_DOUBLE_EQ(*m.lf, 29.0 / 256);
    EXPECT_DOUBLE_EQ(*m.hf, 65.0 / 256);
    EXPECT_DOUBLE_EQ(*m.lf_peak, 38.0 / 256);
    EXPECT_DOUBLE_EQ(*m.hf_peak, 39.0 / 256);
    EXPECT_DOUBLE_EQ(*m.lf_nu, 100.0 * 29 / 94);
    EXPECT_DOUBLE_EQ(*m.lf_hf, 29.0 / 65);
}

// Bands chosen: a bin on an edge belongs to the band above it; HF up to 0.6 Hz for exercise.
TEST(StandardWelch, BandsChosen) {
    WelchSpectrum s;
    s.power.assign(513, 1);
    StandardMeasures m;
    m.bands = {0.0033, 0.04, 0.25, 0.6};  // 0.25 Hz is bin 64; 0.6 Hz lies between 153 and 154
    FillBands(s, m);
    EXPECT_DOUBLE_EQ(*m.lf, 53.0 / 256);  // 11..63
    EXPECT_DOUBLE_EQ(*m.hf, 90.0 / 256);  // 64..153
    EXPECT_DOUBLE_EQ(*m.hf_peak, 64.0 / 256);
}

TEST(StandardWelch, BandEdgesAreChecked) {
    const struct {
        const char* text;
        bool ok;
    } cases[] = {
        {"0.0033,0.04,0.15,0.4", true},    {"0,0.04,0.15,2", true},
        {"0.0033,0.04,0.15", false},       {"0.0033,0.04,0.15,0.4,", false},
        {"0.04,0.04,0.15,0.4", false},     {"0.0033,0.15,0.04,0.4", false},
        {"0.0033,0.04,0.15,2.01", false},  {"-1,0.04,0.15,0.4", false},
        {"0.0033,0.04,0.15,0.151", false},  // HF holds no bin
        {"0.0033, 0.04,0.15,0.4", false},  {"a,b,c,d", false},
    };
    for (const auto& c : cases) {
        BandEdges b;
        std::string error;
        EXPECT_EQ(ParseBandEdges(c.text, b, error), c.ok) << c.text << ": " << error;
        EXPECT_EQ(error.empty(), c.ok) << c.text;
    }
    BandEdges b;
    std::string error;
    ASSERT_TRUE(ParseBandEdges("0.0033,0.04,0.3,0.6", b, error));
    EXPECT_EQ(b, (BandEdges{0.0033, 0.04, 0.3, 0.6}));
}

TEST(StandardDfa, ProfileAndFluctuationByHand) {
    EXPECT_EQ(Profile({1, 2, 3, 6}), std::vector<double>({-2, -3, -3, 0}));
    // Boxes 0 1 0 1 leave residuals -0.2, 0.6, -0.6, 0.2; the ninth point is unused.
    const std::vector<double> y = {0, 1, 0, 1, 0, 1, 0, 1, 100};
    EXPECT_NEAR(Fluctuation(y, 4), std::sqrt(0.2), 1e-12);
}

// y_k = k^2 leaves the same residual in every box: F(n)^2 = (n^2 - 1)(n^2 - 4) / 180.
TEST(StandardDfa, AlphaOfAParabola) {
    for (const auto& [first, last] : {std::pair{4, 16}, std::pair{16, 64}}) {
        std::vector<double> y(2 * last);
        for (size_t k = 0; k < y.size(); ++k)
            y[k] = static_cast<double>(k * k);
        double sx = 0, sy = 0, sxx = 0, sxy = 0;
        const int count = last - first + 1;
        for (int n = first; n <= last; ++n) {
            const double lx = std::log10(n);
            const double ly = std::log10(std::sqrt((n * n - 1.0) * (n * n - 4.0) / 180));
            sx += lx, sy += ly, sxx += lx * lx, sxy += lx * ly;
        }
        const double slope = (count * sxy - sx * sy) / (count * sxx - sx * sx);
        EXPECT_NEAR(*DfaAlpha(y, first, last), slope, 1e-9) << first;
        y.pop_back();
        EXPECT_FALSE(DfaAlpha(y, first, last)) << first;
    }
    EXPECT_FALSE(DfaAlpha(std::vector<double>(40, 0), 4, 16));  // F(n) = 0
}

// 1 2 3 1 2 4 1 2 3: pairs of (1,2) at 0, 3, 6 give B = 3; only 0 and 6 go on alike, A = 1.
TEST(StandardSampEn, CountedByHand) {
    EXPECT_NEAR(*SampleEntropy({1, 2, 3, 1, 2, 4, 1, 2, 3}, 2, 0.5), std::log(3.0), 1e-12);
    EXPECT_NEAR(*SampleEntropy({1, 2, 3, 1, 2, 3, 1}, 2, 0.5), 0, 1e-12);
    EXPECT_FALSE(SampleEntropy({1, 2, 3, 1, 2, 4}, 2, 0.5));  // A = 0
}

TEST(StandardParse, ArtifactLevels) {
    const std::pair<const char*, double> good[] = {{"verylow", 450},   {"low", 350},
                                                   {"medium", 250},    {"strong", 150},
                                                   {"verystrong", 50}, {"12.5", 12.5}};
    for (const auto& [text, ms] : good) {
        double v = 0;
        EXPECT_TRUE(ParseArtifactLevel(text, v)) << text;
        EXPECT_EQ(v, ms) << text;
    }
    for (const char* text : {"", "0", "-5", "abc", "250ms", "inf", "Medium"}) {
        double v = 7;
        EXPECT_FALSE(ParseArtifactLevel(text, v)) << text;
        EXPECT_EQ(v, 7) << text;
    }
}

TEST(StandardFragment, IntervalsInMs) {
    FragmentReport r;
    r.FrPos = 5;
    r.FrEnd = 8;
    r.FrRRBuf[1] = 80, r.FrRRBuf[2] = 81, r.FrRRBuf[3] = 255, r.FrRRBuf[4] = 90;
    EXPECT_EQ(FragmentIntervalsMs(r), std::vector<double>({800, 810, 2550}));
}

}  // namespace
}  // namespace trivant::standard
