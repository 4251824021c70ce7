// What a recording window needs from the application around it: the settings, the
// device's port, and the messages that end a recording.
#pragma once

#include "recorder.h"
#include "setup.h"
#include "short_date.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace trivant {

class RecordingWindow;

class GraphHost {
public:
    virtual ~GraphHost() = default;
    virtual Setup& setup() = 0;
    // The bytes waiting on the device's port now; 0 when none or not connected.
    virtual size_t ReadPort(uint8_t* buffer, size_t capacity) = 0;
    // Drops what waited on the port before a recording starts.
    virtual void PurgePort() = 0;
    // The device is a strap: intervals come exact from ReadStrap, not bytes from ReadPort.
    virtual bool StrapDevice() const { return false; }
    // The strap's intervals (µs, oldest first) since the last call, and whether any
    // notification came; false with nothing when the strap is not the device.
    virtual bool ReadStrap(std::vector<int32_t>& /*us*/, bool& /*arrived*/) { return false; }
    // The wall clock (see clock_time.h) at which a recording starts; a test sets its own.
    virtual int64_t ClockNow() { return LocalClockNow(); }
    // Tells the user why the recording ended; returns once the message is dismissed.
    virtual void ShowLimitMessage(StopReason why, int maxBeats) = 0;
    // A recording of this host ended (the start commands may change state).
    virtual void RecordingStopped() {}
    // Whether the last NN range chosen in any window was the fitted one: a new window starts
    // with it.
    virtual bool AutoRRRange() const { return false; }
    virtual void SetAutoRRRange(bool /*automatic*/) {}
    // The window is about to close, maybe while it records; false keeps it open and
    // unchanged (an unsaved or running recording, say).
    virtual bool MayClose(RecordingWindow& /*graph*/) { return true; }
    // Asks the name of a label, showing name as it is; false when the user gives up.
    virtual bool AskLabelName(std::string& /*name*/) { return false; }
    // The recording's journal could not be written; the recording goes on in memory.
    virtual void ShowJournalError(const std::string& /*path*/, const std::string& /*detail*/) {}
};

// A host without a device, for rendering and tests: settings only.
class OfflineGraphHost : public GraphHost {
public:
    explicit OfflineGraphHost(const Setup& s) : setup_(s) {}
    Setup& setup() override { return setup_; }
    size_t ReadPort(uint8_t*, size_t) override { return 0; }
    void PurgePort() override {}
    void ShowLimitMessage(StopReason, int) override {}

private:
    Setup setup_;
};

}  // namespace trivant
