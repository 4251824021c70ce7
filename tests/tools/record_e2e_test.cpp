// End to end over a real pseudo-terminal: trivant-sim plays a real recording fast, with
// garbage, split frames and status frames, and trivant-cli record takes it down.
#include "child_process.h"
#include "rr_file.h"
#include "source_run.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace trivant::test {
namespace {

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
                     {"--ms", kSimSource, "--beats", std::to_string(kBeats), "--speed", "60",
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
    const auto source = ReadSource(kSimSource);
    ASSERT_GE(source.size(), size_t(kBeats));
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
