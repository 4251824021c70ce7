// trivant-cli --artifacts auto through analyze, trend, stages and report: the method named
// "auto" wherever a threshold would be.
#include "cli_fixture.h"

#include <QJsonObject>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace trivant::test {
namespace {

// The cells of a CSV line by the header's names.
std::map<std::string, std::string> cells(const std::string& header, const std::string& line) {
    std::map<std::string, std::string> out;
    std::istringstream names(header), values(line);
    for (std::string name, value; std::getline(names, name, ',');) {
        std::getline(values, value, ',');
        out[name] = value;
    }
    return out;
}

TEST_F(CliTest, AutomaticCorrectionIsNamedAutoInEveryOutput) {
    const std::string noisy = data("rhenanbartels_hrv-noisy_rri.txt");
    const struct {
        std::vector<std::string> args;
        const char* prefix;  // of the artifact columns in CSV; nullptr: JSON
    } rows[] = {
        {{"analyze", noisy, "--csv", "--artifacts", "auto"}, "std_"},
        {{"analyze", noisy, "--json", "--artifacts=auto", "--start", "600"}, nullptr},
        {{"trend", noisy, "--artifacts", "auto"}, ""},
        {{"trend", noisy, "--json", "--artifacts", "auto", "--window", "600"}, nullptr},
        {{"stages", noisy, "--artifacts", "auto", "--jobs", "2"}, ""},
        {{"stages", noisy, "--artifacts", "auto", "--json"}, nullptr},
    };
    for (const auto& row : rows) {
        const std::string where = ::testing::PrintToString(row.args);
        const CliRun r = run(row.args);
        ASSERT_EQ(r.status, kExitOk) << where << r.err;
        const std::vector<std::string> out = linesOf(r.out);
        ASSERT_GE(out.size(), row.prefix ? 2u : 1u) << where;  // CSV has its header
        if (row.prefix) {
            for (size_t i = 1; i < out.size(); ++i) {
                auto c = cells(out[0], out[i]);
                const std::string p = row.prefix;
                EXPECT_EQ(c[p + "threshold_ms"], "auto") << where;
                EXPECT_EQ(c[p + "corrected"], "1") << where;
                EXPECT_EQ(c[p + "edited"], "0") << where;  // a list has no review
                EXPECT_FALSE(c[p + "rmssd"].empty()) << where;
            }
            continue;
        }
        for (const std::string& line : out) {
            QJsonObject o = jsonOf(line);
            if (o.contains("standard"))
                o = o["standard"].toObject();
            const QJsonObject a = o["artifacts"].toObject();
            EXPECT_EQ(a["threshold_ms"].toString(), "auto") << where;
            EXPECT_TRUE(a["corrected"].toBool()) << where;
            EXPECT_EQ(a["edited"].toInt(-1), 0) << where;
            EXPECT_NEAR(a["percent"].toDouble(), 100 * a["flagged"].toDouble() / o["n"].toDouble(),
                        1e-9)
                << where;
        }
    }
    // A threshold is still named by its ms.
    const CliRun medium = run({"stages", noisy, "--artifacts", "medium", "--json"});
    EXPECT_EQ(jsonOf(medium.out)["artifacts"].toObject()["threshold_ms"].toDouble(), 250);
    ASSERT_EQ(run({"report", noisy, "r.pdf", "--artifacts", "auto"}).status, kExitOk);
    EXPECT_GT(std::filesystem::file_size(dir.file("r.pdf")), 1000u);
}

// The fragment from --start is the trend's window there: both are cut from the recording
// corrected as a whole.
TEST_F(CliTest, AutomaticFragmentIsTheTrendsWindow) {
    const std::string noisy = data("rhenanbartels_hrv-noisy_rri.txt");
    const std::vector<std::string> trend =
        linesOf(run({"trend", noisy, "--json", "--artifacts", "auto"}).out);
    for (const int start : {0, 600, 1230}) {
        const CliRun a =
            run({"analyze", noisy, "--artifacts", "auto", "--start", std::to_string(start)});
        ASSERT_EQ(a.status, kExitOk) << a.err;
        const QJsonObject fragment = jsonOf(a.out)["standard"].toObject();
        const auto row = std::find_if(trend.begin(), trend.end(), [&](const std::string& line) {
            return jsonOf(line)["start_s"].toInt() == start;
        });
        ASSERT_NE(row, trend.end()) << start;
        QJsonObject window = jsonOf(*row);
        for (const char* key : {"file", "start_s", "end_s"})
            window.remove(key);
        EXPECT_EQ(QJsonDocument(fragment).toJson(), QJsonDocument(window).toJson()) << start;
    }
}

}  // namespace
}  // namespace trivant::test
