// SDANN and SDNN index: the segments' edges on made-up series, and real lists against
// tests/analysis/long_term_oracle.py, which computes them apart from this code with numpy.
#include "atomic_file.h"
#include "long_term.h"
#include "rr_csv.h"

#include <gtest/gtest.h>

#include <cmath>

namespace trivant {
namespace {

constexpr double kNone = -1;  // undefined

void expectValue(const std::optional<double>& got, double want, const std::string& what) {
    EXPECT_EQ(got.has_value(), want != kNone) << what;
    if (got && want != kNone) {
        EXPECT_NEAR(*got, want, 1e-9 * want) << what;
    }
}

TEST(LongTerm, SegmentsCountOnlyWhenTheRecordingReachesTheirEnd) {
    const struct {
        const char* name;
        std::vector<int64_t> ms;
        int segments;
        double sdann, sdnni;
    } rows[] = {
        // The interval from 299.5 s is the first segment's; the second ends at 599.999 s.
        {"short by 1 ms", {299500, 1000, 149750, 149749}, 1, kNone, 298500 / std::sqrt(2)},
        {"exactly 600 s",
         {299500, 1000, 149750, 149750},
         2,
         500 / std::sqrt(2),
         298500 / std::sqrt(2) / 2},
        {"means apart", {100000, 100000, 100000, 200000, 200000}, 2, 100000 / std::sqrt(2), 0},
        {"too short", {1000, 1000}, 0, kNone, kNone},
    };
    for (const auto& row : rows) {
        std::vector<int64_t> us;
        for (int64_t ms : row.ms)
            us.push_back(ms * 1000);
        const LongTermMeasures m = ComputeLongTerm(us);
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
        {"pyhrv-series_1.txt", 3599.365, 4684, 11, 85.35721021230724, 22.33572533405898,
         82.54361877196342},
    };
    for (const auto& row : rows) {
        std::string text;
        ASSERT_TRUE(
            ReadFileBytes(std::string(TRIVANT_TEST_DATA) + "/rr/" + row.file, text, 1 << 24).ok);
        Recording rec;
        MsListError err;
        ASSERT_TRUE(ParseRrList(text, rec, err)) << row.file;
        const LongTermMeasures m = RecordingLongTerm(rec);
        EXPECT_EQ(std::make_tuple(m.durationS, m.n, m.segments),
                  std::make_tuple(row.durationS, row.n, row.segments));
        expectValue(m.sdnn, row.sdnn, std::string(row.file) + " sdnn");
        expectValue(m.sdann, row.sdann, std::string(row.file) + " sdann");
        expectValue(m.sdnni, row.sdnni, std::string(row.file) + " sdnni");
    }
}

}  // namespace
}  // namespace trivant
