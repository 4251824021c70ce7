// The Heart Rate Measurement characteristic (0x2A37) of a Bluetooth chest strap, one
// notification at a time: flags, heart rate, energy expended and the RR intervals in
// 1/1024 s. Plain C++: it knows neither the radio nor the recording.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace trivant {

// An attribute value is at most 512 bytes, so a notification carries fewer RR values.
constexpr size_t kMaxHeartRatePayload = 512;
constexpr size_t kMaxNotificationRR = kMaxHeartRatePayload / 2;

enum class SensorContact : uint8_t {
    Unsupported,  // flag bits 1-2 are 0 or 1
    Lost,         // 2: supported, no contact
    Touching,     // 3: supported, contact
};

struct HeartRateMeasurement {
    bool ok = false;           // false: malformed, nothing in it is to be used
    const char* problem = "";  // English, why it is malformed
    int heartRate = 0;         // beats per minute
    SensorContact contact = SensorContact::Unsupported;
    bool hasEnergy = false;
    uint16_t energy = 0;  // kJ
    // The intervals kept, oldest first, in µs rounded from 1/1024 s.
    std::array<int32_t, kMaxNotificationRR> rrUs;
    size_t rrCount = 0;
    int dropped = 0;  // RR 0 or longer than a recording keeps
};

// Decodes one notification's payload.
HeartRateMeasurement DecodeHeartRate(const uint8_t* payload, size_t size);

// An interval in 1/1024 s as µs, rounded to the nearest (halves up).
constexpr int32_t StrapUnitsToUs(uint16_t units) {
    return static_cast<int32_t>((int64_t{units} * 1000000 + 512) / 1024);
}

}  // namespace trivant
