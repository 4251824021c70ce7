// A Bluetooth heart-rate strap as the application sees it: scan, connect to one address,
// and take the Heart Rate Measurement payloads it notified. The radio implementation uses
// QtBluetooth; the replay link plays a notification log; tests use fakes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace trivant {

struct StrapInfo {
    std::string address;
    std::string name;
    int rssi = 0;  // dBm; 0 when unknown
};

enum class StrapState {
    Unavailable,  // no adapter, or no Bluetooth stack: Error() says which
    Idle,         // not connected, nothing under way
    Connecting,   // connecting, discovering the service or enabling notifications
    Connected,    // notifications enabled
};

class StrapLink {
public:
    virtual ~StrapLink() = default;
    // Looks for devices that advertise the Heart Rate service for about seconds; the
    // results come in Found() while Scanning().
    virtual void StartScan(int seconds) = 0;
    virtual bool Scanning() const = 0;
    virtual std::vector<StrapInfo> Found() const = 0;

    // Connects to address; a drop returns the link to Idle.
    virtual void Connect(const std::string& address) = 0;
    virtual void Disconnect() = 0;
    virtual StrapState State() const = 0;
    // Why the link is Unavailable or the last connection failed, in English; empty if not.
    virtual std::string Error() const = 0;
    // The connected strap's name (empty when the link does not know it), and its battery
    // in % (-1 when it does not say).
    virtual std::string Name() const = 0;
    virtual int Battery() const = 0;

    // The payloads notified since the last call, oldest first.
    virtual void TakeNotifications(std::vector<std::vector<uint8_t>>& out) = 0;
};

// The radio, where the program links one: it sets the maker at its start. Tests and tools
// without one get nullptr, and say that this build has no Bluetooth.
using StrapRadioMaker = std::unique_ptr<StrapLink> (*)();
void SetStrapRadio(StrapRadioMaker make);
std::unique_ptr<StrapLink> MakeStrapRadio();

}  // namespace trivant
