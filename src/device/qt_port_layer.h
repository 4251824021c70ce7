// Serial ports through QSerialPort and QSerialPortInfo.
#pragma once

#include "port_layer.h"

#include <map>
#include <memory>

class QSerialPort;

namespace trivant {

class QtPortLayer : public PortLayer {
public:
    QtPortLayer();
    ~QtPortLayer() override;

    bool EnumPorts(std::vector<std::string>& list) override;
    int OpenPort(const std::string& name, int baud) override;
    size_t ReadPort(int handle, uint8_t* buffer, size_t capacity) override;
    void PurgePort(int handle) override;
    void ClosePort(int handle) override;
    std::string LastOpenError() const override { return lastOpenError_; }
    bool LastOpenDenied() const override { return lastOpenDenied_; }

private:
    std::map<int, std::unique_ptr<QSerialPort>> ports_;
    int nextHandle_ = 1;
    std::string lastOpenError_;
    bool lastOpenDenied_ = false;
};

}  // namespace trivant
