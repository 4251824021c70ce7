// The settings record: every offset of the 344-byte image, the defaults, mending of
// values from the file, and the configuration file's failures.
#include "setup.h"

#include "recording.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <vector>

namespace trivant {
namespace {

using test::TempDir;
using Image = std::array<uint8_t, kSetupBytes>;
// Inside a test body "Setup" names gtest's misspelling trap, Test::Setup().
using SetupRecord = trivant::Setup;

void putLE(Image& b, size_t at, uint32_t v) {
    for (size_t i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

void putText(Image& b, size_t at, const std::string& cp1251) {
    b[at] = static_cast<uint8_t>(cp1251.size());
    std::copy(cp1251.begin(), cp1251.end(), b.begin() + static_cast<std::ptrdiff_t>(at) + 1);
}

Image decodable() {
    Image b{};
    putLE(b, 296, 100);
    putLE(b, 300, 10);
    putLE(b, 312, 2);
    return b;
}

// Every byte distinct from its neighbours, with in-range values at the field offsets.
Image craftedImage() {
    Image b;
    for (size_t i = 0; i < b.size(); ++i)
        b[i] = static_cast<uint8_t>(i * 37 + 11);
    putText(b, 0, "\xC4\xE0\xED\xED\xFB\xE5");  // "Данные"
    for (size_t i = 0; i < 8; ++i) {
        const size_t at = 164 + 16 * i;
        putText(b, at, std::string(i + 1, static_cast<char>('a' + i)));
        b[at + 11] = static_cast<uint8_t>(i % 2);
        putLE(b, at + 12, 0x00010203u * static_cast<uint32_t>(i + 1));
    }
    putText(b, 164 + 16 * 5, "\xC8\xC1");  // "ИБ"
    const std::pair<size_t, uint32_t> ints[] = {
        {296, 123}, {300, 7}, {304, 5}, {308, 2},          {312, 1},
        {316, 1},   {320, 2}, {324, 1}, {332, 0x11223344}, {336, static_cast<uint32_t>(-7)}};
    for (const auto& [at, v] : ints)
        putLE(b, at, v);
    b[328] = 1;  // PrintOrientation
    b[329] = 1;  // AutoStop
    b[330] = 0;  // AutoSaveSetup
    b[340] = 1;  // IbCompensation
    return b;
}

TEST(FilesSetup, EveryOffsetDecodesIntoItsField) {
    const Image b = craftedImage();
    SetupRecord s;
    ASSERT_TRUE(DecodeSetup(b.data(), b.size(), s));
    EXPECT_EQ(s.DataDir, "Данные");
    for (size_t i = 0; i < 8; ++i) {
        const std::string name = i == 5 ? "ИБ" : std::string(i + 1, static_cast<char>('a' + i));
        EXPECT_EQ(s.Traces[i].Name, name) << i;
        EXPECT_EQ(s.Traces[i].Shown, i % 2 == 1) << i;
        EXPECT_EQ(s.Traces[i].Color, static_cast<int32_t>(0x00010203 * (i + 1))) << i;
    }
    EXPECT_EQ(s.Sample, 123);
    EXPECT_EQ(s.BarWidth, 7);
    EXPECT_EQ(s.PortIndex, 5);
    EXPECT_EQ(s.BaudIndex, 2);
    EXPECT_EQ(s.LineWidth, 1);
    EXPECT_EQ(s.DeviceType, 1);
    EXPECT_EQ(s.OpenFilterIndex, 2);
    EXPECT_EQ(s.SaveFilterIndex, 1);
    EXPECT_EQ(s.PrintOrientation, 1);
    EXPECT_TRUE(s.AutoStop);
    EXPECT_FALSE(s.AutoSaveSetup);
    EXPECT_TRUE(s.IbCompensation);
    EXPECT_EQ(s.Reserved1, 0x11223344);
    EXPECT_EQ(s.Reserved2, -7);
    EXPECT_EQ(EncodeSetup(s), b);
}

TEST(FilesSetup, AnyNonZeroByteIsTrueAndIsWrittenAsOne) {
    Image b = decodable();
    b[329] = 7;
    b[164 + 11] = 0x80;
    SetupRecord s;
    ASSERT_TRUE(DecodeSetup(b.data(), b.size(), s));
    EXPECT_TRUE(s.AutoStop);
    EXPECT_TRUE(s.Traces[0].Shown);
    const Image again = EncodeSetup(s);
    EXPECT_EQ(again[329], 1);
    EXPECT_EQ(again[164 + 11], 1);
}

struct MendCase {
    size_t at;
    int32_t raw;
    int32_t SetupRecord::*field;
    int32_t expected;
};

TEST(FilesSetup, ValuesFromTheFileAreBroughtIntoRange) {
    const MendCase cases[] = {
        {296, 19, &SetupRecord::Sample, 20},     {296, 501, &SetupRecord::Sample, 500},
        {296, -1, &SetupRecord::Sample, 20},     {296, 500, &SetupRecord::Sample, 500},
        {300, 2, &SetupRecord::BarWidth, 3},     {300, 11, &SetupRecord::BarWidth, 10},
        {312, 0, &SetupRecord::LineWidth, 1},    {312, 3, &SetupRecord::LineWidth, 2},
        {304, -1, &SetupRecord::PortIndex, 0},   {304, 9, &SetupRecord::PortIndex, 0},
        {304, 8, &SetupRecord::PortIndex, 8},    {308, 3, &SetupRecord::BaudIndex, 0},
        {308, -1, &SetupRecord::BaudIndex, 0},   {308, 2, &SetupRecord::BaudIndex, 2},
        {316, 77, &SetupRecord::DeviceType, 77}, {320, -3, &SetupRecord::OpenFilterIndex, -3},
    };
    for (const MendCase& c : cases) {
        Image b = decodable();
        putLE(b, c.at, static_cast<uint32_t>(c.raw));
        SetupRecord s;
        ASSERT_TRUE(DecodeSetup(b.data(), b.size(), s));
        EXPECT_EQ(s.*c.field, c.expected) << "offset " << c.at << " raw " << c.raw;
    }
}

TEST(FilesSetup, LengthsAboveTheRoomAreHeldToIt) {
    Image b = decodable();
    std::fill(b.begin() + 1, b.begin() + 81, 'd');
    b[0] = 200;
    std::fill(b.begin() + 165, b.begin() + 175, 'n');
    b[164] = 255;
    b[175] = 1;  // Shown of entry 1, just past the name's room
    SetupRecord s;
    ASSERT_TRUE(DecodeSetup(b.data(), b.size(), s));
    EXPECT_EQ(s.DataDir, std::string(80, 'd'));
    EXPECT_EQ(s.Traces[0].Name, std::string(10, 'n'));
}

TEST(FilesSetup, LongStringsAreCutByCharacters) {
    SetupRecord s;
    s.DataDir.clear();
    for (int i = 0; i < 100; ++i)
        s.DataDir += "Ж";
    s.Traces[2].Name = "СИМ,единицы";
    const Image b = EncodeSetup(s);
    EXPECT_EQ(b[0], 80);
    EXPECT_EQ(b[80], 0xC6);
    EXPECT_EQ(b[81], 0);
    EXPECT_EQ(b[164 + 32], 10);
    SetupRecord back;
    ASSERT_TRUE(DecodeSetup(b.data(), b.size(), back));  // values mended, strings kept
    EXPECT_EQ(back.Traces[2].Name, "СИМ,единиц");
    EXPECT_EQ(back.DataDir.size(), 160u);
}

TEST(FilesSetup, DefaultsFillTheRecordAndCreateTheDataFolder) {
    TempDir dir;
    SetupRecord s;
    s.OpenFilterIndex = 2;
    s.PrintOrientation = 1;
    s.held[81] = 0x5A;
    ApplyDefaults(s, dir.path().string());
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "Data"));
    EXPECT_EQ(s.DataDir, (dir.path() / "Data").string());
    const int32_t colors[] = {0x000000, 0x0000FF, 0xFF0000, 0x00FF00,
                              0x008000, 0x800080, 0x008080, 0x000080};
    for (size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(s.Traces[i].Name, SeriesNames[i]);
        EXPECT_TRUE(s.Traces[i].Shown);
        EXPECT_EQ(s.Traces[i].Color, colors[i]);
    }
    EXPECT_EQ(std::make_tuple(s.Sample, s.BarWidth, s.PortIndex, s.BaudIndex, s.LineWidth),
              std::make_tuple(100, 10, 0, 0, 2));
    EXPECT_EQ(s.DeviceType, 2);
    EXPECT_EQ(RRUnit(s), 10);
    EXPECT_TRUE(s.AutoStop && s.AutoSaveSetup);
    EXPECT_FALSE(s.IbCompensation);
    EXPECT_EQ(std::make_pair(s.Reserved1, s.Reserved2), std::make_pair(1, 0));
    EXPECT_EQ(std::make_pair(s.OpenFilterIndex, s.PrintOrientation), std::make_pair(2, uint8_t{1}));
    EXPECT_EQ(EncodeSetup(s)[81], 0x5A);
}

TEST(FilesSetup, DefaultDataDirIsCutTo80Characters) {
    const std::string start = "/nonexistent-trivant/" + std::string(100, 'x');
    SetupRecord s;
    ApplyDefaults(s, start);
    EXPECT_EQ(s.DataDir, start.substr(0, 80));
}

struct SetupFile {
    TempDir dir;
    std::vector<std::pair<std::string, std::string>> messages;
    MessageFn report() {
        return [this](const std::string& t, const std::string& m) { messages.emplace_back(t, m); };
    }
    bool load(SetupRecord& s) { return LoadSetup(dir.path().string(), s, report()); }
};

TEST(FilesSetup, NoFileIsSilent) {
    SetupFile f;
    SetupRecord s;
    EXPECT_FALSE(f.load(s));
    EXPECT_TRUE(f.messages.empty());
}

TEST(FilesSetup, EveryShortFileIsReportedAndChangesNothing) {
    SetupFile f;
    const Image full = craftedImage();
    for (size_t n = 0; n < kSetupBytes; ++n) {
        f.dir.write(kConfigFileName, std::string(full.begin(), full.begin() + n));
        SetupRecord s;
        s.Sample = 333;
        EXPECT_FALSE(f.load(s)) << n;
        EXPECT_EQ(s.Sample, 333) << n;
    }
    ASSERT_EQ(f.messages.size(), kSetupBytes);
    EXPECT_EQ(f.messages[0].first, "Ошибка");
    EXPECT_EQ(f.messages[0].second,
              "Ошибка чтения файла конфигурации. Будут установлены параметры \"по умолчанию\"");
}

TEST(FilesSetup, ADirectoryInPlaceOfTheFileIsReported) {
    SetupFile f;
    std::filesystem::create_directory(f.dir.path() / kConfigFileName);
    SetupRecord s;
    EXPECT_FALSE(f.load(s));
    EXPECT_EQ(f.messages.size(), 1u);
    EXPECT_FALSE(LoadSetup(f.dir.path().string(), s, nullptr));  // no one to tell: no fault
}

TEST(FilesSetup, SavedAndLoadedBack) {
    SetupFile f;
    SetupRecord saved;
    ApplyDefaults(saved, f.dir.path().string());
    saved.DeviceType = 1;
    saved.Traces[3].Shown = false;
    saved.Sample = 250;
    ASSERT_TRUE(SaveSetup(f.dir.path().string(), saved));
    EXPECT_EQ(f.dir.read(kConfigFileName).size(), kSetupBytes);
    SetupRecord loaded;
    ASSERT_TRUE(f.load(loaded));
    EXPECT_TRUE(f.messages.empty());
    EXPECT_EQ(EncodeSetup(loaded), EncodeSetup(saved));
    EXPECT_EQ(RRUnit(loaded), 8);
    const CoreSettings cfg = ToCoreSettings(loaded);
    EXPECT_EQ(cfg.Sample, 250);
    EXPECT_FALSE(cfg.Shown[3]);
    EXPECT_TRUE(cfg.Shown[2]);
}

TEST(FilesSetup, SavingIntoAMissingFolderFails) {
    TempDir dir;
    IoStatus st;
    EXPECT_FALSE(SaveSetup((dir.path() / "gone").string(), SetupRecord{}, &st));
    EXPECT_FALSE(st.ok);
    EXPECT_FALSE(st.detail.empty());
}

TEST(FilesSetup, RRUnitFollowsTheDevice) {
    const std::pair<int32_t, int> cases[] = {{1, 8}, {2, 10}, {0, 8}, {3, 8}};
    for (const auto& [device, unit] : cases) {
        SetupRecord s;
        s.DeviceType = device;
        EXPECT_EQ(RRUnit(s), unit) << device;
    }
}

}  // namespace
}  // namespace trivant
