// The flags say which fields follow; with RR intervals flagged, whatever remains is RR
// values, two bytes each, so an odd byte left over means the notification is broken.
#include "heart_rate_decoder.h"

#include "sample_word.h"

namespace trivant {

namespace {

constexpr uint8_t kHeartRate16 = 0x01;
constexpr uint8_t kContactBits = 0x06;
constexpr uint8_t kEnergy = 0x08;
constexpr uint8_t kRRPresent = 0x10;

uint16_t le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

HeartRateMeasurement malformed(const char* why) {
    HeartRateMeasurement m;
    m.problem = why;
    return m;
}

}  // namespace

HeartRateMeasurement DecodeHeartRate(const uint8_t* payload, size_t size) {
    if (size == 0)
        return malformed("empty notification");
    if (size > kMaxHeartRatePayload)
        return malformed("notification longer than 512 bytes");
    const uint8_t flags = payload[0];
    const size_t hrBytes = flags & kHeartRate16 ? 2 : 1;
    const size_t energyBytes = flags & kEnergy ? 2 : 0;
    size_t at = 1;
    if (size < at + hrBytes + energyBytes)
        return malformed("notification shorter than its flags say");
    HeartRateMeasurement m;
    m.heartRate = hrBytes == 2 ? le16(payload + at) : payload[at];
    at += hrBytes;
    const int contact = (flags & kContactBits) >> 1;
    m.contact = contact == 3   ? SensorContact::Touching
                : contact == 2 ? SensorContact::Lost
                               : SensorContact::Unsupported;
    if (energyBytes) {
        m.hasEnergy = true;
        m.energy = le16(payload + at);
        at += energyBytes;
    }
    m.ok = true;
    if (!(flags & kRRPresent))
        return m;  // whatever follows is not ours to read
    if ((size - at) % 2 != 0)
        return malformed("an odd byte after the RR intervals");
    for (; at < size; at += 2) {
        const int32_t us = StrapUnitsToUs(le16(payload + at));
        // A 10 ms value of 0 would be no interval at all.
        if (RoundUsTo10Ms(us) <= 0)
            ++m.dropped;
        else
            m.rrUs[m.rrCount++] = us;
    }
    return m;
}

}  // namespace trivant
