// trivant-cli label: the beats labelled at seconds and clock times, the names in the CSV
// written, and the stages that show them.
#include "cli_fixture.h"

#include <cstring>
#include <fstream>

namespace trivant::test {
namespace {

class CliLabel : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        std::ofstream list("even.txt");  // beat k begins at 0.8 (k - 1) s
        for (int i = 0; i < 100; ++i)
            list << "800\n";
    }
};

TEST_F(CliLabel, SecondsPickTheBeatWhoseIntervalHoldsThem) {
    const CliRun r =
        run({"label", "even.txt", "out.csv", "--at", "0,0.8=Ночь", "--at", "79.9=a;b"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    std::ifstream f("out.csv");
    const auto csv = linesOf({std::istreambuf_iterator<char>(f), {}});
    ASSERT_EQ(csv.size(), 101u);
    EXPECT_EQ(csv[1], "800;;1");
    EXPECT_EQ(csv[2], "800;;Ночь");
    EXPECT_EQ(csv[3], "800;;0");
    EXPECT_EQ(csv[100], "800;;\"a;b\"");
    EXPECT_NE(run({"convert", "out.csv", "out.rr"}).err.find("label names were not kept"),
              std::string::npos);
}

TEST_F(CliLabel, Refusals) {
    const struct {
        const char* at;  // nullptr for no --at
        int status;
        const char* says;
    } cases[] = {
        {"80", kExitBadInput, "80 lies past the recording's end, at 80 s"},
        {"22:00", kExitBadInput, "start time is not known"},
        {nullptr, kExitUsage, "label needs --at"},
        {"5,,6", kExitUsage, "--at takes"},
        {"25:00", kExitUsage, "--at takes"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"label", "even.txt", "out.csv"};
        if (c.at)
            args.insert(args.end(), {"--at", c.at});
        const CliRun r = run(args);
        EXPECT_EQ(r.status, c.status) << c.says;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }
    EXPECT_EQ(run({"label", "even.txt", "out.rr", "--at", "5"}).status, kExitUsage);
    EXPECT_FALSE(std::filesystem::exists("out.csv"));
}

// Clock times count from the recording's start, across midnight: 00:00:02 is 12 s after
// 23:59:50, in beat 16.
TEST_F(CliLabel, ClockTimesCountFromTheStart) {
    std::ofstream timed("timed.csv");
    timed << "# start: 2026-12-10T23:59:50\nRR_ms;SpO2;label\n";
    for (int i = 0; i < 100; ++i)
        timed << "800;;0\n";
    timed.close();
    ASSERT_EQ(run({"label", "timed.csv", "out.csv", "--at", "00:00:02"}).status, kExitOk);
    std::ifstream f("out.csv");
    const auto csv = linesOf({std::istreambuf_iterator<char>(f), {}});
    ASSERT_EQ(csv.size(), 102u);  // the start line, the header, the beats
    EXPECT_EQ(csv[16 + 1], "800;;1");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), "800;;1"), 1);
}

TEST_F(CliLabel, StagesShowTheNames) {
    ASSERT_EQ(run({"stages", "even.txt"}).out.find(",name"), std::string::npos);
    ASSERT_EQ(run({"label", "even.txt", "out.csv", "--at", "8=Rest,40=Load; fast"}).status, 0);
    const auto csv = linesOf(run({"stages", "out.csv", "even.txt"}).out);
    const char* const ends[] = {",name", ",", ",Rest", ",Load; fast", ","};
    ASSERT_EQ(csv.size(), std::size(ends));
    for (size_t i = 0; i < csv.size(); ++i)
        EXPECT_EQ(csv[i].substr(csv[i].size() - std::strlen(ends[i])), ends[i]) << csv[i];
    const CliRun json = run({"stages", "--json", "out.csv"});
    EXPECT_FALSE(jsonOf(json.out).contains("name"));  // stage 0 begins at no label
    EXPECT_NE(json.out.find("\"name\":\"Rest\""), std::string::npos);
}

}  // namespace
}  // namespace trivant::test
