// The strap over the radio, through QtBluetooth: a Low Energy scan for the Heart Rate
// service, then the controller, the service, notifications of Heart Rate Measurement and
// a read of Battery Level. Kept thin: every decision lives in the plain classes around it.
#pragma once

#include "strap_link.h"

#include <memory>

namespace trivant {

class QtStrapLink : public StrapLink {
public:
    QtStrapLink();
    ~QtStrapLink() override;

    void StartScan(int seconds) override;
    bool Scanning() const override;
    std::vector<StrapInfo> Found() const override;
    void Connect(const std::string& address) override;
    void Disconnect() override;
    StrapState State() const override;
    std::string Error() const override;
    std::string Name() const override;
    int Battery() const override;
    void TakeNotifications(std::vector<std::vector<uint8_t>>& out) override;

    static std::unique_ptr<StrapLink> Make() { return std::make_unique<QtStrapLink>(); }

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};

}  // namespace trivant
