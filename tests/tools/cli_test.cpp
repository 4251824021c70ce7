// trivant-cli's command line: usage, exit status, settings and the summary.
#include "cli_fixture.h"

#include "setup.h"

#include <QJsonArray>

namespace trivant::test {
namespace {

TEST_F(CliTest, HelpGoesToStdout) {
    const CliRun r = run({"--help"});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_NE(r.out.find("Usage: trivant-cli"), std::string::npos);
    EXPECT_NE(r.out.find("import-ms"), std::string::npos);
}

TEST_F(CliTest, WrongUsageExitsWith2) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate", "a.rr"},
        {"convert", "a.rr"},
        {"convert", "a.rr", "b.rr", "c.rr"},
        {"summary", "a.rr", "--sample", "19"},
        {"summary", "a.rr", "--sample", "501"},
        {"summary", "a.rr", "--sample", "1e2"},
        {"summary", "a.rr", "--sample"},
        {"summary", "a.rr", "--verbose"},
        {"convert", "a.csv", "b.dat"},    // what to write is told by its name
        {"import-ms", "a.csv", "b.csv"},  // it rounds: .rr or .txt only
        {"import-ms", "a.csv", "b.dat"},
        {"record"},
        {"record", "out.pdf"},
        {"record", "out.rr", "--beats", "0"},
        {"record", "out.rr", "--beats", "32000"},
        {"record", "out.rr", "--seconds", "-1"},
        {"record", "out.rr", "--port="},
        {"record", "out.csv", "--ble="},
        {"record", "out.csv", "--port", "x", "--ble", "y"},  // one device at a time
        {"ble-scan", "out.csv"},
    };
    for (const auto& args : cases) {
        const CliRun r = run(args);
        EXPECT_EQ(r.status, kExitUsage) << ::testing::PrintToString(args);
        // The error, then one line pointing to the help, and no more.
        const std::string hint = r.err.substr(r.err.find('\n') + 1);
        EXPECT_EQ(hint.rfind("Try 'trivant-cli ", 0), 0u) << r.err;
        EXPECT_EQ(hint.find('\n'), hint.size() - 1) << r.err;
    }
}

TEST_F(CliTest, MissingInputIsBadInputNamingTheFile) {
    const CliRun r = run({"summary", "nowhere.rr"});
    EXPECT_EQ(r.status, kExitBadInput);
    EXPECT_NE(r.err.find("nowhere.rr"), std::string::npos);
}

TEST_F(CliTest, SummaryOfAnImportedRecording) {
    dir.write("list.txt", "800 97\n810 96\n790 95\n");
    ASSERT_EQ(run({"import-ms", "list.txt", "rec.rr"}).status, kExitOk);
    const CliRun r = run({"summary", "rec.rr"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    const QJsonObject o = jsonOf(r.out);
    const std::pair<const char*, int> counts[] = {
        {"CurrentFileLen", 4}, {"beats", 3}, {"labels", 0}, {"ScSPO", 2}, {"ScRR", 0}};
    for (const auto& [key, want] : counts)
        EXPECT_EQ(o[key], want) << key << " in " << r.out;
    EXPECT_EQ(o["sRR"], (QJsonArray{81, 79})) << r.out;
    EXPECT_EQ(o["sSPO"], (QJsonArray{97, 95})) << r.out;
    EXPECT_TRUE(o["averRR"].isNull());  // fewer beats than the sample
}

// Options may stand anywhere; they override the settings file, which overrides defaults.
TEST_F(CliTest, SampleComesFromOptionSettingsOrDefault) {
    std::string list;
    for (int i = 0; i < 30; ++i)
        list += i % 2 ? "800\n" : "820\n";
    dir.write("list.txt", list);
    ASSERT_EQ(run({"import-ms", "list.txt", "rec.rr"}).status, kExitOk);
    const std::string computed = "\"averRR\":809";  // beats 20..30: 6 x 800, 5 x 820
    EXPECT_EQ(run({"summary", "rec.rr"}).out.find(computed), std::string::npos);
    EXPECT_NE(run({"--sample", "20", "summary", "rec.rr"}).out.find(computed), std::string::npos);
    EXPECT_NE(run({"summary", "rec.rr", "--sample=20"}).out.find(computed), std::string::npos);

    trivant::Setup setup;
    ApplyDefaults(setup, dir.path().string());
    setup.Sample = 20;
    ASSERT_TRUE(SaveSetup(dir.path().string(), setup));
    EXPECT_NE(run({"summary", "rec.rr"}).out.find(computed), std::string::npos);

    dir.write(kConfigFileName, std::string(343, '\0'));  // short: a warning, then defaults
    const CliRun r = run({"summary", "rec.rr"});
    EXPECT_EQ(r.status, kExitOk);
    EXPECT_NE(r.err.find("warning"), std::string::npos);
    EXPECT_EQ(r.out.find(computed), std::string::npos);
}

TEST_F(CliTest, CompensationChangesOnlyTheStressIndex) {
    std::string list;
    for (int i = 0; i < 40; ++i)
        list += std::to_string(700 + (i * 37) % 200) + "\n";
    dir.write("list.txt", list);
    ASSERT_EQ(run({"import-ms", "list.txt", "rec.rr"}).status, kExitOk);
    const std::string plain = run({"summary", "rec.rr", "--sample", "20"}).out;
    const std::string comp = run({"summary", "--ib-compensation", "rec.rr", "--sample", "20"}).out;
    EXPECT_NE(plain, comp);
    const auto cut = [](const std::string& s) {
        QJsonObject o = jsonOf(s);
        o.remove("sIB");
        o.remove("averIB50");
        return o;
    };
    EXPECT_EQ(cut(plain), cut(comp));
}

TEST_F(CliTest, SummaryEscapesTheComment) {
    dir.write("rec.txt",
              "rec\r\n01.01.2025\r\n\"q\" \\ x\r\nN\r\n"
              "1         800       97        0         0         0         0         \r\n");
    const CliRun r = run({"summary", "rec.txt"});
    ASSERT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(jsonOf(r.out)["comment"].toString(), R"("q" \ x)") << r.out;
}

}  // namespace
}  // namespace trivant::test
