// The settings record and its configuration file "tv3cfg.cfg": 344 bytes, little-endian,
// short strings in Windows-1251, in the directory current at start-up.
#pragma once

#include "atomic_file.h"
#include "core_settings.h"
#include "recorder_settings.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace trivant {

constexpr const char* kConfigFileName = "tv3cfg.cfg";
constexpr const char* kDataDirName = "Data";
constexpr size_t kSetupBytes = 344;
constexpr size_t kDataDirMaxChars = 80;
constexpr size_t kTraceNameMaxChars = 10;

struct TraceEntry {
    std::string Name;  // UTF-8; stored, never read
    bool Shown = false;
    int32_t Color = 0;  // 0x00BBGGRR
};

// All zero or empty until loaded or given the defaults, as the record starts zeroed.
struct Setup {
    std::string DataDir;  // UTF-8; initial folder of the open and save dialogs
    std::array<TraceEntry, kSeriesCount> Traces{};
    int32_t Sample = 0;      // beats in the histogram window, kMinSample..kMaxSample
    int32_t BarWidth = 0;    // histogram bar width, px, 3..10
    int32_t PortIndex = 0;   // 0 automatic search, 1..8 fixed port
    int32_t BaudIndex = 0;   // into 19200, 2400, 600; shown only
    int32_t LineWidth = 0;   // trace line width, px, 1..2
    int32_t DeviceType = 0;  // 1 "Ормис-001", 2 "Ормикс-01"
    int32_t OpenFilterIndex = 0;
    int32_t SaveFilterIndex = 0;
    uint8_t PrintOrientation = 0;  // 0 portrait, 1 landscape
    bool AutoStop = false;
    bool AutoSaveSetup = false;
    bool IbCompensation = false;
    int32_t Reserved1 = 0;
    int32_t Reserved2 = 0;
    // The record as last read: bytes no field covers are written back as they were.
    std::array<uint8_t, kSetupBytes> held{};
};

using MessageFn = std::function<void(const std::string& title, const std::string& text)>;

// Fields over the bytes held; strings are cut to their room.
std::array<uint8_t, kSetupBytes> EncodeSetup(const Setup& setup);
// False, with setup untouched, when size < kSetupBytes. Values are mended (MendSetup).
bool DecodeSetup(const uint8_t* bytes, size_t size, Setup& setup);
// Brings values that size or index something back into range; see setup.cpp.
void MendSetup(Setup& setup);

// False without a message when there is no file; false after report() when it is short or
// unreadable. Setup is changed only by a complete read; the caller then applies defaults.
bool LoadSetup(const std::string& startDir, Setup& setup, const MessageFn& report);
bool SaveSetup(const std::string& startDir, const Setup& setup, IoStatus* status = nullptr);
// Creates startDir/Data when missing (a failure is ignored). Fields without a default
// (filter indices, orientation, unused bytes) keep what they hold.
// The defaults without touching the disk: DataDir is left as it is.
void ApplyDefaultValues(Setup& setup);
void ApplyDefaults(Setup& setup, const std::string& startDir);
// Points DataDir at dataDir, made with its parents when missing (a failure is ignored).
void ApplyDefaultDataDir(Setup& setup, const std::string& dataDir);

// Milliseconds per RR unit of the device: 10 for "Ормикс-01", 8 otherwise.
int RRUnit(const Setup& setup);
CoreSettings ToCoreSettings(const Setup& setup);
// The settings the live recorder reads on each tick.
RecorderSettings RecorderSettingsFrom(const Setup& setup);

}  // namespace trivant
