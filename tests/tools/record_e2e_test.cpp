// End to end over a real pseudo-terminal: trivant-sim plays a real recording fast, with
// garbage, split frames and status frames, and trivant-cli record takes it down.
#include "child_process.h"
#include "ms_list.h"
#include "rr_file.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace trivant::test {
namespace {

const std::string kSource = std::string(TRIVANT_TEST_DATA) + "/rr/rhenanbartels_hrv-08012805.txt";

std::vector<MsEntry> sourceBeats() {
    std::string text;
    EXPECT_TRUE(ReadFileBytes(kSource, text, 1 << 20).ok);
    std::vector<MsEntry> beats;
    MsListError err;
    EXPECT_TRUE(ParseMsLines(text, beats, err, 100000));
    return beats;
}

class RecordEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ports = dir.path() / "ports";
        setenv("TRIVANT_PORT_DIR", ports.c_str(), 1);  // keeps parallel tests apart
    }
    void TearDown() override { unsetenv("TRIVANT_PORT_DIR"); }

    TempDir dir;
    std::filesystem::path ports;
};

TEST_F(RecordEndToEnd, EveryBeatOfTheSourceArrives) {
    constexpr int kBeats = 300;
    ChildProcess sim(TRIVANT_SIM,
                     {"--ms", kSource, "--beats", std::to_string(kBeats), "--speed", "60",
                      "--garbage", "--split", "--status", "3@5x2", "--status", "1@120"},
                     dir.path().string());
    ASSERT_TRUE(sim.started());
    const std::string port = sim.readLine();
    ASSERT_FALSE(port.empty());
    EXPECT_EQ(std::filesystem::path(port).parent_path(), ports);

    ChildProcess cli(TRIVANT_CLI, {"record", "--beats", std::to_string(kBeats), "out.rr"},
                     dir.path().string());
    ASSERT_EQ(cli.wait(std::chrono::seconds(60)), 0);

    auto rec = std::make_unique<Recording>();
    ASSERT_TRUE(ReadDataFile(dir.file("out.rr"), *rec).ok);
    ASSERT_EQ(rec->CurrentFileLen, kBeats + 1);
    const auto source = sourceBeats();
    for (int k = 1; k <= kBeats; ++k) {
        ASSERT_EQ(sampleRR(rec->DataBuf[k]), RoundMsTo10(source[k - 1].ms)) << "beat " << k;
        ASSERT_EQ(sampleLow(rec->DataBuf[k]), 97) << "beat " << k;
    }

    sim.signal(SIGTERM);
    EXPECT_EQ(sim.wait(std::chrono::seconds(10)), 0);
    EXPECT_TRUE(std::filesystem::is_empty(ports));  // the registration is gone
}

TEST_F(RecordEndToEnd, NamedPortThatIsMissingIsBadInput) {
    ChildProcess cli(TRIVANT_CLI, {"record", "--port", dir.file("nothing"), "out.rr"},
                     dir.path().string());
    EXPECT_EQ(cli.wait(std::chrono::seconds(30)), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.rr")));
}

}  // namespace
}  // namespace trivant::test
