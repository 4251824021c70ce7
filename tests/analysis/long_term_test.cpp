// SDANN and SDNN index: the segments' edges on made-up series, and the real lists against
// values computed once outside this code, by tests/analysis/long_term_oracle.py (Python's
// exact fractions for the sums and means, statistics.stdev for each SD).
#include "atomic_file.h"
#include "long_term.h"
#include "rr_csv.h"

#include <gtest/gtest.h>

#include <cmath>

namespace trivant {
namespace {

std::vector<int64_t> repeated(std::vector<std::pair<int, int64_t>> runs) {
    std::vector<int64_t> us;
    for (const auto& [count, ms] : runs)
        us.insert(us.end(), static_cast<size_t>(count), ms * 1000);
    return us;
}

constexpr double kNone = -1;  // undefined

void expectValue(const std::optional<double>& got, double want, const std::string& what) {
    if (want == kNone) {
        EXPECT_FALSE(got) << what;
        return;
    }
    ASSERT_TRUE(got) << what;
    EXPECT_NEAR(*got, want, 1e-9 * std::max(1.0, want)) << what;
}

TEST(LongTerm, SegmentsCountOnlyWhenTheRecordingReachesTheirEnd) {
    const struct {
        const char* name;
        std::vector<int64_t> us;
        int segments;
        double sdann, sdnni;
    } rows[] = {
        // 300 s of 1 s, then 600 s of 2 s: means 1000, 2000, 2000.
        {"three", repeated({{300, 1000}, {300, 2000}}), 3, std::sqrt(1e6 / 3), 0},
        // 599.999 s: the second segment is one ms short, and left out.
        {"short by 1 ms", repeated({{599, 1000}, {1, 999}}), 1, kNone, 0},
        {"exactly 600 s", repeated({{300, 1000}, {150, 2000}}), 2, std::sqrt(5e5), 0},
        // The interval that starts at 299.5 s belongs to the first segment, whatever its end;
        // the one from 300.5 s to the second, which the recording's end leaves incomplete.
        {"straddling", repeated({{1, 299500}, {1, 1000}, {1, 500}}), 1, kNone,
         (299500 - 1000) / std::sqrt(2)},
        {"too short", repeated({{299, 1000}}), 0, kNone, kNone},
        {"empty", {}, 0, kNone, kNone},
    };
    for (const auto& row : rows) {
        const LongTermMeasures m = ComputeLongTerm(row.us);
        EXPECT_EQ(m.segments, row.segments) << row.name;
        expectValue(m.sdann, row.sdann, std::string(row.name) + " sdann");
        expectValue(m.sdnni, row.sdnni, std::string(row.name) + " sdnni");
    }
}

TEST(LongTerm, RealListsAgainstExactArithmetic) {
    const struct {
        const char* file;
        double durationS;
        int n, segments;
        double sdnn, sdann, sdnni;
    } rows[] = {
        {"nsr2db-nsr009.txt", 86010.872, 102858, 286, 167.86729238827417, 154.53416526660465,
         64.82321407366112},
        {"nsr2db-nsr009-31999.txt", 23064.27, 31999, 76, 106.0685292670195, 84.17427184833144,
         53.294104570953095},
        {"pyhrv-series_1.txt", 3599.365, 4684, 11, 85.35721021230724, 22.33572533405898,
         82.54361877196342},
        {"rhenanbartels_hrv-08012805.txt", 1270.512, 2380, 4, 187.53842487837207,
         186.52499379138052, 118.52231047893383},
    };
    for (const auto& row : rows) {
        std::string text;
        ASSERT_TRUE(
            ReadFileBytes(std::string(TRIVANT_TEST_DATA) + "/rr/" + row.file, text, 1u << 24).ok);
        auto rec = std::make_unique<Recording>();
        MsListError err;
        ASSERT_TRUE(ParseRrList(text, *rec, err)) << row.file << ": " << err.message;
        const LongTermMeasures m = RecordingLongTerm(*rec);
        EXPECT_NEAR(m.durationS, row.durationS, 1e-9) << row.file;
        EXPECT_EQ(m.n, row.n) << row.file;
        EXPECT_EQ(m.segments, row.segments) << row.file;
        expectValue(m.sdnn, row.sdnn, std::string(row.file) + " sdnn");
        expectValue(m.sdann, row.sdann, std::string(row.file) + " sdann");
        expectValue(m.sdnni, row.sdnni, std::string(row.file) + " sdnni");
    }
}

}  // namespace
}  // namespace trivant
