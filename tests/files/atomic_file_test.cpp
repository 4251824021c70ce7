// Whole-file writes that never destroy the previous file, and bounded reads.
#include "atomic_file.h"

#include "setup.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

#ifndef _WIN32
#include "file_size_limit.h"

#include <sys/stat.h>
#endif

namespace trivant {
namespace {

using test::TempDir;

#ifndef _WIN32  // permission bits
using test::FileSizeLimit;

mode_t modeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

mode_t currentUmask() {
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

TEST(FilesAtomic, CreatesANewFileWithTheUsualPermissions) {
    TempDir dir;
    const std::string path = dir.file("new.rr");
    const IoStatus st = WriteFileAtomic(path, std::string("\0\1\2", 3));
    ASSERT_TRUE(st.ok) << st.detail;
    EXPECT_EQ(dir.read("new.rr"), std::string("\0\1\2", 3));
    EXPECT_EQ(modeOf(path), 0666 & ~currentUmask());
    EXPECT_EQ(dir.entryCount(), 1);
}

TEST(FilesAtomic, ReplacesAFileAndKeepsItsPermissions) {
    TempDir dir;
    const std::string path = dir.write("old.txt", "old content that is longer");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(WriteFileAtomic(path, "new").ok);
    EXPECT_EQ(dir.read("old.txt"), "new");
    EXPECT_EQ(modeOf(path), 0640u);
    EXPECT_EQ(dir.entryCount(), 1);
}

#endif

TEST(FilesAtomic, WritesAnEmptyFile) {
    TempDir dir;
    dir.write("e.rr", "something");
    ASSERT_TRUE(WriteFileAtomic(dir.file("e.rr"), "").ok);
    EXPECT_EQ(dir.read("e.rr"), "");
}

TEST(FilesAtomic, FailsIntoAMissingFolder) {
    TempDir dir;
    const std::string path = dir.file("missing/rec.rr");
    const IoStatus st = WriteFileAtomic(path, "x");
    EXPECT_FALSE(st.ok);
    EXPECT_EQ(st.path, path);
    EXPECT_NE(st.detail.find("No such file"), std::string::npos) << st.detail;
    EXPECT_EQ(dir.entryCount(), 0);
}

TEST(FilesAtomic, FailsWhenTheFolderIsARegularFile) {
    TempDir dir;
    dir.write("plain", "keep");
    const IoStatus st = WriteFileAtomic(dir.file("plain") + "/rec.rr", "x");
    EXPECT_FALSE(st.ok);
    EXPECT_FALSE(st.detail.empty());
    EXPECT_EQ(dir.read("plain"), "keep");
    EXPECT_EQ(dir.entryCount(), 1);
}

TEST(FilesAtomic, FailsOverADirectoryAndLeavesNoTemporaryFile) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "rec.rr");
    const IoStatus st = WriteFileAtomic(dir.file("rec.rr"), "x");
    EXPECT_FALSE(st.ok);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "rec.rr"));
    EXPECT_EQ(dir.entryCount(), 1);
}

#ifndef _WIN32  // a file size limit; symbolic and hard links
TEST(FilesAtomic, AFailedWriteKeepsTheOldFileAndRemovesTheTemporaryOne) {
    TempDir dir;
    const std::string path = dir.write("rec.rr", "old");
    IoStatus st;
    {
        FileSizeLimit limit(1000);
        st = WriteFileAtomic(path, std::string(5000, 'n'));
    }
    EXPECT_FALSE(st.ok);
    EXPECT_NE(st.detail.find("cannot write"), std::string::npos) << st.detail;
    EXPECT_EQ(dir.read("rec.rr"), "old");
    EXPECT_EQ(dir.entryCount(), 1);
}

namespace fs = std::filesystem;

struct LinkCase {
    const char* kind;
    std::function<void(const TempDir&)> make;  // creates "save" and what it leads to
    const char* target;                        // gets the content; nullptr: the save fails
    uintmax_t names;                           // hard links of the target afterwards
};

bool leftTemporaryFiles(const TempDir& dir) {
    for (const auto& e : fs::recursive_directory_iterator(dir.path()))
        if (e.path().filename().string().rfind(".trivant-", 0) == 0)
            return true;
    return false;
}

TEST(FilesAtomic, LinksKeepPointingAtTheNewContent) {
    const auto link = [](const char* to) {
        return [to](const TempDir& d) { fs::create_symlink(to, d.path() / "save"); };
    };
    const LinkCase cases[] = {
        {"relative",
         [&](const TempDir& d) {
             d.write("real", "old");
             link("real")(d);
         },
         "real", 1},
        {"absolute",
         [](const TempDir& d) { fs::create_symlink(d.write("real", "old"), d.path() / "save"); },
         "real", 1},
        {"chain through a folder",
         [&](const TempDir& d) {
             fs::create_directory(d.path() / "sub");
             fs::create_symlink("../real", d.path() / "sub/next");
             d.write("real", "old");
             link("sub/next")(d);
         },
         "real", 1},
        {"dangling", link("sub2/../new"), "new", 1},
        {"dangling into a missing folder", link("gone/new"), nullptr, 0},
        {"loop", link("save"), nullptr, 0},
        {"hard link",
         [](const TempDir& d) { fs::create_hard_link(d.write("real", "old"), d.path() / "save"); },
         "real", 2},
    };
    for (const LinkCase& c : cases) {
        TempDir dir;
        fs::create_directory(dir.path() / "sub2");
        c.make(dir);
        const bool wasLink = fs::is_symlink(dir.path() / "save");
        const IoStatus st = WriteFileAtomic(dir.file("save"), "new");
        EXPECT_EQ(st.ok, c.target != nullptr) << c.kind << ": " << st.detail;
        EXPECT_EQ(fs::is_symlink(dir.path() / "save"), wasLink) << c.kind;
        EXPECT_FALSE(leftTemporaryFiles(dir)) << c.kind;
        if (c.target == nullptr)
            continue;
        EXPECT_EQ(dir.read(c.target), "new") << c.kind;
        EXPECT_EQ(fs::hard_link_count(dir.file(c.target)), c.names) << c.kind;
    }
    // The settings file is saved the same way.
    TempDir dir;
    fs::create_symlink(dir.write("kept.cfg", ""), dir.path() / "tv3cfg.cfg");
    ASSERT_TRUE(SaveSetup(dir.path().string(), trivant::Setup{}));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "tv3cfg.cfg"));
    EXPECT_EQ(fs::file_size(dir.path() / "kept.cfg"), 344u);
}

#endif

// Names are UTF-8 inside, whatever the system's own encoding of names.
TEST(FilesAtomic, CyrillicNamesWriteReplaceAndRead) {
    TempDir dir;
    const std::string path = (dir.path() / std::filesystem::u8path("запись ЭКГ.rr")).u8string();
    for (const char* content : {"первая", "вторая"}) {
        ASSERT_TRUE(WriteFileAtomic(path, content).ok) << path;
        std::string back;
        ASSERT_TRUE(ReadFileBytes(path, back, 100).ok);
        EXPECT_EQ(back, content);
    }
    EXPECT_EQ(dir.entryCount(), 1);
}

TEST(FilesAtomic, ReadsAtMostTheGivenNumberOfBytes) {
    TempDir dir;
    const std::string path = dir.write("f", "0123456789");
    std::string out;
    ASSERT_TRUE(ReadFileBytes(path, out, 4).ok);
    EXPECT_EQ(out, "0123");
    ASSERT_TRUE(ReadFileBytes(path, out, 100).ok);
    EXPECT_EQ(out, "0123456789");
    ASSERT_TRUE(ReadFileBytes(path, out, 0).ok);
    EXPECT_EQ(out, "");
    // A limit is not an allocation: one far beyond memory reads a small file.
    ASSERT_TRUE(ReadFileBytes(path, out, std::numeric_limits<size_t>::max() / 2).ok);
    EXPECT_EQ(out, "0123456789");
}

TEST(FilesAtomic, ReadingAMissingFileOrADirectoryFails) {
    TempDir dir;
    std::string out = "stale";
    const IoStatus missing = ReadFileBytes(dir.file("none"), out, 10);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.path, dir.file("none"));
    EXPECT_FALSE(missing.detail.empty());
    EXPECT_EQ(out, "");
    EXPECT_FALSE(ReadFileBytes(dir.path().string(), out, 10).ok);
}

}  // namespace
}  // namespace trivant
