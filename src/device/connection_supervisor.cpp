// One supervision pass: enumerate, watch the open port, or try to open one.
#include "connection_supervisor.h"

#include "port_names.h"
#include "tr_noop.h"

#include <algorithm>

namespace trivant {

const char* const kNoPortName = QT_TRANSLATE_NOOP("Messages", "Нету порта");
const char* const kDeviceConnectedText = QT_TRANSLATE_NOOP("Messages", "Прибор подключен");
const char* const kDeviceNotConnectedText = QT_TRANSLATE_NOOP("Messages", "Прибор не подключен");
const char* const kPermissionHint = QT_TRANSLATE_NOOP(
    "Messages", "Нет доступа к порту %1. Добавьте пользователя в группу dialout (sudo usermod "
                "-aG dialout $USER) и войдите в систему заново.");

ConnectionSupervisor::~ConnectionSupervisor() {
    closeHandle();
}

void ConnectionSupervisor::Pass(int portIndex) {
    if (portIndex < 0 || portIndex >= kFixedPortCount)
        portIndex = 0;
    deniedPort_.clear();
    if (portIndex == 0)
        searchAutomatically();
    else
        keepFixedPort(portIndex);
    if (!deviceConnected_ && !deniedPort_.empty()) {
        deviceHint_ = PermissionHint(deniedPort_);
        hintPort_ = deniedPort_;
    }
}

std::string PermissionHint(const std::string& port) {
    std::string hint = kPermissionHint;
    return hint.replace(hint.find("%1"), 2, port);
}

int ConnectionSupervisor::tryOpen(const std::string& name) {
    const int handle = ports_.OpenPort(name, kDeviceBaud);
    if (handle <= 0 && ports_.LastOpenDenied())
        deniedPort_ = name;
    return handle;
}

void ConnectionSupervisor::searchAutomatically() {
    ports_.EnumPorts(portList_);
    if (deviceConnected_) {
        deviceConnected_ =
            std::find(portList_.begin(), portList_.end(), portName_) != portList_.end();
        if (!deviceConnected_) {
            closeHandle();  // the port is gone; its handle is of no use any more
            portName_ = kNoPortName;
            deviceHint_.clear();
            hintPort_.clear();
        }
        return;
    }
    // Every listed port is tried; the last one that opens stays in use.
    for (const std::string& entry : portList_) {
        if (entry == portName_)
            continue;
        const int handle = tryOpen(entry);
        if (handle > 0)
            adopt(handle, entry);
    }
}

void ConnectionSupervisor::keepFixedPort(int portIndex) {
    // A connected fixed port is not watched: only Reset ends the connection.
    if (!deviceConnected_) {
        const int handle = tryOpen(FixedPortNames[portIndex]);
        if (handle > 0)
            adopt(handle, FixedPortNames[portIndex]);
    }
    if (!deviceConnected_) {
        portName_ = kNoPortName;
        deviceHint_.clear();
        hintPort_.clear();
    }
}

void ConnectionSupervisor::adopt(int handle, const std::string& name) {
    closeHandle();  // a port replaced during the walk is closed, not leaked
    portHandle_ = handle;
    portName_ = name;
    deviceConnected_ = true;
    deviceHint_ = name;
    hintPort_.clear();
}

void ConnectionSupervisor::closeHandle() {
    if (portHandle_ > 0)
        ports_.ClosePort(portHandle_);
    portHandle_ = 0;
}

void ConnectionSupervisor::Reset() {
    closeHandle();
    deviceConnected_ = false;
    portName_ = kNoPortName;
}

size_t ConnectionSupervisor::Read(uint8_t* buffer, size_t capacity) {
    if (!deviceConnected_ || portHandle_ <= 0)
        return 0;
    return ports_.ReadPort(portHandle_, buffer, std::min(capacity, kReceiveBufferBytes));
}

void ConnectionSupervisor::Purge() {
    if (deviceConnected_ && portHandle_ > 0)
        ports_.PurgePort(portHandle_);
}

const char* ConnectionSupervisor::StateText() const {
    return deviceConnected_ ? kDeviceConnectedText : kDeviceNotConnectedText;
}

}  // namespace trivant
