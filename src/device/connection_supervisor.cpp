// One supervision pass: enumerate, watch the open port, or try to open one.
#include "connection_supervisor.h"

#include "port_names.h"

#include <algorithm>

namespace trivant {

const char* const kNoPortName = "Нету порта";
const char* const kDeviceConnectedText = "Прибор подключен";
const char* const kDeviceNotConnectedText = "Прибор не подключен";

ConnectionSupervisor::~ConnectionSupervisor() {
    closeHandle();
}

void ConnectionSupervisor::Pass(int portIndex) {
    if (portIndex < 0 || portIndex >= kFixedPortCount)
        portIndex = 0;
    DeniedPort.clear();
    if (portIndex == 0)
        searchAutomatically();
    else
        keepFixedPort(portIndex);
    if (!DeviceConnected && !DeniedPort.empty())
        DeviceHint = PermissionHint(DeniedPort);
}

std::string PermissionHint(const std::string& port) {
    return "Нет доступа к порту " + port +
           ". Добавьте пользователя в группу dialout (sudo usermod -aG dialout $USER) и войдите "
           "в систему заново.";
}

int ConnectionSupervisor::tryOpen(const std::string& name) {
    const int handle = ports_.OpenPort(name, kDeviceBaud);
    if (handle <= 0 && ports_.LastOpenDenied())
        DeniedPort = name;
    return handle;
}

void ConnectionSupervisor::searchAutomatically() {
    ports_.EnumPorts(PortList);
    if (DeviceConnected) {
        DeviceConnected = std::find(PortList.begin(), PortList.end(), PortName) != PortList.end();
        if (!DeviceConnected) {
            closeHandle();  // the port is gone; its handle is of no use any more
            PortName = kNoPortName;
            DeviceHint.clear();
        }
        return;
    }
    // Every listed port is tried; the last one that opens stays in use.
    for (const std::string& entry : PortList) {
        if (entry == PortName)
            continue;
        const int handle = tryOpen(entry);
        if (handle > 0)
            adopt(handle, entry);
    }
}

void ConnectionSupervisor::keepFixedPort(int portIndex) {
    // A connected fixed port is not watched: only Reset ends the connection.
    if (!DeviceConnected) {
        const int handle = tryOpen(FixedPortNames[portIndex]);
        if (handle > 0)
            adopt(handle, FixedPortNames[portIndex]);
    }
    if (!DeviceConnected) {
        PortName = kNoPortName;
        DeviceHint.clear();
    }
}

void ConnectionSupervisor::adopt(int handle, const std::string& name) {
    closeHandle();  // a port replaced during the walk is closed, not leaked
    PortHandle = handle;
    PortName = name;
    DeviceConnected = true;
    DeviceHint = name;
}

void ConnectionSupervisor::closeHandle() {
    if (PortHandle > 0)
        ports_.ClosePort(PortHandle);
    PortHandle = 0;
}

void ConnectionSupervisor::Reset() {
    closeHandle();
    DeviceConnected = false;
    PortName = kNoPortName;
}

size_t ConnectionSupervisor::Read(uint8_t* buffer, size_t capacity) {
    if (!DeviceConnected || PortHandle <= 0)
        return 0;
    return ports_.ReadPort(PortHandle, buffer, std::min(capacity, kReceiveBufferBytes));
}

void ConnectionSupervisor::Purge() {
    if (DeviceConnected && PortHandle > 0)
        ports_.PurgePort(PortHandle);
}

const char* ConnectionSupervisor::StateText() const {
    return DeviceConnected ? kDeviceConnectedText : kDeviceNotConnectedText;
}

}  // namespace trivant
