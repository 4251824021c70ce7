// Trivant's CSV recording: what it writes for each kind of source, and that reading it back
// gives the same recording and the same bytes.
#include "label_edit.h"
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

// Each source as CSV, then read and written again: the same recording, the same bytes. The
// first is a .rr file's: 10 ms values, labels, SpO2 and the extremes.
TEST(TrivantCsv, RoundTripsEverySource) {
    auto rr = test::buildRecording({{80, 97}, {81, 0, true}, {255, 96}, {0, 95}});
    rr->PrepareData(CoreSettings{});
    const struct {
        std::string source, csv;
        int rounded;  // intervals a .rr file would round
    } cases[] = {
        // A .rr file keeps no SpO2 beside a label.
        {"", "RR_ms;SpO2;label\n800;97;0\n810;;1\n2550;96;0\n0;95;0\n", 0},
        {"812.3456\n800\n805\n", "RR_ms;SpO2;label\n812.346;;0\n800;;0\n805;;0\n", 2},
        {"# comment: утро; сидя\nRR_ms;SpO2;label\n812.5;97;1\n790;96;0\n791.005;;1\n",
         "# comment: утро; сидя\nRR_ms;SpO2;label\n812.5;97;1\n790;96;0\n791.005;;1\n", 2},
        {"RR_ms;SpO2;label\n", "RR_ms;SpO2;label\n", 0},
        {"RR_ms;SpO2;label\n800;97;1\n810;0;0\n", "RR_ms;SpO2;label\n800;97;1\n810;0;0\n", 0},
        {"RR_ms;SpO2;label\n800;97;0\n# slot: 0;97;0\n",
         "RR_ms;SpO2;label\n800;97;0\n# slot: 0;97;0\n", 0},
        // Named labels; a name with the separator or a quote is quoted, a comma stays one.
        {"RR_ms;SpO2;label\n800;97;Ночь\n810;96;\"a;\"\"b\"\"\"\n820;95; 1,5 \n",
         "RR_ms;SpO2;label\n800;97;Ночь\n810;96;\"a;\"\"b\"\"\"\n820;95;1,5\n", 0},
        {"RR,label\n800,Rest\n810,0\n820,2\n", "RR_ms;SpO2;label\n800;;Rest\n810;;0\n820;;2\n", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.csv);
        const auto first = c.source.empty() ? std::move(rr) : load(c.source);
        EXPECT_EQ(first->RoundedIntervals(), c.rounded);
        EXPECT_EQ(FormatTrivantCsv(*first), c.csv);
        const auto again = load(c.csv);
        EXPECT_EQ(FormatTrivantCsv(*again), c.csv);
        EXPECT_EQ(EncodeRr(*again), EncodeRr(*first));
        EXPECT_TRUE(!first->hasExact() || again->ExactUs == first->ExactUs);
        EXPECT_EQ(again->Comment, first->Comment);
        EXPECT_EQ(again->LabelSpO2, first->LabelSpO2);
        EXPECT_EQ(again->LabelNames, first->LabelNames);
    }
}

// Names put on beats come back from the CSV as they were kept: line ends made spaces.
TEST(TrivantCsv, PutNamesComeBack) {
    auto rec = load("RR_ms;SpO2;label\n800;97;0\n810;96;0\n820;95;0\n");
    ASSERT_TRUE(SetLabel(*rec, 1, true, "\"Stage\"; 1\r\nfast"));
    ASSERT_TRUE(SetLabel(*rec, 3, true));
    rec->PrepareData(CoreSettings{});
    const std::string csv = FormatTrivantCsv(*rec);
    EXPECT_EQ(csv, "RR_ms;SpO2;label\n800;97;\"\"\"Stage\"\"; 1  fast\"\n810;96;0\n820;95;1\n");
    const auto again = load(csv);
    EXPECT_EQ(again->labelName(1), "\"Stage\"; 1  fast");
    EXPECT_EQ(again->labelSpO2(1), 97);
    EXPECT_EQ(again->LabelNames.size(), 1u);
}

// Every word of a .rr file comes back through the CSV, whatever it holds: labels, SpO2 past
// 100, RR 0, and the word after the last beat (RR 0 with an SpO2, a pending label, nothing).
TEST(TrivantCsv, KeepsEveryWordOfARrFile) {
    for (size_t bytes : {2u, 4u, 10u, 100u, 1000u, 64002u}) {
        for (uint8_t slotLow : {uint8_t{0}, uint8_t{97}, kLabelMark}) {
            std::string rr(bytes, '\0');
            for (size_t i = 2; i < bytes; ++i)
                rr[i] = static_cast<char>((i * 7 + 3) & 0xFF);
            if (bytes >= 4) {
                rr[bytes - 2] = static_cast<char>(slotLow);
                rr[bytes - 1] = 0;
            }
            Recording first;
            DecodeRr(rr, first);
            first.PrepareData(CoreSettings{});
            const auto again = load(FormatTrivantCsv(first));
            EXPECT_EQ(EncodeRr(*again), bytes > 2 ? rr : std::string(4, '\0')) << bytes;
        }
    }
}

}  // namespace
}  // namespace trivant

// Beats from an ECG record keep their samples and name their record; a table whose samples
// don't climb keeps its intervals and lets the record go.
TEST(TrivantCsv, KeepsTheEcgRecordOfItsBeats) {
    auto rec = load("# source: ecg/101.hea\n# channel: MLII\nRR_ms;SpO2;label;sample\n800;;0;288\n"
               "812.5;;1;580\n");
    EXPECT_EQ(rec->BeatSamples, (std::vector<int64_t>{-1, 288, 580}));
    EXPECT_EQ(rec->EcgSource, "ecg/101.hea");
    EXPECT_EQ(rec->EcgChannel, "MLII");
    rec->BeatSamples[0] = 0;
    EXPECT_EQ(FormatTrivantCsv(*rec, "101.hea"),
              "# source: 101.hea\n# channel: MLII\nRR_ms;SpO2;label;sample\n800;;0;288\n"
              "812.5;;1;580\n");
    for (const char* bad : {"800;;0;288\n812.5;;1;288\n", "800;;0;-5\n812.5;;1;580\n",
                            "800;;0;288\n812.5;;1;x\n"}) {
        rec = load(std::string("# source: 101.hea\nRR_ms;SpO2;label;sample\n") + bad);
        EXPECT_FALSE(rec->hasEcg()) << bad;
        EXPECT_EQ(rec->beats(), 2);
    }
}

TEST(TrivantCsv, NamesItsRecordFromItsOwnFolder) {
    EXPECT_EQ(SourceFromCsv("/data/out/a.csv", "/data/out/101.hea"), "101.hea");
    EXPECT_EQ(SourceFromCsv("/data/out/a.csv", "/data/ecg/101.hea"), "../ecg/101.hea");
    EXPECT_EQ(SourceFromCsv("/data/a.csv", "/data/ecg/101.hea"), "ecg/101.hea");
}
