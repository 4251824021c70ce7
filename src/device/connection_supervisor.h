// Keeps at most one serial port open for the pulse device and tries, pass after pass, to
// have one open: automatic search over the listed ports, or one fixed port.
#pragma once

#include "port_layer.h"

#include <string>
#include <vector>

namespace trivant {

extern const char* const kNoPortName;           // "Нету порта"
extern const char* const kDeviceConnectedText;  // caption of L_Device
extern const char* const kDeviceNotConnectedText;

// What to do about a port the user may not open, for the hint of L_Device.
std::string PermissionHint(const std::string& port);

class ConnectionSupervisor {
public:
    explicit ConnectionSupervisor(PortLayer& ports) : ports_(ports) {}
    ~ConnectionSupervisor();
    ConnectionSupervisor(const ConnectionSupervisor&) = delete;
    ConnectionSupervisor& operator=(const ConnectionSupervisor&) = delete;

    // One supervision pass. portIndex: 0 automatic search, 1..9 a fixed port.
    void Pass(int portIndex);
    // Closes the port so that the next pass connects anew (the options changed).
    void Reset();

    // The bytes waiting on the connected port, at most capacity; 0 when not connected.
    size_t Read(uint8_t* buffer, size_t capacity);
    // Drops what waits on the port, so a new recording starts with fresh beats.
    void Purge();

    const char* StateText() const;
    PortLayer& ports() { return ports_; }

    bool DeviceConnected = false;
    int PortHandle = 0;
    std::string PortName;
    std::vector<std::string> PortList;
    std::string DeviceHint;  // the hint of L_Device: the port in use, or empty
    std::string DeniedPort;  // a port present that the user may not open (last pass)

private:
    void searchAutomatically();
    void keepFixedPort(int portIndex);
    void adopt(int handle, const std::string& name);
    int tryOpen(const std::string& name);
    void closeHandle();

    PortLayer& ports_;
};

}  // namespace trivant
