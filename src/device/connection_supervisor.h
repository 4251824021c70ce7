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
extern const char* const kPermissionHint;  // "%1" stands for the port

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

    bool DeviceConnected() const { return deviceConnected_; }
    int PortHandle() const { return portHandle_; }
    const std::string& PortName() const { return portName_; }
    const std::vector<std::string>& PortList() const { return portList_; }
    // The hint of L_Device: the port in use, or empty.
    const std::string& DeviceHint() const { return deviceHint_; }
    // The port the hint asks permission for; empty when the hint is a port in use.
    const std::string& HintPort() const { return hintPort_; }
    // A port present that the user may not open (last pass).
    const std::string& DeniedPort() const { return deniedPort_; }

private:
    void searchAutomatically();
    void keepFixedPort(int portIndex);
    void adopt(int handle, const std::string& name);
    int tryOpen(const std::string& name);
    void closeHandle();

    PortLayer& ports_;
    bool deviceConnected_ = false;
    int portHandle_ = 0;
    std::string portName_;
    std::vector<std::string> portList_;
    std::string deviceHint_;
    std::string hintPort_;
    std::string deniedPort_;
};

}  // namespace trivant
