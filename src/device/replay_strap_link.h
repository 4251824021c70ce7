// A strap that plays a notification log instead of a radio: for tests, demos and anyone
// reproducing a session. Connecting starts the log; each payload is delivered once its time
// has come, at speed times real time (speed 0: all at once).
#pragma once

#include "strap_link.h"
#include "strap_log.h"

#include <chrono>
#include <functional>

namespace trivant {

class ReplayStrapLink : public StrapLink {
public:
    using Clock = std::function<double()>;  // seconds, from any origin

    // loop: the log starts over after its last payload, one second later.
    ReplayStrapLink(std::vector<StrapLogEntry> entries, std::string name, double speed, bool loop,
                    Clock clock = SteadySeconds);
    static double SteadySeconds();
    static constexpr const char* kAddress = "00:00:00:00:00:00";

    void StartScan(int) override {}
    bool Scanning() const override { return false; }
    std::vector<StrapInfo> Found() const override;
    void Connect(const std::string& address) override;
    void Disconnect() override { connected_ = false; }
    StrapState State() const override;
    std::string Error() const override { return {}; }
    std::string Name() const override { return name_; }
    int Battery() const override { return -1; }
    void TakeNotifications(std::vector<std::vector<uint8_t>>& out) override;

    // Every payload has been delivered (never, when looping).
    bool Finished() const { return !loop_ && next_ >= entries_.size(); }

private:
    std::vector<StrapLogEntry> entries_;
    std::string name_;
    double speed_;
    bool loop_;
    Clock clock_;
    bool connected_ = false;
    double start_ = 0;  // clock time of the log's second 0
    size_t next_ = 0;   // the next payload to deliver
};

}  // namespace trivant
