// Trivant's CSV recording: what it writes for each kind of source, and that reading it back
// gives the same recording and the same bytes.
#include "recording_builder.h"
#include "rr_csv.h"
#include "rr_file.h"
#include "trivant_csv.h"

#include <gtest/gtest.h>

namespace trivant {
namespace {

std::unique_ptr<Recording> load(const std::string& text) {
    auto rec = std::make_unique<Recording>();
    MsListError err;
    EXPECT_TRUE(ParseRrList(text, *rec, err)) << text << ": " << err.message;
    rec->PrepareData(CoreSettings{});
    return rec;
}

TEST(TrivantCsv, MsTextKeepsTheMicrosecondsWithoutTrailingZeros) {
    const std::pair<int64_t, const char*> cases[] = {
        {812345, "812.345"},   {812300, "812.3"},   {812000, "812"}, {5, "0.005"}, {0, "0"},
        {2554999, "2554.999"}, {1000050, "1000.05"}};
    for (const auto& [us, text] : cases)
        EXPECT_EQ(MsText(us), text) << us;
}

// Each source written as CSV, then read and written again: the same recording, the same bytes.
TEST(TrivantCsv, RoundTripsEverySource) {
    const struct {
        const char* name;
        std::string source, csv;
        int rounded;  // intervals a .rr file would round
    } cases[] = {
        {"list to the microsecond", "812.3456\n800\n805\n",
         "RR_ms;SpO2;label\n812.346;;0\n800;;0\n805;;0\n", 2},
        {"list with SpO2", "800 97\n810.5 96\n", "RR_ms;SpO2;label\n800;97;0\n810.5;96;0\n", 1},
        {"Kubios seconds", "Time (s)\tRR (s)\n0.8\t0.8\n1.615\t0.815\n",
         "RR_ms;SpO2;label\n800;;0\n815;;0\n", 1},
        {"comment, labels, SpO2",
         "# comment: утро; сидя\nRR_ms;SpO2;label\n812.5;97;1\n790;96;0\n791;95;1\n",
         "# comment: утро; сидя\nRR_ms;SpO2;label\n812.5;0;1\n790;96;0\n791;96;1\n", 2},
        {"labels, no SpO2", "RR_ms;SpO2;label\n1000;;1\n990.25;;0\n",
         "RR_ms;SpO2;label\n1000;;1\n990.25;;0\n", 1},
        {"empty", "RR_ms;SpO2;label\n", "RR_ms;SpO2;label\n", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto first = load(c.source);
        EXPECT_EQ(first->RoundedIntervals(), c.rounded);
        EXPECT_EQ(FormatTrivantCsv(*first), c.csv);
        const auto again = load(c.csv);
        EXPECT_EQ(FormatTrivantCsv(*again), c.csv);
        EXPECT_EQ(EncodeRr(*again), EncodeRr(*first));
        EXPECT_EQ(again->ExactUs, first->ExactUs);
        EXPECT_EQ(again->Comment, first->Comment);
        EXPECT_EQ(again->HasSpO2(), c.csv.find(";;") == std::string::npos && first->beats() > 0);
    }
}

// A recording of 10 ms values (a .rr file) goes through CSV to the same .rr bytes.
TEST(TrivantCsv, RrThroughCsvGivesTheSameBytes) {
    const auto rec =
        test::buildRecording({{80, 97}, {81, 0, true}, {255, 96}, {0, 95}, {79, 94, true}});
    rec->PrepareData(CoreSettings{});
    const std::string csv = FormatTrivantCsv(*rec);
    EXPECT_EQ(csv, "RR_ms;SpO2;label\n800;97;0\n810;97;1\n2550;96;0\n0;95;0\n790;95;1\n");
    const auto back = load(csv);
    EXPECT_EQ(EncodeRr(*back), EncodeRr(*rec));
    EXPECT_EQ(back->RoundedIntervals(), 0);
}

TEST(TrivantCsv, RefusesALabelThatIsNeitherZeroNorOne) {
    auto rec = std::make_unique<Recording>();
    MsListError err;
    EXPECT_FALSE(ParseRrList("RR_ms;SpO2;label\n800;;0\n800;;yes\n", *rec, err));
    EXPECT_EQ(err.line, 3);
    EXPECT_EQ(err.message, "label must be 0 or 1: 'yes'");
}

}  // namespace
}  // namespace trivant
