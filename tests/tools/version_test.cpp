// The tools' --version: the version of the project, from the build, and exit status 0.
#include "child_process.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace trivant::test {
namespace {

TEST(Version, BothToolsPrintTheProjectVersion) {
    const std::pair<const char*, std::string> cases[] = {
        {TRIVANT_CLI, "trivant-cli"},
        {TRIVANT_SIM, "trivant-sim"},
    };
    TempDir dir;
    for (const auto& [program, name] : cases) {
        ChildProcess tool(program, {"--version"}, dir.path().string());
        EXPECT_EQ(tool.readAll(), name + " " TRIVANT_PROJECT_VERSION "\n");
        EXPECT_EQ(tool.wait(std::chrono::seconds(30)), 0) << name;
    }
}

}  // namespace
}  // namespace trivant::test
