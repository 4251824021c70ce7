// trivant-cli analyze: JSON and CSV output, and a batch that goes on past a bad file.
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
