// The real trivant-cli started without XDG_RUNTIME_DIR: it makes its own private runtime
// folder and says nothing on stderr, and it leaves alone a folder of that name that is
// not private.
#include "child_process.h"
#include "rr_file.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

namespace trivant::test {
namespace {

namespace fs = std::filesystem;

TEST(RuntimeDir, CliWithoutXdgRuntimeDirIsQuietInItsOwnPrivateFolder) {
    struct Case {
        const char* what;
        std::function<void(const fs::path& folder)> prepare;
        bool accepted;
    };
    const Case cases[] = {
        {"missing", [](const fs::path&) {}, true},
        {"ours", [](const fs::path& f) { mkdir(f.c_str(), 0700); }, true},
        {"open to others",
         [](const fs::path& f) {
             fs::create_directory(f);
             fs::permissions(f,
                             fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
         },
         false},
        {"a file", [](const fs::path& f) { std::ofstream(f.string()) << "x"; }, false},
        {"a link", [](const fs::path& f) { fs::create_directory_symlink(f.parent_path(), f); },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        auto rec = std::make_unique<Recording>();
        for (int k = 1; k <= 300; ++k)
            rec->DataBuf[k] = packSample(80 + k % 7, 97);
        rec->CurrentFileLen = 301;
        ASSERT_TRUE(SaveDataFile(dir.file("rec.rr"), *rec).ok);
        const fs::path folder = dir.path() / ("runtime-" + std::to_string(geteuid()));
        c.prepare(folder);
        const auto before = fs::symlink_status(folder);

        ChildProcess cli("/usr/bin/env",
                         {"-u", "XDG_RUNTIME_DIR", "TMPDIR=" + dir.path().string(), TRIVANT_CLI,
                          "print", "rec.rr", "page.pdf"},
                         dir.path().string(), STDERR_FILENO);
        const std::string err = cli.readAll();
        EXPECT_EQ(cli.wait(std::chrono::seconds(60)), 0) << err;
        EXPECT_EQ(dir.read("page.pdf").substr(0, 4), "%PDF");
        if (c.accepted) {
            EXPECT_EQ(err, "");
            EXPECT_EQ(fs::status(folder).permissions(), fs::perms::owner_all);
        } else {
            EXPECT_NE(err.find("XDG_RUNTIME_DIR"), std::string::npos) << err;  // Qt's own word
            EXPECT_EQ(fs::symlink_status(folder).type(), before.type());
            EXPECT_EQ(fs::symlink_status(folder).permissions(), before.permissions());
        }
    }
}

}  // namespace
}  // namespace trivant::test
