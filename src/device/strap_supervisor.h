// Keeps a strap connected, as the connection supervisor keeps the serial port: each pass
// connects to the chosen address when the link is idle (after a drop too), and the
// notifications go through the receiver, whose first after each connection is stripped.
#pragma once

#include "strap_link.h"
#include "strap_receiver.h"

#include <string>
#include <vector>

namespace trivant {

extern const char* const kStrapConnectedText;  // captions of L_Device for a strap
extern const char* const kStrapNotConnectedText;
extern const char* const kStrapNoRadioText;  // the link Unavailable: where the user looks first

class StrapSupervisor {
public:
    explicit StrapSupervisor(StrapLink& link) : link_(link) {}

    // One supervision pass for address (empty: none chosen, nothing to connect).
    void Pass(const std::string& address);
    // The intervals (µs) that arrived since the last read; arrived: any notification came.
    void Read(std::vector<int32_t>& us, bool& arrived);
    // Drops what arrived before a recording starts.
    void Purge();

    bool Connected() const { return link_.State() == StrapState::Connected; }
    const char* StateText() const;
    StrapLink& link() { return link_; }
    const StrapReceiver& receiver() const { return receiver_; }

private:
    void takeNotifications();

    StrapLink& link_;
    StrapReceiver receiver_;
    std::string address_;
    bool wasConnected_ = false;
    std::vector<std::vector<uint8_t>> payloads_;
};

}  // namespace trivant
