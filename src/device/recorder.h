// The live recording: takes the beats that the frame decoder finds in the device's bytes,
// computes each new beat's indices, watches the limits and silence, and stops. A recording
// window drives it from its 100 ms timer; effects on the window go through RecordingEvents.
#pragma once

#include "frame_decoder.h"
#include "recorder_settings.h"
#include "recording.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace trivant {

extern const std::array<const char*, kStatusCodes> kStatusTexts;

constexpr int kSilentTickLimit = 1000;      // 100 s of 100 ms ticks without a byte
constexpr int32_t kFiveMinuteTime = 31000;  // TotalTime (10 ms units) past which AutoStop ends
constexpr int kSpoOffset = 100;             // the SpO2 byte carries SpO2 + 100

extern const char* const kCapacityMessage;  // with the recording's beat limit appended
extern const char* const kFiveMinutesMessage;
extern const char* const kNoConnectionMessage;

enum class StopReason { Capacity, FiveMinutes, Silence };

// What the recording window does in response; every call comes from Tick or Stop.
class RecordingEvents {
public:
    virtual ~RecordingEvents() = default;
    virtual void StatusTextChanged(const std::string& /*text*/) {}
    // Beat n is complete (CurrentFileLen is n + 1); from beat 3 on its indices are set.
    virtual void BeatCompleted(int /*n*/) {}
    // A limit ended the recording; tell the user. Stop follows at once.
    virtual void LimitReached(StopReason /*why*/) {}
    virtual void Stopped() {}
};

class Recorder {
public:
    Recorder(Recording& rec, RecordingEvents& events) : rec_(rec), events_(events) {}

    // Starts a new recording in an empty window; it stops full at maxBeats beats (the pulse
    // device's recording fits a .rr file, a strap's may run for days). startClockS: the wall
    // clock now (see clock_time.h), kNoClock for a replay, which has none.
    void Start(int maxBeats = kMaxBeats, int64_t startClockS = kNoClock);
    int maxBeats() const { return maxBeats_; }
    // One timer tick with the bytes read from the port (count 0: nothing arrived).
    void Tick(const uint8_t* bytes, size_t count, const RecorderSettings& s);
    // One timer tick with a strap's intervals in µs, oldest first. arrived: a notification
    // came, with or without intervals, so the strap is not silent.
    void TickExact(const int32_t* us, size_t count, bool arrived, const RecorderSettings& s);
    // Ends the recording: pack, prepare as a loaded file would be, histogram of beat 1.
    void Stop(const CoreSettings& core);

    bool recording() const { return rec_.RREventEnabled; }

    int32_t ConnectTimeout() const { return connectTimeout_; }  // ticks in a row without a byte
    int32_t ByteNum() const { return decoder_.ByteNum(); }
    int32_t ElStatus() const { return decoder_.ElStatus(); }
    // 10 ms units: the RR sum of the beats from the third on.
    int32_t TotalTime() const { return totalTime_; }

private:
    void apply(const FrameEvent& e, const RecorderSettings& s);
    void storeRR(uint8_t rr, const RecorderSettings& s);
    // False after 100 s of ticks with nothing: the recording stopped.
    bool heard(bool arrived, const CoreSettings& core);
    void completeBeat(uint8_t spoByte, const RecorderSettings& s);
    void stopFor(StopReason why, const CoreSettings& core);

    Recording& rec_;
    RecordingEvents& events_;
    FrameDecoder decoder_;
    int32_t connectTimeout_ = 0;
    int32_t totalTime_ = 0;
    int maxBeats_ = kMaxBeats;
    bool started_ = false;
    bool stopped_ = false;
};

}  // namespace trivant
