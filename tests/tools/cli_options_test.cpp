// trivant-cli's command line: argument vectors against exit status, stdout and stderr, and
// the options as parsed.
#include "cli_fixture.h"

#include "cli_options.h"
#include "graph_layout.h"
#include "version.h"

namespace trivant::test {
namespace {

TEST_F(CliTest, ArgumentsGiveStatusAndMessages) {
    const struct {
        std::vector<std::string> args;
        int status;
        std::string out, err;  // expected within each stream; empty: that stream stays empty
    } rows[] = {
        {{"--help"}, kExitOk, "Usage: trivant-cli COMMAND", ""},
        {{"-h"}, kExitOk, "\"trivant-cli COMMAND --help\"", ""},
        {{"analyze", "--help"}, kExitOk, "  --artifacts auto|LEVEL", ""},
        {{"render", "x.csv", "-h"}, kExitOk, "Usage: trivant-cli render [OPTIONS] IN OUT.png", ""},
        {{"summary", "--sample", "19", "--help"}, kExitOk, "Usage: trivant-cli summary", ""},
        {{"--version"}, kExitOk, std::string("trivant-cli ") + kVersion + "\n", ""},
        {{"summary", "--version"}, kExitOk, "trivant-cli ", ""},
        {{}, kExitUsage, "", "trivant-cli: no command given\nTry 'trivant-cli --help'.\n"},
        {{"frobnicate"}, kExitUsage, "", "unknown command 'frobnicate'"},
        {{"summary", "a.rr", "--verbose"},
         kExitUsage,
         "",
         "unknown option --verbose\nTry 'trivant-cli summary --help'.\n"},
        {{"summary", "-v", "a.rr"}, kExitUsage, "", "unknown option -v\n"},
        {{"summary", "a.rr", "--landscape"}, kExitUsage, "", "unknown option --landscape\n"},
        {{"summary", "a.rr", "--sample"}, kExitUsage, "", "--sample needs a value"},
        {{"analyze", "--json=1", "a.rr"}, kExitUsage, "", "unexpected value after '--json'"},
        {{"analyze", "--start=x", "a.rr"}, kExitUsage, "", "--start takes seconds"},
        {{"--sample", "20", "summary"}, kExitUsage, "", "summary takes 1 file name(s)"},
        {{"analyze", "--start", "0", "--", "-a.rr"}, kExitBadInput, "", "-a.rr"},
        {{"-sample", "20", "convert", "a.rr", "b.dat"},
         kExitUsage,
         "",
         "b.dat: the file name must end in .rr, .txt or .csv"},
    };
    for (const auto& row : rows) {
        const CliRun r = run(row.args);
        const std::string where = ::testing::PrintToString(row.args);
        EXPECT_EQ(r.status, row.status) << where << r.err;
        for (const auto& [got, want] : {std::pair{r.out, row.out}, std::pair{r.err, row.err}}) {
            if (want.empty())
                EXPECT_EQ(got, "") << where;
            else
                EXPECT_NE(got.find(want), std::string::npos) << where << ": " << got;
        }
    }
}

TEST(CliOptions, ValuesInEitherSpellingAndAnyOrder) {
    CliOptions o;
    ASSERT_EQ(ParseCliOptions({"--sample", "30", "render", "a.rr", "--size=800x600", "--zoom", "2",
                               "b.png", "--xpos", "1", "--point=2", "--ib-compensation"},
                              o),
              "");
    EXPECT_EQ(o.command, "render");
    EXPECT_EQ(o.files, (std::vector<std::string>{"a.rr", "b.png"}));
    EXPECT_EQ(o.sample, 30);
    EXPECT_TRUE(o.ibCompensation);
    EXPECT_EQ(std::tie(o.width, o.height, o.zoom), std::make_tuple(800, 600, 2));
    EXPECT_EQ(o.xpos, 1);
    EXPECT_EQ(o.point, 2);

    // artifactsMs 0: no --artifacts; -1: auto.
    const struct {
        std::vector<std::string> args;
        bool csv, standard;
        double artifactsMs;
    } rows[] = {
        {{"analyze", "--csv", "--json", "a.rr"}, false, false, 0},
        {{"analyze", "--json", "a.rr", "--csv"}, true, false, 0},
        {{"analyze", "--artifacts", "low", "a.rr"}, false, true, 350},
        {{"analyze", "a.rr", "--standard", "--artifacts=80"}, false, true, 80},
        {{"analyze", "--artifacts", "auto", "a.rr"}, false, true, -1},
        {{"stages", "--artifacts", "verystrong", "a.rr"}, false, true, 50},
    };
    for (const auto& row : rows) {
        CliOptions a;
        ASSERT_EQ(ParseCliOptions(row.args, a), "");
        const double ms = !a.artifacts ? 0 : a.artifacts->automatic ? -1 : a.artifacts->thresholdMs;
        EXPECT_EQ(std::tie(a.csv, a.standard, ms), std::tie(row.csv, row.standard, row.artifactsMs))
            << ::testing::PrintToString(row.args);
        EXPECT_TRUE(!a.artifacts || a.artifacts->correct);
    }
    for (const char* bad : {"Auto", "automatic", "0", "-5", ""}) {
        CliOptions a;
        EXPECT_NE(ParseCliOptions({"analyze", "a.rr", "--artifacts", bad}, a)
                      .find("--artifacts takes auto,"),
                  std::string::npos)
            << bad;
    }
}

// --zoom names a level as the window's menu does; anything else is refused.
TEST(CliOptions, ZoomLevels) {
    const std::pair<const char*, int> rows[] = {
        {"4", 4},      {"1/2", -2}, {"1/128", -128}, {"whole", kZoomWhole},
        {"3", 99},     {"0", 99},   {"1/1", 99},     {"1/3", 99},
        {"1/256", 99}, {"-2", 99},  {"1/", 99},      {"whol", 99},
    };
    for (const auto& [text, level] : rows) {
        CliOptions o;
        o.zoom = 99;
        const std::string err = ParseCliOptions({"print", "a.rr", "b.pdf", "--zoom", text}, o);
        EXPECT_EQ(err.empty(), level != 99) << text << ": " << err;
        EXPECT_EQ(o.zoom, level) << text;  // left as it was when refused
    }
}

// Each command's help lists exactly its table: the common options, then its own.
TEST(CliOptions, CommandHelpListsItsTable) {
    for (const CliCommand& cmd : CliCommands()) {
        const std::string help = CliCommandUsage(cmd);
        for (const OptionRow& o : CliCommandOptions(cmd))
            EXPECT_NE(help.find("  " + OptionSpellings(o).front()), std::string::npos)
                << cmd.name << " " << o.names;
        EXPECT_NE(CliUsage().find(std::string("  ") + cmd.name + " " + cmd.args),
                  std::string::npos);
    }
}

}  // namespace
}  // namespace trivant::test
