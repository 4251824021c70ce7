// The clock column of trend and stages: present when some file tells its start, the date
// turning at midnight, empty for a file that tells none.
#include "cli_fixture.h"

namespace trivant::test {
namespace {

TEST_F(CliTest, TrendAndStagesTellTheClockOfARecordingPastMidnight) {
    // 23:50, 1300 beats of 1 s with a label at beat 700: two stages, four 300 s windows.
    std::string text = "# comment: ночь\n# start: 2026-12-09T23:50:00\nRR_ms;SpO2;label\n";
    for (int k = 1; k <= 1300; ++k)
        text += k == 700 ? "1000;;1\n" : "1000;;0\n";
    const std::string night = dir.write("night.csv", text);
    const std::string list = data("pyhrv-series_1.txt");  // no start
    const CliRun t = run({"trend", list, night, "--window", "300", "--step", "300"});
    ASSERT_EQ(t.status, kExitOk) << t.err;
    EXPECT_EQ(t.out.substr(0, t.out.find(",n,")), "file,start_s,end_s,clock");
    for (const char* row : {"0,300,2026-12-09T23:50:00,", "300,600,2026-12-09T23:55:00,",
                            "600,900,2026-12-10T00:00:00,", "900,1200,2026-12-10T00:05:00,",
                            "pyhrv-series_1.txt,0,300,,"})
        EXPECT_NE(t.out.find(row), std::string::npos) << row;
    const CliRun s = run({"stages", night});
    EXPECT_EQ(s.out.substr(0, s.out.find(",n,")), "file,stage,start_s,duration_s,clock");
    EXPECT_NE(s.out.find(",1,699,601,2026-12-10T00:01:39,"), std::string::npos) << s.out;
    const CliRun j = run({"trend", night, "--json"});
    EXPECT_EQ(jsonOf(j.out)["clock"].toString(), "2026-12-09T23:50:00");
    EXPECT_FALSE(jsonOf(run({"trend", list, "--json"}).out).contains("clock"));
    EXPECT_EQ(run({"trend", night, "--png", "n.png"}).status, kExitOk);
}

}  // namespace
}  // namespace trivant::test
