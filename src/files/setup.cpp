// Byte layout of the settings record, its defaults, and the configuration file.
#include "setup.h"

#include "codepage.h"
#include "recording.h"
#include "tr_noop.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace trivant {
namespace fs = std::filesystem;

namespace {

using Bytes = std::array<uint8_t, kSetupBytes>;

// Offsets in the record; the gaps are unused bytes and padding, written back as held.
constexpr size_t kDataDirAt = 0;
constexpr size_t kTracesAt = 164;
constexpr size_t kTraceBytes = 16;
constexpr size_t kTraceShownAt = 11;  // within an entry; the name starts at 0
constexpr size_t kTraceColorAt = 12;
constexpr size_t kPrintOrientationAt = 328;

struct IntField {
    size_t at;
    int32_t Setup::*field;
};
constexpr IntField kIntFields[] = {
    {296, &Setup::Sample},          {300, &Setup::BarWidth},        {304, &Setup::PortIndex},
    {308, &Setup::BaudIndex},       {312, &Setup::LineWidth},       {316, &Setup::DeviceType},
    {320, &Setup::OpenFilterIndex}, {324, &Setup::SaveFilterIndex}, {332, &Setup::Reserved1},
    {336, &Setup::Reserved2},
};

struct FlagField {
    size_t at;
    bool Setup::*field;
};
constexpr FlagField kFlagFields[] = {
    {329, &Setup::AutoStop}, {330, &Setup::AutoSaveSetup}, {340, &Setup::IbCompensation}};

// Defaults; the trace colours go with SeriesNames, 0x00BBGGRR.
constexpr std::array<int32_t, kSeriesCount> kDefaultTraceColors{
    0x000000, 0x0000FF, 0xFF0000, 0x00FF00, 0x008000, 0x800080, 0x008080, 0x000080};
constexpr int32_t kDefaultSample = 100;
constexpr int32_t kDefaultBarWidth = 10;
constexpr int32_t kDefaultLineWidth = 2;
constexpr int32_t kDeviceOrmiks01 = 2;  // "Ормикс-01"; any other value is "Ормис-001"
constexpr int kRRUnitOrmiks01Ms = 10;
constexpr int kRRUnitOrmis001Ms = 8;
constexpr int32_t kDefaultDeviceType = kDeviceOrmiks01;
constexpr int32_t kMinBarWidth = 3, kMaxBarWidth = 10;
constexpr int32_t kMinLineWidth = 1, kMaxLineWidth = 2;
constexpr int32_t kPortChoices = 9;  // automatic search and eight fixed ports
constexpr int32_t kBaudChoices = 3;

constexpr const char* kReadErrorTitle = QT_TRANSLATE_NOOP("Messages", "Ошибка");
constexpr const char* kReadErrorText =
    QT_TRANSLATE_NOOP("Messages", "Ошибка чтения файла конфигурации. Будут установлены "
                                  "параметры \"по умолчанию\"");

void putInt32(Bytes& b, size_t at, int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    for (size_t i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(u >> (8 * i));
}

int32_t getInt32(const uint8_t* b, size_t at) {
    uint32_t u = 0;
    for (size_t i = 0; i < 4; ++i)
        u |= static_cast<uint32_t>(b[at + i]) << (8 * i);
    return static_cast<int32_t>(u);
}

// Length byte, then the text; bytes past the length keep what the record held.
void putShortString(Bytes& b, size_t at, size_t maxChars, const std::string& utf8) {
    std::string text = Utf8ToCp1251(CutToChars(utf8, maxChars));
    text.resize(std::min(text.size(), maxChars));
    b[at] = static_cast<uint8_t>(text.size());
    std::copy(text.begin(), text.end(), b.begin() + static_cast<std::ptrdiff_t>(at + 1));
}

// A length above the room is held to the room.
std::string getShortString(const uint8_t* b, size_t at, size_t maxChars) {
    const size_t len = std::min<size_t>(b[at], maxChars);
    return Cp1251ToUtf8(std::string(reinterpret_cast<const char*>(b + at + 1), len));
}

std::string configPath(const std::string& startDir) {
    return (fs::u8path(startDir) / kConfigFileName).u8string();
}

}  // namespace

Bytes EncodeSetup(const Setup& setup) {
    Bytes b = setup.held;
    putShortString(b, kDataDirAt, kDataDirMaxChars, setup.DataDir);
    for (size_t i = 0; i < setup.Traces.size(); ++i) {
        const size_t at = kTracesAt + i * kTraceBytes;
        putShortString(b, at, kTraceNameMaxChars, setup.Traces[i].Name);
        b[at + kTraceShownAt] = setup.Traces[i].Shown ? 1 : 0;
        putInt32(b, at + kTraceColorAt, setup.Traces[i].Color);
    }
    for (const IntField& f : kIntFields)
        putInt32(b, f.at, setup.*f.field);
    for (const FlagField& f : kFlagFields)
        b[f.at] = setup.*f.field ? 1 : 0;
    b[kPrintOrientationAt] = setup.PrintOrientation;
    return b;
}

bool DecodeSetup(const uint8_t* bytes, size_t size, Setup& setup) {
    if (bytes == nullptr || size < kSetupBytes)
        return false;
    std::copy(bytes, bytes + kSetupBytes, setup.held.begin());
    setup.DataDir = getShortString(bytes, kDataDirAt, kDataDirMaxChars);
    for (size_t i = 0; i < setup.Traces.size(); ++i) {
        const size_t at = kTracesAt + i * kTraceBytes;
        setup.Traces[i].Name = getShortString(bytes, at, kTraceNameMaxChars);
        setup.Traces[i].Shown = bytes[at + kTraceShownAt] != 0;
        setup.Traces[i].Color = getInt32(bytes, at + kTraceColorAt);
    }
    for (const IntField& f : kIntFields)
        setup.*f.field = getInt32(bytes, f.at);
    for (const FlagField& f : kFlagFields)
        setup.*f.field = bytes[f.at] != 0;
    setup.PrintOrientation = bytes[kPrintOrientationAt];
    MendSetup(setup);
    return true;
}

// Sizes are clamped to what the dialog allows; indices outside their table fall back to the
// first entry, so no table is indexed with a value from the file.
void MendSetup(Setup& setup) {
    setup.Sample = std::clamp(setup.Sample, kMinSample, kMaxSample);
    setup.BarWidth = std::clamp(setup.BarWidth, kMinBarWidth, kMaxBarWidth);
    setup.LineWidth = std::clamp(setup.LineWidth, kMinLineWidth, kMaxLineWidth);
    if (setup.PortIndex < 0 || setup.PortIndex >= kPortChoices)
        setup.PortIndex = 0;
    if (setup.BaudIndex < 0 || setup.BaudIndex >= kBaudChoices)
        setup.BaudIndex = 0;
}

bool LoadSetup(const std::string& startDir, Setup& setup, const MessageFn& report) {
    const std::string path = configPath(startDir);
    std::error_code ec;
    if (fs::status(fs::u8path(path), ec).type() == fs::file_type::not_found)
        return false;
    std::string bytes;
    const IoStatus status = ReadFileBytes(path, bytes, kSetupBytes);
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    if (status.ok && DecodeSetup(data, bytes.size(), setup))
        return true;
    if (report)
        report(kReadErrorTitle, kReadErrorText);
    return false;
}

bool SaveSetup(const std::string& startDir, const Setup& setup, IoStatus* status) {
    const Bytes b = EncodeSetup(setup);
    IoStatus result = WriteFileAtomic(configPath(startDir), std::string(b.begin(), b.end()));
    const bool ok = result.ok;
    if (status != nullptr)
        *status = std::move(result);
    return ok;
}

void ApplyDefaults(Setup& setup, const std::string& startDir) {
    ApplyDefaultValues(setup);
    ApplyDefaultDataDir(setup, (fs::u8path(startDir) / kDataDirName).u8string());
}

void ApplyDefaultDataDir(Setup& setup, const std::string& dataDir) {
    // On failure the dialogs start in a missing folder.
    std::error_code ec;
    fs::create_directories(fs::u8path(dataDir), ec);
    setup.DataDir = CutToChars(dataDir, kDataDirMaxChars);
}

void ApplyDefaultValues(Setup& setup) {
    setup.Sample = kDefaultSample;
    setup.BarWidth = kDefaultBarWidth;
    setup.PortIndex = 0;
    setup.BaudIndex = 0;
    setup.LineWidth = kDefaultLineWidth;
    setup.DeviceType = kDefaultDeviceType;
    setup.AutoStop = true;
    setup.AutoSaveSetup = true;
    setup.Reserved1 = 1;
    setup.Reserved2 = 0;
    for (size_t i = 0; i < setup.Traces.size(); ++i)
        setup.Traces[i] = {CutToChars(SeriesNames[i], kTraceNameMaxChars), true,
                           kDefaultTraceColors[i]};
    setup.IbCompensation = false;
}

int RRUnit(const Setup& setup) {
    return setup.DeviceType == kDeviceOrmiks01 ? kRRUnitOrmiks01Ms : kRRUnitOrmis001Ms;
}

CoreSettings ToCoreSettings(const Setup& setup) {
    CoreSettings cfg;
    cfg.Sample = setup.Sample;
    cfg.IbCompensation = setup.IbCompensation;
    for (size_t i = 0; i < setup.Traces.size(); ++i)
        cfg.Shown[i] = setup.Traces[i].Shown;
    return cfg;
}

RecorderSettings RecorderSettingsFrom(const Setup& setup) {
    return {ToCoreSettings(setup), RRUnit(setup), setup.AutoStop};
}

}  // namespace trivant
