// Saving onto a full or read-only file system, on a tiny tmpfs the test mounts (as root;
// skipped otherwise): the old file stays intact, no partial file is left, and the failure
// is reported.
#include "recording_builder.h"
#include "rr_file.h"
#include "setup.h"
#include "temp_dir.h"
#include "text_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/mount.h>
#include <unistd.h>

namespace trivant::test {
namespace {

namespace fs = std::filesystem;

class SmallDisk : public ::testing::Test {
protected:
    void SetUp() override {
        if (geteuid() != 0)
            GTEST_SKIP() << "mounting a tmpfs needs root";
        disk = dir.path() / "disk";
        fs::create_directory(disk);
        if (mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
            GTEST_SKIP() << "this machine does not let the test mount a tmpfs";
        mounted = true;
    }
    void TearDown() override {
        if (mounted)
            umount2(disk.c_str(), MNT_DETACH);
    }
    std::string file(const char* name) const { return (disk / name).string(); }
    int entries() const {
        return int(std::distance(fs::directory_iterator(disk), fs::directory_iterator()));
    }
    // Fills the disk but for a few bytes.
    void fill() {
        const std::string chunk(1024, 'x');
        std::FILE* f = std::fopen(file("filler").c_str(), "wb");
        while (f && std::fwrite(chunk.data(), 1, chunk.size(), f) == chunk.size() &&
               std::fflush(f) == 0) {
        }
        if (f)
            std::fclose(f);
    }

    TempDir dir;
    fs::path disk;
    bool mounted = false;
};

std::unique_ptr<Recording> bigRecording() {
    std::vector<Beat> beats(3000, Beat{80, 97});
    return buildRecording(beats);
}

TEST_F(SmallDisk, FullDiskKeepsTheOldFiles) {
    auto small = buildRecording({{80, 97}, {81, 96}, {82, 95}});
    ASSERT_TRUE(SaveDataFile(file("rec.rr"), *small).ok);
    ASSERT_TRUE(SaveTextFile(file("rec.txt"), *small, "01.01.2026").ok);
    trivant::Setup setup;
    ApplyDefaultValues(setup);
    ASSERT_TRUE(SaveSetup(disk.string(), setup));
    const std::string oldRr = dir.read("disk/rec.rr"), oldTxt = dir.read("disk/rec.txt");
    fill();
    const int before = entries();
    auto big = bigRecording();
    const IoStatus rr = SaveDataFile(file("rec.rr"), *big);
    const IoStatus txt = SaveTextFile(file("rec.txt"), *big, "01.01.2026");
    EXPECT_FALSE(rr.ok);
    EXPECT_FALSE(txt.ok);
    EXPECT_FALSE(rr.detail.empty());
    EXPECT_EQ(dir.read("disk/rec.rr"), oldRr);
    EXPECT_EQ(dir.read("disk/rec.txt"), oldTxt);
    EXPECT_EQ(entries(), before);  // no temporary file left behind
}

TEST_F(SmallDisk, ReadOnlyFolderRefusesTheSave) {
    auto small = buildRecording({{80, 97}, {81, 96}});
    ASSERT_TRUE(SaveDataFile(file("rec.rr"), *small).ok);
    const std::string old = dir.read("disk/rec.rr");
    ASSERT_EQ(mount("tmpfs", disk.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
    auto big = bigRecording();
    const IoStatus st = SaveDataFile(file("rec.rr"), *big);
    EXPECT_FALSE(st.ok);
    EXPECT_EQ(dir.read("disk/rec.rr"), old);
    trivant::Setup setup;
    ApplyDefaultValues(setup);
    EXPECT_FALSE(SaveSetup(disk.string(), setup));
}

}  // namespace
}  // namespace trivant::test
