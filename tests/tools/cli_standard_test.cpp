// trivant-cli analyze --standard and --artifacts: the measures beside the report's own,
// which stay exactly as they are.
#include "cli_fixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace trivant::test {
namespace {

const char* const kKeys[] = {"n",      "mean_rr", "sdnn",  "mean_hr", "rmssd",   "nn50",
                             "pnn50",  "sd1",     "sd2",   "vlf",     "lf",      "hf",
                             "total",  "lf_nu",   "hf_nu", "lf_hf",   "lf_peak", "hf_peak",
                             "dfa_a1", "dfa_a2",  "sampen"};

TEST_F(CliTest, StandardMeasuresFollowTheReportsOwn) {
    ASSERT_EQ(run({"import-ms", data("pyhrv-series_1.txt"), "a.rr"}).status, kExitOk);
    const CliRun plain = run({"analyze", "a.rr", "--start", "600"});
    const struct {
        std::vector<std::string> options;
        double threshold;
        bool corrected;
    } rows[] = {{{"--standard"}, 250, false},
                {{"--standard", "--artifacts", "strong"}, 150, true},
                {{"--artifacts=80"}, 80, true},
                {{"--artifacts", "verylow", "--jobs", "2"}, 450, true}};
    for (const auto& row : rows) {
        std::vector<std::string> args{"analyze", "a.rr", "--start", "600"};
        args.insert(args.end(), row.options.begin(), row.options.end());
        const CliRun r = run(args);
        ASSERT_EQ(r.status, kExitOk) << r.err;
        // The report's fields stay as they are; the standard object comes beside them.
        QJsonObject report = jsonOf(r.out);
        report.remove("standard");
        EXPECT_EQ(report, jsonOf(plain.out));
        const QJsonObject standard = jsonOf(r.out)["standard"].toObject();
        ASSERT_EQ(standard.size(), int(std::size(kKeys)) + 3);      // artifacts, exact, bands
        EXPECT_EQ(standard["exact_intervals"], QJsonValue(false));  // a .rr keeps 10 ms
        for (const char* key : kKeys)
            EXPECT_TRUE(standard[key].isDouble()) << key;  // 5 minutes: every measure defined
        EXPECT_GT(standard["n"].toDouble(), 300);
        const QJsonObject a = standard["artifacts"].toObject();
        EXPECT_EQ(a["threshold_ms"].toDouble(), row.threshold);
        EXPECT_EQ(a["corrected"].toBool(), row.corrected);
        EXPECT_NEAR(a["percent"].toDouble(),
                    100 * a["flagged"].toDouble() / standard["n"].toDouble(), 1e-9);
    }
}

TEST_F(CliTest, StandardCsvAddsItsColumns) {
    ASSERT_EQ(run({"import-ms", data("pyhrv-series_1.txt"), "a.rr"}).status, kExitOk);
    const CliRun plain = run({"analyze", "--csv", "a.rr", "a.rr"});
    const CliRun r = run({"analyze", "--csv", "--standard", "a.rr", "a.rr"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const std::string header = r.out.substr(0, r.out.find('\n'));
    const std::string plainHeader = plain.out.substr(0, plain.out.find('\n'));
    EXPECT_EQ(header.rfind(plainHeader + ",std_n,std_mean_rr,", 0), 0u) << header;
    EXPECT_NE(header.find(",std_sampen,std_threshold_ms,std_flagged,std_percent,std_corrected"),
              std::string::npos);
    size_t start = 0;
    for (int line = 0; line < 3; ++line) {
        const size_t end = r.out.find('\n', start);
        ASSERT_NE(end, std::string::npos);
        const std::string row = r.out.substr(start, end - start);
        EXPECT_EQ(std::count(row.begin(), row.end(), ','),
                  std::count(header.begin(), header.end(), ','));
        start = end + 1;
    }
}

TEST_F(CliTest, ArtifactLevelsAreNamesOrMilliseconds) {
    ASSERT_EQ(run({"import-ms", data("pyhrv-series_1.txt"), "a.rr"}).status, kExitOk);
    for (const char* bad : {"none", "0", "-5", "x", ""})
        EXPECT_EQ(run({"analyze", "a.rr", "--artifacts", bad}).status, kExitUsage) << bad;
}

}  // namespace
}  // namespace trivant::test
