// The start of a list: the "# start: " line of Trivant's CSV, written and read back beside the
// comment, and the first row's date-time of exports that time their rows.
#include "clock_time.h"
#include "recording_file.h"
#include "rr_csv.h"
#include "trivant_csv.h"

#include <gtest/gtest.h>

namespace trivant {
namespace {

std::string startOf(const Recording& rec) {
    return rec.StartClockS == kNoClock ? "" : DateTimeText(rec.StartClockS);
}

TEST(CsvStart, ReadFromTheStartLineOrTheFirstRowAndWrittenBack) {
    const std::pair<const char*, const char*> cases[] = {
        // text, start ("": unknown)
        {"# comment: утро\n# start: 2026-12-09T22:15:00\nRR_ms;SpO2;label\n800;;0\n",
         "2026-12-09T22:15:00"},
        // Alone, the start line is no comment; seconds may be left out.
        {"# start: 2026-12-09T22:15\r\nRR_ms;SpO2;label\n800;;0\n", "2026-12-09T22:15:00"},
        {"\xEF\xBB\xBF# start: 2024-02-29 23:59:59\n800\n810\n", "2024-02-29T23:59:59"},
        {"# start: tomorrow\nRR_ms;SpO2;label\n800;;0\n", ""},
        {"RR_ms;SpO2;label\n# start: 2026-12-09T22:15:00\n800;;0\n", ""},
        // The phone's time is the beat's arrival: its interval is taken off, to the second.
        {"Phone timestamp;RR-interval [ms]\n2022-05-10T00:00:00.400;1000\n", "2022-05-09T23:59:59"},
        {"\"Phone timestamp\";RR\n2022-05-10T10:00:01,000;0.8\n2022-05-10T10:00:01,800;0.8\n",
         "2022-05-10T10:00:00"},
        {"date,rr,since start\n2024-02-01 08:50:31.000,1136,0\n", "2024-02-01T08:50:31"},
        {"Time (s)\tRR (s)\n0.000\t0.800\n", ""},
    };
    for (const auto& [text, start] : cases) {
        SCOPED_TRACE(text);
        Recording rec, back;
        MsListError err;
        ASSERT_TRUE(ParseRrList(text, rec, err)) << err.message;
        EXPECT_EQ(startOf(rec), start);
        const std::string csv = FormatTrivantCsv(rec);
        const std::string lead = (rec.Comment.empty() ? "" : "# comment: " + rec.Comment + "\n") +
                                 (*start ? std::string("# start: ") + start + "\n" : "") +
                                 "RR_ms;SpO2;label\n";
        EXPECT_EQ(csv.substr(0, lead.size()), lead);
        ASSERT_TRUE(ParseRrList(csv, back, err)) << err.message;
        EXPECT_EQ(back.StartClockS, rec.StartClockS);
        EXPECT_EQ(back.Comment, rec.Comment);
    }
}

// The two exports of tests/data/lists that time their rows begin at 08:50:31.
TEST(CsvStart, ExportsTellTheirStartBeforeTheyAreRead) {
    for (const char* name : {"real_rri_sensor_logger.csv", "real_rri_hrv_logger.csv",
                             "real_rri_kubios.txt", "real_rri_polar.txt", "none.csv"}) {
        const std::string path = std::string(TRIVANT_TEST_DATA) + "/lists/" + name;
        const bool timed = std::string(name).find("logger") != std::string::npos;
        Recording rec;
        EXPECT_EQ(LoadRecordingFile(path, rec).status.ok, name[0] != 'n') << name;
        EXPECT_EQ(startOf(rec), timed ? "2024-02-01T08:50:31" : "") << name;
        EXPECT_EQ(RecordingStartKnown(path), timed) << name;
    }
}

}  // namespace
}  // namespace trivant
