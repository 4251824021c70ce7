// The simulator's port registration: found while its owner runs, gone afterwards.
#include "sim_port_registry.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace trivant::test {
namespace {

TEST(SimPortRegistry, StaleLinksOfDeadProcessesAreDropped) {
    TempDir dir;
    setenv("TRIVANT_PORT_DIR", dir.path().c_str(), 1);
    EXPECT_EQ(SimPortDir(), dir.path().string());
    // A link named after a process that can't exist.
    std::filesystem::create_symlink("/dev/null", dir.path() / "trivant-sim-999999999");
    dir.write("unrelated", "x");
    EXPECT_TRUE(RegisteredSimPorts().empty());
    EXPECT_FALSE(std::filesystem::is_symlink(dir.path() / "trivant-sim-999999999"));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "unrelated"));
    // This test process is no simulator, so its own registration is not offered either.
    const std::string link = RegisterSimPort("/dev/null");
    ASSERT_FALSE(link.empty());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_TRUE(RegisteredSimPorts().empty());
    UnregisterSimPort(link);
    unsetenv("TRIVANT_PORT_DIR");
}

}  // namespace
}  // namespace trivant::test
