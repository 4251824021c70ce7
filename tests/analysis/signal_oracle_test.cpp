// The analysis against its first version: the overview and the fragment's samples bit for
// bit, the spectrum within 1e-9 of the direct sum, and every rounded number of the report
// the same, on the recordings in tests/data and on random ones.
#include "analysis_oracle.h"
#include "atomic_file.h"
#include "core_test_util.h"
#include "ms_list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <memory>
#include <random>

namespace trivant {
namespace {

std::unique_ptr<Recording> fromIntervals(const std::vector<int>& rr) {
    auto rec = test::packed(rr);
    rec->PrepareData(CoreSettings{});
    return rec;
}

std::unique_ptr<Recording> fromMsList(const std::string& name) {
    std::string text;
    EXPECT_TRUE(ReadFileBytes(std::string(TRIVANT_TEST_DATA) + "/rr/" + name, text, 1u << 24).ok);
    auto rec = std::make_unique<Recording>();
    MsListError err;
    EXPECT_TRUE(ParseMsList(text, *rec, err)) << name << ": " << err.message;
    rec->PrepareData(CoreSettings{});
    return rec;
}

// Intervals of random kinds; each kind stresses a different part of the signal.
std::vector<int> randomIntervals(int kind, std::mt19937& gen, int beats) {
    std::uniform_int_distribution<int> any(0, 255), small(-3, 3), pick(0, 99);
    std::vector<int> rr;
    int v = 80;
    for (int i = 0; i < beats; ++i) {
        switch (kind) {
        case 0:  // anything, zeros and 255 included
            v = any(gen);
            break;
        case 1:  // a calm rhythm drifting by a few units
            v = std::clamp(v + small(gen), 40, 160);
            break;
        case 2:  // calm with dropouts (0) and spikes (255)
            v = std::clamp(v + small(gen), 40, 160);
            rr.push_back(pick(gen) < 3 ? 0 : pick(gen) < 3 ? 255 : v);
            continue;
        default:  // long equal runs, then a jump
            if (pick(gen) < 5)
                v = 30 + any(gen) % 200;
            break;
        }
        rr.push_back(v);
    }
    return rr;
}

void expectSameSamples(const std::vector<double>& want, const std::vector<double>& got,
                       const std::string& what) {
    ASSERT_EQ(want.size(), got.size()) << what;
    for (size_t t = 0; t < want.size(); ++t)
        ASSERT_EQ(std::memcmp(&want[t], &got[t], sizeof(double)), 0)
            << what << ": sample " << t << " " << want[t] << " vs " << got[t];
}

// Overview, every fragment start in `starts` (clamped to what fits), and for
// `spectrumStarts` the whole report against the direct sum.
void compareWithOracle(const Recording& rec, const std::string& name,
                       const std::vector<int>& starts, const std::vector<int>& spectrumStarts) {
    auto buf = std::make_unique<AnalysisBuffers>();
    const ResampleResult r = PrepareAnalysis(rec, *buf);
    const oracle::Signal old = oracle::Resample(buf->RRSource, rec.CurrentFileLen);
    EXPECT_EQ(r.enough, old.result.enough) << name;
    EXPECT_EQ(r.total, old.result.total) << name;
    EXPECT_EQ(r.length, old.result.length) << name;
    if (!r.enough)
        return;
    const Overview o = MakeOverview(*buf, r), oldO = oracle::MakeOverview(old);
    EXPECT_EQ(o.BufLen, oldO.BufLen) << name;
    EXPECT_EQ(o.RRViewBuf, oldO.RRViewBuf) << name;
    const int lastStart = o.BufLen - kFragmentSeconds;
    for (int s : starts) {
        s = std::clamp(s, 0, lastStart);
        buf->CutFragment(s, r);
        expectSameSamples(oracle::Cut(old, s), buf->FragmentBuf,
                          name + " from " + std::to_string(s));
    }
    for (int s : spectrumStarts) {
        s = std::clamp(s, 0, lastStart);
        auto report = std::make_unique<FragmentReport>();
        ASSERT_TRUE(AnalyzeFragment(rec, s, r, *buf, *report, nullptr));
        const oracle::Spectrum want = oracle::DirectSpectrum(oracle::Cut(old, s).data());
        double peak = 0;
        for (int k = 1; k <= kSpectrumBins; ++k)
            peak = std::max(peak, want.bins[k]);
        for (int k = 1; k <= kSpectrumBins; ++k)
            ASSERT_NEAR(report->FrSpecBuf[k], want.bins[k],
                        1e-9 * std::max(want.bins[k], 1e-3 * peak))
                << name << " from " << s << ", bin " << k;
        const BandResults& b = want.bands;
        const std::pair<int, double> rounded[] = {{report->FrVLF, b.VLF},
                                                  {report->FrLF, b.LF},
                                                  {report->FrHF, b.HF},
                                                  {report->FrTotalPower, b.TP},
                                                  {report->FrLFnorm, b.LFnorm},
                                                  {report->FrHFnorm, b.HFnorm},
                                                  {report->FrLFdivHF, 100 * b.LFdivHF}};
        for (const auto& [got, exact] : rounded)
            EXPECT_EQ(got, SaturatedRound(exact)) << name << " from " << s << ": " << exact;
    }
}

TEST(AnalysisOracle, RecordingsOfTheTestData) {
    const char* names[] = {"nsr2db-nsr009-31999.txt", "pyhrv-series_1.txt",
                           "rhenanbartels_hrv-08012805.txt", "rhenanbartels_hrv-noisy_rri.txt"};
    for (const char* name : names) {
        auto rec = fromMsList(name);
        compareWithOracle(*rec, name, {0, 1, 299, 600, 1234, 100000}, {0, 600, 100000});
    }
    // The day: fragments far past the first 30 000 s, still bit for bit the whole signal's.
    auto day = fromMsList("nsr2db-nsr009.txt");
    compareWithOracle(*day, "the day", {600, 29999, 30001, 54321, 100000}, {40000, 100000});
}

TEST(AnalysisOracle, RandomRecordings) {
    std::mt19937 gen(20261209);
    const struct {
        int kind, beats;
    } rows[] = {{0, 3000}, {1, 500}, {1, 31999}, {2, 2000}, {3, 4000}, {0, 31999}};
    for (const auto& row : rows) {
        auto rec = fromIntervals(randomIntervals(row.kind, gen, row.beats));
        const std::string name =
            "kind " + std::to_string(row.kind) + " x" + std::to_string(row.beats);
        std::uniform_int_distribution<int> start(0, 30000);
        compareWithOracle(*rec, name, {0, start(gen), start(gen), 100000}, {start(gen) % 2000});
    }
}

// Signals at the edges: just 300 s, 80 000 s of 31999 beats, and zero intervals at the start
// and the end.
TEST(AnalysisOracle, Edges) {
    std::vector<int> exact(300, 100);
    exact.insert(exact.begin(), 50);  // the first interval gives no samples
    std::vector<int> short1(300, 100);
    short1[299] = 99;  // 299.99 s: too short
    std::vector<int> zeros(400, 0);
    for (int i = 100; i < 380; ++i)
        zeros[i] = 120 + i % 7;
    const struct {
        const char* name;
        std::vector<int> rr;
    } rows[] = {{"300 s", exact},
                {"299.99 s", short1},
                {"long beats", std::vector<int>(31999, 250)},
                {"zeros around", zeros}};
    for (const auto& row : rows) {
        auto rec = fromIntervals(row.rr);
        compareWithOracle(*rec, row.name, {0, 1, 30000, 79000}, {0, 79000});
    }
}

}  // namespace
}  // namespace trivant
