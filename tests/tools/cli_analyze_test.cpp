// trivant-cli analyze: JSON and CSV output, a batch that goes on past a bad file, any
// fragment of a day, and the whole recording's long-term measures.
#include "cli_fixture.h"

#include "fragment_analysis.h"

#include <QByteArray>
#include <QJsonArray>

namespace trivant::test {
namespace {

TEST_F(CliTest, AnalyzeWritesTheReportFields) {
    ASSERT_EQ(run({"import-ms", data("pyhrv-series_1.txt"), "a.rr"}).status, kExitOk);
    const CliRun r = run({"analyze", "a.rr", "--start", "600"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const QJsonObject o = jsonOf(r.out);
    EXPECT_EQ(o["file"].toString(), "a.rr");
    for (const char* key : {"FrPos", "FrSDNN", "FrLFdivHF"})
        EXPECT_TRUE(o[key].isDouble()) << key;
    EXPECT_EQ(o["spectrum"].toArray().size(), kSpectrumBins);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1);
}

TEST_F(CliTest, AnalyzeCsvBatchGoesOnPastABadFile) {
    ASSERT_EQ(run({"import-ms", data("pyhrv-series_1.txt"), "a.rr"}).status, kExitOk);
    dir.write("short.txt", "800\n800\n800\n800\n800\n");
    ASSERT_EQ(run({"import-ms", "short.txt", "short.rr"}).status, kExitOk);
    const CliRun r = run({"analyze", "--csv", "a.rr", "short.rr", "missing.rr", "a.rr"});
    EXPECT_EQ(r.status, kExitBadInput);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 3);  // header and two rows
    EXPECT_EQ(r.out.rfind("file,FrPos,FrEnd,", 0), 0u);
    EXPECT_NE(r.err.find("short.rr"), std::string::npos);
    EXPECT_NE(r.err.find("holds 4 s of intervals; the analysis needs at least 300"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("missing.rr"), std::string::npos);
}

TEST_F(CliTest, AnalyzeRefusesAStartTooLate) {
    ASSERT_EQ(run({"import-ms", data("pyhrv-series_1.txt"), "a.rr"}).status, kExitOk);
    const CliRun r = run({"analyze", "a.rr", "--start", "3500"});  // the recording lasts 3600 s
    EXPECT_EQ(r.status, kExitBadInput);
    EXPECT_NE(r.err.find("runs past the recording"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("; the latest start is "), std::string::npos) << r.err;
    EXPECT_EQ(run({"analyze"}).status, kExitUsage);
}

// Past the first 30 000 s of the day; the fragments before are the goldens' and the oracle's.
TEST_F(CliTest, AnalyzeReachesAnyFragmentOfTheDay) {
    const CliRun late = run({"analyze", "--start", "80000", data("nsr2db-nsr009.txt")});
    ASSERT_EQ(late.status, kExitOk) << late.err;
    EXPECT_GT(jsonOf(late.out)["FrPos"].toInt(), 90000);
    // The 10 ms values the signal is made of add up to 86059 s.
    const CliRun past = run({"analyze", "--start", "85800", data("nsr2db-nsr009.txt")});
    EXPECT_NE(past.err.find("the latest start is 85759"), std::string::npos) << past.err;
}

TEST_F(CliTest, AnalyzeLongWritesOneRowPerRecording) {
    dir.write("short.txt", "800\n800\n800\n800\n800\n");
    const CliRun r = run({"analyze", "--long", "--csv", data("pyhrv-series_1.txt"), "short.txt"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const std::string header = "file,duration_s,n,segments,sdnn,sdann,sdnni\n";
    EXPECT_EQ(r.out.rfind(header + data("pyhrv-series_1.txt") + ",3599.365,4684,11,85.357", 0), 0u)
        << r.out;
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 3);
    EXPECT_NE(r.out.find("\nshort.txt,4,5,0,0,,\n"), std::string::npos);  // no segment
    EXPECT_TRUE(jsonOf(run({"analyze", "--long", "short.txt"}).out)["sdann"].isNull());
}

}  // namespace
}  // namespace trivant::test

namespace trivant::test {
namespace {

TEST_F(CliTest, ReportWritesTwoPdfPages) {
    ASSERT_EQ(run({"import-ms", data("pyhrv-series_1.txt"), "a.rr"}).status, kExitOk);
    const CliRun r = run({"report", "a.rr", "--start", "300", "rep.pdf"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const std::string pdf = dir.read("rep.pdf");
    ASSERT_EQ(pdf.rfind("%PDF", 0), 0u);
    const QByteArray data = QByteArray::fromStdString(pdf);
    EXPECT_EQ(data.count("/Type /Page") - data.count("/Type /Pages"), 2);  // and the standard page
    EXPECT_EQ(run({"report", "a.rr", "--start", "3500", "x.pdf"}).status, kExitBadInput);
}

}  // namespace
}  // namespace trivant::test
