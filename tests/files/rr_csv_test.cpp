// The CSV reader: header names, separators, quotes, units and bad rows.
#include "rr_csv.h"

#include <gtest/gtest.h>

namespace trivant {
namespace {

TEST(RrCsv, FindsTheRrAndSpo2Columns) {
    const struct {
        const char* text;
        char sep;
        size_t rr;
        int spo;
    } cases[] = {
        {"RR\n", 0, 0, -1},
        {"\xEF\xBB\xBF# exported\n\nrr_ms,SpO2\n", ',', 0, 1},
        {"date,rr,since start\n", ',', 1, -1},
        {"Phone timestamp;RR-interval [ms]\n", ';', 1, -1},
        {"\"Time (s)\"\t\"RR (s)\"\n", '\t', 1, -1},
        {"\"a,b\",RRI\n", ',', 1, -1},  // a separator inside quotes
        {"Beat;NN;SpO2 (%)\n", ';', 1, 2},
        {"IBI\n", 0, 0, -1},
        {"time;RR intervals (ms);x\n", ';', 1, -1},
        {"t,NNI_s\n", ',', 1, -1},
        {"x),RR [ms]\n", ',', 1, -1},  // a stray bracket
    };
    for (const auto& c : cases) {
        RrCsvHeader h;
        ASSERT_TRUE(FindRrCsvHeader(c.text, h)) << c.text;
        EXPECT_EQ(h.separator, c.sep) << c.text;
        EXPECT_EQ(h.rrColumn, c.rr) << c.text;
        EXPECT_EQ(h.spoColumn, c.spo) << c.text;
    }
    for (const char* text : {"800\nRR\n", "HR,time\n", "RRR\n", "", "# RR\n", "SpO2\n"}) {
        RrCsvHeader h;
        EXPECT_FALSE(FindRrCsvHeader(text, h)) << text;
    }
}

TEST(RrCsv, ReadsUnitsSeparatorsAndDecimalCommas) {
    const struct {
        const char* text;
        std::vector<std::pair<double, int>> want;  // ms, SpO2
    } cases[] = {
        {"RR\n800\n805\n", {{800, -1}, {805, -1}}},
        {"RR\n0.8\n0.805\n0.815\n", {{800, -1}, {805, -1}, {815, -1}}},  // seconds, exactly
        {"t;RR;SpO2\n1;0,8;97\n2;0,81;\n", {{800, 97}, {810, -1}}},      // empty SpO2: none
        {"RR\n1,1\n", {{1100, -1}}},  // one column: the comma is a decimal point
        {"\"t\",\"RR\"\n\"x\",\"812\"\n# note\n\n\"y\", 790 \n", {{812, -1}, {790, -1}}},
    };
    for (const auto& c : cases) {
        std::vector<MsEntry> out;
        MsListError err;
        ASSERT_TRUE(ParseRrCsv(c.text, out, err, 100)) << c.text << ": " << err.message;
        ASSERT_EQ(out.size(), c.want.size()) << c.text;
        for (size_t i = 0; i < out.size(); ++i) {
            EXPECT_EQ(out[i].ms, c.want[i].first) << c.text << " row " << i;
            EXPECT_EQ(out[i].spo, c.want[i].second) << c.text << " row " << i;
        }
    }
}

TEST(RrCsv, RejectsTheFirstBadRowWithItsLine) {
    const struct {
        const char* text;
        int line;
        const char* message;
    } cases[] = {
        {"t,RR\n1,800\n2\n", 3, "no RR interval"},
        {"t,RR\n1,800\n2,\n", 3, "no RR interval"},
        {"RR\n800\nfast\n", 3, "not a number: 'fast'"},
        {"RR;SpO2\n800;255\n", 2, "SpO2 out of range 0..254: 255"},
        {"# x\nRR\n800\n2600\n", 4, "RR interval out of range 0..2550 ms: 2600"},
        {"RR\n800\n800\n800\n", 4, "more than 2 beats"},
        // An artifact doesn't move the median: still seconds, and said in them.
        {"RR\n0.8\n12\n0.9\n", 3, "RR interval out of range 0..2550 ms: 12 s"},
    };
    for (const auto& c : cases) {
        std::vector<MsEntry> out;
        MsListError err;
        EXPECT_FALSE(ParseRrCsv(c.text, out, err, 2)) << c.text;
        EXPECT_EQ(err.line, c.line) << c.text;
        EXPECT_EQ(err.message, c.message) << c.text;
    }
}

}  // namespace
}  // namespace trivant
