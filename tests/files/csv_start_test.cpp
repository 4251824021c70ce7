// The start of a list: the "# start: " line of Trivant's CSV, written and read back beside the
// comment, and the first row's date-time of exports that time their rows.
#include "clock_time.h"
#include "csv_start.h"
#include "recording_file.h"
#include "rr_csv.h"
#include "trivant_csv.h"

#include <gtest/gtest.h>

namespace trivant {
namespace {

TEST(CsvStart, ReadFromTheStartLineOrTheFirstRowAndWrittenBack) {
    const struct {
        const char* text;
        const char* start;  // empty: not known
        const char* comment;
    } cases[] = {
        {"# comment: утро\n# start: 2026-12-09T22:15:00\nRR_ms;SpO2;label\n800;;0\n",
         "2026-12-09T22:15:00", "утро"},
        // Alone, the start line is no comment; seconds may be left out.
        {"# start: 2026-12-09T22:15\r\nRR_ms;SpO2;label\n800;;0\n", "2026-12-09T22:15:00", ""},
        {"\xEF\xBB\xBF# start: 2024-02-29 23:59:59\n800\n810\n", "2024-02-29T23:59:59", ""},
        {"# start: tomorrow\nRR_ms;SpO2;label\n800;;0\n", "", ""},
        {"RR_ms;SpO2;label\n# start: 2026-12-09T22:15:00\n800;;0\n", "", ""},
        // The phone's time is the beat's arrival: its interval is taken off, to the second.
        {"Phone timestamp;RR-interval [ms]\n2022-05-10T10:32:48.577;1000\n", "2022-05-10T10:32:48",
         ""},
        {"Phone timestamp;RR-interval [ms]\n2022-05-10T00:00:00.400;1000\n", "2022-05-09T23:59:59",
         ""},
        {"\"Phone timestamp\";RR\n2022-05-10T10:00:01,000;0.8\n2022-05-10T10:00:01,800;0.8\n",
         "2022-05-10T10:00:00", ""},
        {"date,rr,since start\n2024-02-01 08:50:31.000,1136,0\n", "2024-02-01T08:50:31", ""},
        {"Time (s)\tRR (s)\n0.000\t0.800\n", "", ""},
        {"RR\n800\n", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Recording rec;
        MsListError err;
        ASSERT_TRUE(ParseRrList(c.text, rec, err)) << err.message;
        EXPECT_EQ(rec.StartClockS == kNoClock ? "" : DateTimeText(rec.StartClockS), c.start);
        EXPECT_EQ(rec.Comment, c.comment);
        const std::string csv = FormatTrivantCsv(rec);
        const std::string line = *c.start ? std::string("# start: ") + c.start + "\n" : "";
        const std::string lead = *c.comment ? std::string("# comment: ") + c.comment + "\n" : "";
        EXPECT_EQ(csv.substr(0, lead.size() + line.size() + 16), lead + line + "RR_ms;SpO2;label");
        Recording back;
        ASSERT_TRUE(ParseRrList(csv, back, err)) << err.message;
        EXPECT_EQ(back.StartClockS, rec.StartClockS);
        EXPECT_EQ(back.Comment, rec.Comment);
    }
}

// The exports of tests/data/lists: the two that time their rows begin at 08:50:31.
TEST(CsvStart, ExportsInTheListsTellTheirStartBeforeTheyAreRead) {
    for (const auto& [name, start] :
         {std::pair<const char*, const char*>{"real_rri_sensor_logger.csv", "2024-02-01T08:50:31"},
          {"real_rri_hrv_logger.csv", "2024-02-01T08:50:31"},
          {"real_rri_kubios.txt", ""},
          {"real_rri_polar.txt", ""}}) {
        SCOPED_TRACE(name);
        const std::string path = std::string(TRIVANT_TEST_DATA) + "/lists/" + name;
        Recording rec;
        ASSERT_TRUE(LoadRecordingFile(path, rec).status.ok);
        EXPECT_EQ(rec.StartClockS == kNoClock ? "" : DateTimeText(rec.StartClockS), start);
        EXPECT_EQ(RecordingStartKnown(path), *start != 0);
    }
    EXPECT_FALSE(RecordingStartKnown(std::string(TRIVANT_TEST_DATA) + "/lists/none.csv"));
}

}  // namespace
}  // namespace trivant
