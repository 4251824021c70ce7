#include "strap_supervisor.h"

#include "tr_noop.h"

namespace trivant {

const char* const kStrapConnectedText = QT_TRANSLATE_NOOP("Messages", "Датчик подключен");
const char* const kStrapNotConnectedText = QT_TRANSLATE_NOOP("Messages", "Датчик не подключен");
const char* const kStrapNoRadioText =
    QT_TRANSLATE_NOOP("Messages", "Адаптер Bluetooth не найден или служба BlueZ не запущена");

namespace {
StrapRadioMaker gRadio = nullptr;
}  // namespace

void SetStrapRadio(StrapRadioMaker make) {
    gRadio = make;
}

std::unique_ptr<StrapLink> MakeStrapRadio() {
    return gRadio ? gRadio() : nullptr;
}

void StrapSupervisor::Pass(const std::string& address) {
    if (address != address_) {
        link_.Disconnect();
        address_ = address;
    }
    takeNotifications();
    const StrapState state = link_.State();
    if (state == StrapState::Idle && !address_.empty())
        link_.Connect(address_);
}

void StrapSupervisor::takeNotifications() {
    const bool connected = Connected();
    if (connected && !wasConnected_)
        receiver_.Connected();
    wasConnected_ = connected;
    link_.TakeNotifications(payloads_);
    for (const auto& p : payloads_)
        receiver_.Take(p.data(), p.size());
    payloads_.clear();
}

void StrapSupervisor::Read(std::vector<int32_t>& us, bool& arrived) {
    takeNotifications();
    receiver_.Drain(us, arrived);
}

void StrapSupervisor::Purge() {
    std::vector<int32_t> us;
    bool arrived = false;
    Read(us, arrived);
}

const char* StrapSupervisor::StateText() const {
    return Connected() ? kStrapConnectedText : kStrapNotConnectedText;
}

}  // namespace trivant
