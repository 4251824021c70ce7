// A strap's notifications on their way to the recorder: decoded, the first one after each
// connection stripped of its intervals (straps often send garbage then), and the kept
// intervals held until the recording tick takes them.
#pragma once

#include "heart_rate_decoder.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace trivant {

class StrapReceiver {
public:
    // A (re)connection: the intervals of the next notification are dropped.
    void Connected() { fresh_ = true; }
    // One notification; returns its decoding (ok false: dropped whole and counted).
    HeartRateMeasurement Take(const uint8_t* payload, size_t size);
    // The intervals kept since the last call (µs, oldest first); arrived: any notification
    // came, so the strap is not silent.
    void Drain(std::vector<int32_t>& us, bool& arrived);

    int notifications() const { return notifications_; }
    int malformed() const { return malformed_; }
    int droppedIntervals() const { return dropped_; }  // 0, out of range, or after connecting
    int heartRate() const { return heartRate_; }
    SensorContact contact() const { return contact_; }

private:
    std::vector<int32_t> pending_;
    bool arrived_ = false;
    bool fresh_ = true;
    int notifications_ = 0, malformed_ = 0, dropped_ = 0;
    int heartRate_ = 0;
    SensorContact contact_ = SensorContact::Unsupported;
};

}  // namespace trivant
