// trivant-cli trend and stages: their columns, the same bytes on any number of threads, and
// their refusals.
#include "cli_fixture.h"

#include "number_text.h"
#include "span_csv.h"

#include <QImage>

namespace trivant::test {
namespace {

TEST_F(CliTest, TrendAndStagesGiveTheSameBytesOnOneOrTwoThreads) {
    const std::string a = data("pyhrv-series_1.txt"), b = data("rhenanbartels_hrv-08012805.txt");
    for (const char* command : {"trend", "stages"}) {
        SCOPED_TRACE(command);
        const CliRun one = run({command, a, b, a, "--jobs", "1"});
        const CliRun two = run({command, a, b, a, "--jobs", "2"});
        ASSERT_EQ(one.status, kExitOk) << one.err;
        EXPECT_EQ(one.out, two.out);
        const std::string head = one.out.substr(0, one.out.find('\n'));
        EXPECT_EQ(head.substr(0, head.find(",n,")), std::string(command) == "trend"
                                                        ? "file,start_s,end_s"
                                                        : "file,stage,start_s,duration_s");
        EXPECT_NE(
            head.find(",sampen,threshold_ms,flagged,percent,corrected,edited,exact_intervals"),
            std::string::npos);
    }
    // 3600.3 s of 10 ms values after the first interval in windows of 300 s every 30 s.
    const CliRun t = run({"trend", a, "--json"});
    EXPECT_EQ(std::count(t.out.begin(), t.out.end(), '\n'), 111);
    EXPECT_EQ(jsonOf(t.out)["end_s"].toDouble(), 300);
    // The bands chosen are measured and named in each row.
    const CliRun e = run({"trend", a, "--json", "--bands", "0.0033,0.04,0.3,0.6"});
    EXPECT_EQ(jsonOf(e.out)["bands"].toObject()["hf_lo_hz"].toDouble(), 0.3);
    EXPECT_EQ(jsonOf(e.out)["vlf"].toDouble(), jsonOf(t.out)["vlf"].toDouble());
    EXPECT_NE(jsonOf(e.out)["hf"].toDouble(), jsonOf(t.out)["hf"].toDouble());
    ASSERT_EQ(run({"trend", a, "--png", "t.png", "--size", "640x480"}).status, kExitOk);
    EXPECT_EQ(QImage(QString::fromStdString(dir.file("t.png"))).size(), QSize(640, 480));
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"trend", a, "--window", "29"},
          {"trend", a, a, "--png", "t.png"},
          {"trend", a, "--png", "t.jpg"},
          {"trend", a, "--window", "60", "--step", "61"},
          {"trend", a, "--step", "0"},
          {"trend", a, "--bands", "0.0033,0.04,0.15"},
          {"stages", a, "--bands", "0.0033,0.15,0.04,0.4"},
          {"analyze", a, "--bands", "0.0033,0.04,0.15,2.5"}}) {
        const CliRun r = run(bad);
        EXPECT_EQ(r.status, kExitUsage) << bad.back();
    }
}

// Each row's numbers in the shortest form that reads back the same, yes/no as 1/0, and the
// bands chosen in the last columns.
TEST_F(CliTest, RowsHoldShortestNumbersAndOneFormOfYesAndNo) {
    const CliRun r = run({"stages", data("pyhrv-series_1.txt"), "--artifacts", "medium", "--bands",
                          "0.0033,0.04,0.3,0.6"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_NE(r.out.find(",exact_intervals,vlf_lo_hz,lf_lo_hz,hf_lo_hz,hf_hi_hz\n"),
              std::string::npos);
    const std::string row = r.out.substr(r.out.find('\n') + 1);
    // corrected, nothing edited, exact intervals, then the bands
    EXPECT_NE(row.find(",1,0,1,0.0033,0.04,0.3,0.6\n"), std::string::npos) << row;
    long numbers = 0;
    for (std::size_t at = row.find(',') + 1; at < row.size(); ++numbers) {
        const std::size_t end = row.find_first_of(",\n", at);
        const std::string field = row.substr(at, end - at);
        double v = 0;
        EXPECT_TRUE(field.empty() || (ParseNumber(field, v) && NumberText(v) == field)) << field;
        at = end + 1;
    }
    EXPECT_EQ(numbers, std::count(row.begin(), row.end(), ','));
}

// Shorter than one window: the header and a message, no row, and success.
TEST_F(CliTest, TrendOfARecordingShorterThanOneWindowSaysSo) {
    const std::string a = data("rhenanbartels_hrv-noisy_rri.txt");  // 2403 s
    const std::string said =
        "trivant-cli: " + a + ": the recording lasts 2403 s, shorter than one 3600 s window\n";
    for (const char* format : {"--csv", "--json"}) {
        const CliRun r = run({"trend", a, "--window", "3600", format});
        EXPECT_EQ(r.status, kExitOk);
        EXPECT_EQ(r.out, format == std::string("--csv") ? SpanCsvHeader(kTrendPlace) + "\n" : "");
        EXPECT_EQ(r.err, said);
    }
    // The help names every column they write.
    for (const SpanPlace* place : {&kTrendPlace, &kStagePlace}) {
        const std::string help = run({place == &kTrendPlace ? "trend" : "stages", "--help"}).out;
        std::stringstream columns(SpanCsvHeader(*place));
        for (std::string column; std::getline(columns, column, ',');)
            EXPECT_NE(help.find(column), std::string::npos) << column;
    }
}

}  // namespace
}  // namespace trivant::test
