// The EDF/BDF header checked as a pure function of its bytes and the file's size, before
// any library sees the file: every field parses, the signal count is bounded, and the
// record count and size agree with the file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace trivant {

constexpr size_t kEdfFixedBytes = 256;  // then 256 bytes per signal
constexpr int kEdfMaxSignals = 512;

struct EdfSignal {
    std::string label, unit;
    double physMin = 0, physMax = 0, digMin = 0, digMax = 0;
    int64_t perRecord = 0;     // samples per data record
    bool annotations = false;  // "EDF Annotations" / "BDF Annotations"
};

struct EdfHeader {
    bool bdf = false;   // 24-bit samples, else 16-bit
    bool plus = false;  // EDF+ (continuous) or BDF+
    int64_t records = 0;
    double recordS = 0;               // seconds per data record
    int64_t startClockS = INT64_MIN;  // core's kNoClock when the date can't be read
    std::vector<EdfSignal> signals;
};

// The signal count the fixed 256 bytes give, so that a caller knows how much to read;
// -1 when they don't hold a sound one.
int EdfSignalCount(std::string_view fixed);
// header: the fixed bytes and the signal headers (256 * (ns + 1) bytes).
bool ParseEdfHeader(std::string_view header, int64_t fileSize, EdfHeader& out, std::string& error);
// Bytes of one data record.
int64_t EdfRecordBytes(const EdfHeader& h);

}  // namespace trivant
