// The main program's command line: the menu's flag and the files.
#include "launch_options.h"

#include <gtest/gtest.h>

namespace trivant {
namespace {

TEST(LaunchOptions, TheMenuFlagAndTheFiles) {
    struct Case {
        QStringList args;
        bool fromMenu;
        QStringList files;
    };
    const Case cases[] = {
        {{}, false, {}},
        {{"a.rr"}, false, {"a.rr"}},
        {{"--menu"}, true, {}},
        {{"--menu", "/x/a.rr", "b.txt"}, true, {"/x/a.rr", "b.txt"}},
        {{"a.rr", "--menu"}, true, {"a.rr"}},
        {{"--", "--menu", "-x.rr"}, false, {"--menu", "-x.rr"}},
        {{"--menu", "--", "--"}, true, {"--"}},
        {{"запись.rr"}, false, {"запись.rr"}},
    };
    for (const Case& c : cases) {
        const LaunchOptions o = ParseLaunchOptions(c.args);
        EXPECT_EQ(o.fromMenu, c.fromMenu) << c.args.join(' ').toStdString();
        EXPECT_EQ(o.files, c.files) << c.args.join(' ').toStdString();
    }
}

}  // namespace
}  // namespace trivant
