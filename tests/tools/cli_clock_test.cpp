// The clock column of trend and stages: present when some file tells its start, the date
// turning at midnight, empty for a file that tells none.
#include "cli_fixture.h"

namespace trivant::test {
namespace {

// The clock cells of a CSV answer whose clock column is column (0-based), one per row.
std::vector<std::string> column(const std::string& csv, int column) {
    std::vector<std::string> cells;
    std::stringstream lines(csv.substr(csv.find('\n') + 1));
    for (std::string line; std::getline(lines, line);) {
        std::stringstream fields(line);
        std::string field;
        for (int i = 0; i <= column; ++i)
            std::getline(fields, field, ',');
        cells.push_back(field);
    }
    return cells;
}

TEST_F(CliTest, TrendAndStagesTellTheClockOfARecordingPastMidnight) {
    // 23:50, 1300 beats of 1 s with a label at beat 700: two stages, four 300 s windows.
    std::string text = "# comment: ночь\n# start: 2026-12-09T23:50:00\nRR_ms;SpO2;label\n";
    for (int k = 1; k <= 1300; ++k)
        text += k == 700 ? "1000;;1\n" : "1000;;0\n";
    const std::string night = dir.write("night.csv", text);
    const CliRun t = run({"trend", night, "--window", "300", "--step", "300"});
    ASSERT_EQ(t.status, kExitOk) << t.err;
    EXPECT_EQ(t.out.substr(0, t.out.find(",n,")), "file,start_s,end_s,clock");
    EXPECT_EQ(column(t.out, 3),
              (std::vector<std::string>{"2026-12-09T23:50:00", "2026-12-09T23:55:00",
                                        "2026-12-10T00:00:00", "2026-12-10T00:05:00"}));
    const CliRun j = run({"trend", night, "--window", "300", "--step", "300", "--json"});
    EXPECT_EQ(jsonOf(j.out)["clock"].toString(), "2026-12-09T23:50:00");
    const CliRun s = run({"stages", night});
    EXPECT_EQ(s.out.substr(0, s.out.find(",n,")), "file,stage,start_s,duration_s,clock");
    EXPECT_EQ(column(s.out, 4),
              (std::vector<std::string>{"2026-12-09T23:50:00", "2026-12-10T00:01:39"}));
    // Beside a file that tells no start, that file's cells are empty; alone, it has no column.
    const std::string list = data("pyhrv-series_1.txt");
    const CliRun both = run({"trend", list, night, "--window", "300", "--step", "300"});
    ASSERT_EQ(both.status, kExitOk) << both.err;
    const std::vector<std::string> cells = column(both.out, 3);
    EXPECT_EQ(cells.front(), "");
    EXPECT_EQ(cells.back(), "2026-12-10T00:05:00");
    const CliRun alone = run({"trend", list, "--json"});
    EXPECT_FALSE(jsonOf(alone.out).contains("clock"));
    EXPECT_EQ(run({"trend", night, "--png", "n.png"}).status, kExitOk);
}

}  // namespace
}  // namespace trivant::test
