// The per-user folders for each combination of the XDG variables and user-dirs.dirs.
#include "user_folders.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

namespace trivant {
namespace {

struct Case {
    const char* what;
    FolderEnvironment env;
    const char *config, *data, *recent;
};

TEST(UserFolders, FollowTheXdgVariablesThenTheirDefaults) {
    const Case cases[] = {
        {"nothing set",
         {"/home/u", "", "", ""},
         "/home/u/.config/trivant",
         "/home/u/Documents/Trivant",
         "/home/u/.config/trivant/recent-files"},
        {"config home",
         {"/home/u", "/cfg", "", ""},
         "/cfg/trivant",
         "/home/u/Documents/Trivant",
         "/cfg/trivant/recent-files"},
        {"trailing slash",
         {"/home/u", "/cfg/", "", ""},
         "/cfg/trivant",
         "/home/u/Documents/Trivant",
         "/cfg/trivant/recent-files"},
        {"relative config home ignored",
         {"/home/u", "cfg", "", ""},
         "/home/u/.config/trivant",
         "/home/u/Documents/Trivant",
         "/home/u/.config/trivant/recent-files"},
        {"user-dirs.dirs",
         {"/home/u", "", "", "/home/u/Документы"},
         "/home/u/.config/trivant",
         "/home/u/Документы/Trivant",
         "/home/u/.config/trivant/recent-files"},
        {"variable over user-dirs.dirs",
         {"/home/u", "", "/docs", "/home/u/Документы"},
         "/home/u/.config/trivant",
         "/docs/Trivant",
         "/home/u/.config/trivant/recent-files"},
        {"relative documents ignored",
         {"/home/u", "", "docs", ""},
         "/home/u/.config/trivant",
         "/home/u/Documents/Trivant",
         "/home/u/.config/trivant/recent-files"},
    };
    for (const Case& c : cases) {
        const AppFolders f = PerUserFolders(c.env);
        EXPECT_EQ(f.config, c.config) << c.what;
        EXPECT_EQ(f.data, c.data) << c.what;
        EXPECT_EQ(RecentFilesPath(c.env), c.recent) << c.what;
    }
}

TEST(UserFolders, MakeFoldersMakesTheParentsAndRefusesAFile) {
    test::TempDir dir;
    EXPECT_TRUE(MakeFolders(dir.file("Documents/Trivant")));
    EXPECT_TRUE(MakeFolders(dir.file("Documents/Trivant")));  // already there
    dir.write("plain", "x");
    EXPECT_FALSE(MakeFolders(dir.file("plain")));
}

TEST(UserFolders, TheSocketIsTheUsers) {
    const std::string path = InstanceSocketPath();
    EXPECT_NE(path.find("trivant-" + std::to_string(geteuid())), std::string::npos) << path;
}

}  // namespace
}  // namespace trivant
