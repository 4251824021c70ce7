// PrepareData, which slides one histogram along the recording, against the window of every
// beat counted afresh: real recordings and made-up extreme ones, at several window sizes.
#include "core_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <tuple>

namespace trivant::test {
namespace {

// PrepareData as it was before the sliding window: CalcIndices recounts each beat's window.
void prepareBeatByBeat(Recording& rec, const CoreSettings& cfg) {
    rec.CurrentFileLen = std::clamp(rec.CurrentFileLen, 0, kCapacity);
    for (auto& s : rec.DataSeries)
        std::fill(s.begin(), s.end(), uint8_t{0});
    rec.sRR = rec.sSPO = {0, 255};
    rec.Unpack();
    const int last = rec.CurrentFileLen - 1;
    for (int k = 1; k <= last; ++k) {
        rec.sRR.update(rec.at(kSerRR, k));
        rec.sSPO.update(rec.at(kSerSPO, k));
    }
    for (int k = 1; k <= last; ++k)
        rec.CalcIndices(k, cfg);
    rec.SetScales(cfg);
    rec.CalcAverages(1, last, cfg.Sample);
}

auto histoFields(const Histogram& h) {
    return std::tie(h.HistoBuf, h.Histo50Buf, h.XMin, h.XMax, h.Moda, h.AMo, h.DeltaX, h.XMin50,
                    h.XMax50, h.Moda50, h.AMo50, h.DeltaX50, h.peak, h.windowLen, h.windowSum,
                    h.windowSumSq);
}

auto scalars(const Recording& r) {
    auto range = [](const SeriesInfo& s) { return std::make_pair(s.Max, s.Min); };
    return std::make_tuple(range(r.sRR), range(r.sSPO), range(r.sSYM), range(r.sPAR),
                           range(r.sSDNN), range(r.sIB), r.ScSPO, r.ScRR, r.ScHRV, r.ScIB, r.averRR,
                           r.averSYM, r.averPAR, r.averSDNN, r.averSPO, r.averIB50, r.AveragesValid,
                           r.SYM, r.PAR, r.SDNN, r.IB50, r.LabNum);
}

// Beats as (RR in 10 ms, SpO2 or kLabelMark) words, prepared both ways at every window.
void expectSameAsBeatByBeat(const std::vector<SampleWord>& beats, const std::string& name,
                            std::initializer_list<int> samples = {10, 20, 50, 100, 200, 499, 500},
                            std::initializer_list<bool> compensations = {false, true}) {
    for (int sample : samples)
        for (bool compensation : compensations) {
            Recording got, want;
            std::copy(beats.begin(), beats.end(), got.DataBuf.begin() + 1);
            got.CurrentFileLen = static_cast<int>(beats.size()) + 1;
            want.DataBuf = got.DataBuf;
            want.CurrentFileLen = got.CurrentFileLen;
            got.PrepareData(settings(sample, compensation));
            prepareBeatByBeat(want, settings(sample, compensation));
            const auto where =
                name + " S=" + std::to_string(sample) + " comp=" + std::to_string(compensation);
            for (int s = 0; s < kSeriesCount; ++s)
                ASSERT_EQ(got.DataSeries[s], want.DataSeries[s]) << where << " series " << s;
            ASSERT_TRUE(scalars(got) == scalars(want)) << where;
            ASSERT_TRUE(histoFields(got.Histo) == histoFields(want.Histo)) << where;
        }
}

std::vector<SampleWord> msList(const std::filesystem::path& file, size_t maxBeats) {
    std::ifstream in(file);
    std::vector<SampleWord> beats;
    for (double ms; beats.size() < maxBeats && in >> ms;)
        beats.push_back(packSample(static_cast<uint8_t>(std::min(ms / 10.0 + 0.5, 255.0)), 97));
    return beats;
}

TEST(PrepareOracle, RealRecordings) {
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(TRIVANT_TEST_DATA "/rr")) {
        if (e.path().extension() != ".txt")
            continue;
        ++files;
        const auto name = e.path().filename().string();
        // In full at one window, and the first thousand beats at all of them.
        expectSameAsBeatByBeat(msList(e.path(), kMaxBeats), name, {100}, {false});
        expectSameAsBeatByBeat(msList(e.path(), 1000), name);
    }
    EXPECT_GE(files, 4);
}

// Each case maps a beat's index and a random draw to its RR in 10 ms units.
struct MadeUp {
    const char* name;
    int (*rr)(int i, std::mt19937& rng);
};

int draw(std::mt19937& rng, int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

const MadeUp kMadeUp[] = {
    {"all equal", [](int, std::mt19937&) { return 80; }},
    {"0, 1 and 255",
     [](int, std::mt19937& g) {
         return std::array{0, 1, 255}[draw(g, 0, 2)];
     }},
    {"alternating", [](int i, std::mt19937&) { return i % 2 ? 60 : 61; }},
    {"long runs", [](int i, std::mt19937&) { return 70 + (i / 137) % 7 * 3; }},
    {"full range", [](int, std::mt19937& g) { return draw(g, 0, 255); }},
    {"near ties", [](int, std::mt19937& g) { return draw(g, 78, 82); }},
    {"walk",
     [](int i, std::mt19937& g) { return std::clamp(90 + i % 400 / 4 - draw(g, 0, 30), 0, 255); }},
};

TEST(PrepareOracle, MadeUpRecordings) {
    std::mt19937 rng(11);
    for (const auto& c : kMadeUp) {
        std::vector<SampleWord> beats(700);
        for (int i = 0; i < 700; ++i) {
            const bool label = draw(rng, 0, 99) == 0;
            beats[i] = packSample(static_cast<uint8_t>(c.rr(i, rng)),
                                  label ? kLabelMark : static_cast<uint8_t>(draw(rng, 80, 99)));
        }
        expectSameAsBeatByBeat(beats, c.name);
    }
}

}  // namespace
}  // namespace trivant::test
