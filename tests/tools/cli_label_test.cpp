// trivant-cli label: the beats labelled at seconds and clock times, the names kept in the
// CSV, and the stages that show them.
#include "cli_fixture.h"
#include "label_command.h"
#include "rr_csv.h"

#include <cstring>
#include <fstream>

namespace trivant::test {
namespace {

class CliLabel : public CliTest {
protected:
    // 100 beats of 800 ms: beat k begins at 0.8 (k - 1) s.
    void SetUp() override {
        CliTest::SetUp();
        std::ofstream list("even.txt");
        for (int i = 0; i < 100; ++i)
            list << "800\n";
    }
    static std::unique_ptr<Recording> read(const std::string& path) {
        std::ifstream f(path, std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(f), {}};
        auto rec = std::make_unique<Recording>();
        MsListError err;
        EXPECT_TRUE(ParseRrList(text, *rec, err)) << err.message;
        rec->PrepareData(CoreSettings{});
        return rec;
    }
};

TEST_F(CliLabel, SecondsPickTheBeatWhoseIntervalHoldsThem) {
    const CliRun r =
        run({"label", "even.txt", "out.csv", "--at", "0,0.8=Ночь", "--at", "79.999=a;b"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const auto rec = read("out.csv");
    const std::pair<int, const char*> labelled[] = {{1, ""}, {2, "Ночь"}, {100, "a;b"}};
    for (const auto& [beat, name] : labelled) {
        EXPECT_NE(rec->at(kSerLbl, beat), 0) << beat;
        EXPECT_EQ(rec->labelName(beat), name) << beat;
    }
    EXPECT_EQ(rec->LabelNames.size(), 2u);
    EXPECT_EQ(rec->at(kSerLbl, 3), 0);
    const CliRun rr = run({"convert", "out.csv", "out.rr"});
    EXPECT_NE(rr.err.find("out.rr: the label names were not kept"), std::string::npos) << rr.err;
}

TEST_F(CliLabel, Refusals) {
    const struct {
        std::vector<std::string> args;
        int status;
        const char* says;
    } cases[] = {
        {{"label", "even.txt", "out.csv", "--at", "80"}, kExitBadInput, "80 lies past"},
        {{"label", "even.txt", "out.csv", "--at", "22:00"}, kExitBadInput, "start time"},
        {{"label", "even.txt", "out.csv"}, kExitUsage, "label needs --at"},
        {{"label", "even.txt", "out.csv", "--at", "5,,6"}, kExitUsage, "--at takes"},
        {{"label", "even.txt", "out.csv", "--at", "25:00"}, kExitUsage, "--at takes"},
        {{"label", "even.txt", "out.rr", "--at", "5"}, kExitUsage, "must end in .csv"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.back();
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists("out.csv"));
}

TEST_F(CliLabel, ClockTimesCountFromTheStart) {
    Recording rec;
    rec.StartClockS = ClockOf(2026, 12, 10, 21 * 3600 + 30 * 60);
    const std::pair<const char*, int64_t> times[] = {
        {"22:00", 1800}, {"21:30:00", 0}, {"01:00:30", 3 * 3600 + 1830}, {"21:29", 86340}};
    for (const auto& [text, seconds] : times) {
        std::vector<LabelTime> t;
        ASSERT_EQ(ParseLabelTimes(text, t), "");
        int64_t us = -1;
        EXPECT_EQ(LabelOffsetUs(rec, t[0], us), "");
        EXPECT_EQ(us, seconds * 1000000) << text;
    }
}

TEST_F(CliLabel, StagesShowTheNames) {
    ASSERT_EQ(run({"stages", "even.txt"}).out.find(",name"), std::string::npos);
    ASSERT_EQ(run({"label", "even.txt", "out.csv", "--at", "8=Rest,40=Load; fast"}).status,
              kExitOk);
    const CliRun csv = run({"stages", "out.csv", "even.txt"});
    ASSERT_EQ(csv.status, kExitOk) << csv.err;
    std::istringstream lines(csv.out);
    std::string line;
    const char* const ends[] = {",name", ",", ",Rest", ",Load; fast", ","};
    for (const char* end : ends) {
        ASSERT_TRUE(std::getline(lines, line));
        EXPECT_EQ(line.substr(line.size() - std::strlen(end)), end) << line;
    }
    const CliRun json = run({"stages", "--json", "out.csv"});
    EXPECT_FALSE(jsonOf(json.out).contains("name"));  // stage 0 begins at no label
    EXPECT_NE(json.out.find("\"name\":\"Rest\""), std::string::npos);
}

}  // namespace
}  // namespace trivant::test
