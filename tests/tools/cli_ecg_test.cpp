// ECG records through the command line: beats from the reference annotations, a CSV that
// keeps them and finds its record again, and the errors of a broken record.
#include "cli_fixture.h"
#include "ecg_read.h"
#include "source_beats.h"

#include <fstream>

namespace trivant::test {
namespace {

namespace fs = std::filesystem;

class CliEcgTest : public CliTest {
protected:
    static std::string ecg(const std::string& name) {
        return std::string(TRIVANT_TEST_DATA) + "/ecg/" + name;
    }
    // The record's files copied into the working folder, but those left out.
    void copyRecord(const std::string& name, const std::vector<std::string>& exts) {
        for (const std::string& ext : exts)
            fs::copy_file(ecg(name + ext), name + ext);
    }
};

TEST_F(CliEcgTest, BeatsFromTheAnnotationsAreTheirs) {
    std::vector<EcgAnnotation> annotations;
    std::string error;
    ASSERT_TRUE(ReadWfdbAnnotations(ecg("101.hea"), "atr", annotations, error)) << error;
    std::string expected = "sample,time_s\n";
    for (const int64_t s : AnnotatedBeats(annotations)) {
        char t[32];
        std::snprintf(t, sizeof t, "%.6f", static_cast<double>(s) / 360);
        expected += std::to_string(s) + "," + t + "\n";
    }
    const CliRun direct = run({"beats", ecg("101.hea"), "--annotations", "atr"});
    ASSERT_EQ(direct.status, 0) << direct.err;
    EXPECT_EQ(direct.out, expected);

    // The CSV names its record relative to itself and gives the same beats back.
    fs::create_directory("out");
    ASSERT_EQ(run({"convert", ecg("101.hea"), "out/101.csv", "--annotations", "atr"}).status, 0);
    EXPECT_EQ(run({"beats", "out/101.csv"}).out, expected);
    // Moved away from its record, it keeps its intervals.
    fs::rename("out/101.csv", "101.csv");
    EXPECT_EQ(run({"beats", "101.csv"}).status, 1);
    const CliRun summary = run({"summary", "101.csv"});
    EXPECT_EQ(summary.status, 0) << summary.err;
    EXPECT_EQ(jsonOf(summary.out)["beats"].toInt(), 1864);
}

TEST_F(CliEcgTest, DetectsTheBeatsOfEveryCommand) {
    const CliRun r = run({"summary", ecg("101.hea")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NEAR(jsonOf(r.out)["beats"].toInt(), 1864, 10);
    EXPECT_EQ(run({"analyze", "--standard", ecg("800.hea")}).status, 0);
}

TEST_F(CliEcgTest, BrokenRecordsSayWhatIsWrong) {
    copyRecord("101", {".hea"});
    std::ofstream("short.hea") << "short 1 360 650000\nshort.dat 212 200 11 1024 0 0 0 MLII\n";
    std::ofstream("short.dat") << std::string(3000, '\0');
    std::ofstream("odd.hea") << "odd 1 360 10\nodd.dat 999 200 11 1024 0 0 0 MLII\n";
    std::ofstream("odd.dat") << std::string(30, '\0');
    const struct {
        std::vector<std::string> args;
        const char* says;
    } cases[] = {
        {{"summary", "101.hea"}, "101.dat"},
        {{"summary", "short.hea"}, "short"},
        {{"summary", "odd.hea"}, "999"},
        {{"summary", ecg("101.hea"), "--channel", "7"}, "7"},
        {{"summary", ecg("101.hea"), "--annotations", "qrs"}, "101.qrs"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(c.args);
        EXPECT_EQ(r.status, 1) << c.args[1];
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;  // one line
    }
}

}  // namespace
}  // namespace trivant::test
