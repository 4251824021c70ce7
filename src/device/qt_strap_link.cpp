// Signals of QtBluetooth set plain fields that the supervision pass polls; nothing here
// decides more than the next step of the connection.
#include "qt_strap_link.h"

#include <QBluetoothDeviceDiscoveryAgent>
#include <QBluetoothDeviceInfo>
#include <QBluetoothLocalDevice>
#include <QLowEnergyController>
#include <QLowEnergyService>
#include <QTimer>

#include <initializer_list>

namespace trivant {

namespace {

const QBluetoothUuid kHeartRateService(QBluetoothUuid::ServiceClassUuid::HeartRate);
const QBluetoothUuid
    kHeartRateMeasurement(QBluetoothUuid::CharacteristicType::HeartRateMeasurement);
const QBluetoothUuid kBatteryService(QBluetoothUuid::ServiceClassUuid::BatteryService);
const QBluetoothUuid kBatteryLevel(QBluetoothUuid::CharacteristicType::BatteryLevel);

// Qt's own words where ours say it: without BlueZ it warns on every look for an adapter,
// without the kernel's management socket on every scan, it names its backend on every
// connection, and it notes a controller deleted before BlueZ has answered the
// disconnection asked for. Silenced for the one call.
class QuietQt {
public:
    QuietQt() : previous_(qInstallMessageHandler(quiet)) {}
    ~QuietQt() { qInstallMessageHandler(previous_); }
    QuietQt(const QuietQt&) = delete;
    QuietQt& operator=(const QuietQt&) = delete;

private:
    static void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}
    QtMessageHandler previous_;
};

bool adapterPresent() {
    const QuietQt quiet;
    return !QBluetoothLocalDevice::allDevices().isEmpty();
}

const char* const kNoAdapter = "no Bluetooth adapter found (or BlueZ is not running)";

}  // namespace

struct QtStrapLink::Impl {
    std::unique_ptr<QBluetoothDeviceDiscoveryAgent> agent;
    std::vector<StrapInfo> found;
    std::unique_ptr<QLowEnergyController> controller;
    std::unique_ptr<QLowEnergyService> heart, battery;
    StrapState state = StrapState::Idle;
    std::string error, name;
    int batteryLevel = -1;
    std::vector<std::vector<uint8_t>> pending;

    void fail(const QString& why) {
        error = why.toStdString();
        drop();
    }
    // Each may be inside a signal of its own here: silenced now, deleted once control
    // returns to Qt (a controller still closing, quietly).
    template <typename T> static void later(std::unique_ptr<T>& p) {
        if (!p)
            return;
        p->disconnect();
        QTimer::singleShot(0, [o = p.release()] {
            const QuietQt quiet;
            delete o;
        });
    }
    void drop() {
        later(heart);
        later(battery);
        later(controller);
        state = adapterPresent() ? StrapState::Idle : StrapState::Unavailable;
    }
    void remember(const QBluetoothDeviceInfo& info) {
        if (!(info.coreConfigurations() & QBluetoothDeviceInfo::LowEnergyCoreConfiguration) ||
            !info.serviceUuids().contains(kHeartRateService))
            return;
        StrapInfo s{info.address().toString().toStdString(), info.name().toStdString(),
                    info.rssi()};
        for (StrapInfo& f : found)
            if (f.address == s.address) {
                f = s;
                return;
            }
        found.push_back(s);
    }
    void enableNotifications() {
        const QLowEnergyCharacteristic c = heart->characteristic(kHeartRateMeasurement);
        const QLowEnergyDescriptor cccd = c.clientCharacteristicConfiguration();
        if (!c.isValid() || !cccd.isValid())
            return fail("the strap has no Heart Rate Measurement to notify");
        QObject::connect(heart.get(), &QLowEnergyService::characteristicChanged,
                         [this](const QLowEnergyCharacteristic& ch, const QByteArray& v) {
                             if (ch.uuid() == kHeartRateMeasurement)
                                 pending.emplace_back(v.begin(), v.end());
                         });
        heart->writeDescriptor(cccd, QLowEnergyCharacteristic::CCCDEnableNotification);
        state = StrapState::Connected;
    }
    void readBattery() {
        battery.reset(controller->createServiceObject(kBatteryService));
        if (!battery)
            return;
        QObject::connect(battery.get(), &QLowEnergyService::stateChanged,
                         [this](QLowEnergyService::ServiceState s) {
                             if (s == QLowEnergyService::RemoteServiceDiscovered)
                                 battery->readCharacteristic(
                                     battery->characteristic(kBatteryLevel));
                         });
        QObject::connect(battery.get(), &QLowEnergyService::characteristicRead,
                         [this](const QLowEnergyCharacteristic& ch, const QByteArray& v) {
                             if (ch.uuid() == kBatteryLevel && v.size() == 1)
                                 batteryLevel = static_cast<uint8_t>(v[0]);
                         });
        battery->discoverDetails();
    }
    void servicesFound() {
        heart.reset(controller->createServiceObject(kHeartRateService));
        if (!heart)
            return fail("the device has no Heart Rate service");
        QObject::connect(heart.get(), &QLowEnergyService::stateChanged,
                         [this](QLowEnergyService::ServiceState s) {
                             if (s == QLowEnergyService::RemoteServiceDiscovered)
                                 enableNotifications();
                         });
        heart->discoverDetails();
        readBattery();
    }
};

QtStrapLink::QtStrapLink() : d_(std::make_unique<Impl>()) {
    if (!adapterPresent()) {
        d_->state = StrapState::Unavailable;
        d_->error = kNoAdapter;
    }
}

// The handlers capture this: silenced before anything they watch goes, as on a drop.
QtStrapLink::~QtStrapLink() {
    for (QObject* o : std::initializer_list<QObject*>{d_->heart.get(), d_->battery.get(),
                                                      d_->controller.get(), d_->agent.get()})
        if (o)
            o->disconnect();
    d_->heart.reset();
    d_->battery.reset();
    if (d_->controller) {
        d_->controller->disconnectFromDevice();
        const QuietQt quiet;
        d_->controller.reset();
    }
    d_->agent.reset();
}

void QtStrapLink::StartScan(int seconds) {
    if (!adapterPresent()) {
        d_->error = kNoAdapter;
        return;
    }
    d_->found.clear();
    const QuietQt quiet;  // without the kernel's management socket the scan still works
    d_->agent = std::make_unique<QBluetoothDeviceDiscoveryAgent>();
    d_->agent->setLowEnergyDiscoveryTimeout(seconds * 1000);
    QObject::connect(d_->agent.get(), &QBluetoothDeviceDiscoveryAgent::deviceDiscovered,
                     [this](const QBluetoothDeviceInfo& info) { d_->remember(info); });
    QObject::connect(d_->agent.get(), &QBluetoothDeviceDiscoveryAgent::deviceUpdated,
                     [this](const QBluetoothDeviceInfo& info) { d_->remember(info); });
    QObject::connect(d_->agent.get(), &QBluetoothDeviceDiscoveryAgent::errorOccurred,
                     [this](QBluetoothDeviceDiscoveryAgent::Error) {
                         d_->error = d_->agent->errorString().toStdString();
                     });
    d_->agent->start(QBluetoothDeviceDiscoveryAgent::LowEnergyMethod);
}

bool QtStrapLink::Scanning() const {
    return d_->agent && d_->agent->isActive();
}

std::vector<StrapInfo> QtStrapLink::Found() const {
    return d_->found;
}

void QtStrapLink::Connect(const std::string& address) {
    if (!adapterPresent()) {
        d_->state = StrapState::Unavailable;
        d_->error = kNoAdapter;
        return;
    }
    Disconnect();
    d_->error.clear();
    // Known from a scan of this run only; else empty, and the caller's saved name stands.
    d_->name.clear();
    for (const StrapInfo& f : d_->found)
        if (f.address == address)
            d_->name = f.name;
    QBluetoothDeviceInfo info(QBluetoothAddress(QString::fromStdString(address)),
                              QString::fromStdString(d_->name), 0);
    info.setCoreConfigurations(QBluetoothDeviceInfo::LowEnergyCoreConfiguration);
    {
        const QuietQt quiet;
        d_->controller.reset(QLowEnergyController::createCentral(info));
    }
    QLowEnergyController* c = d_->controller.get();
    QObject::connect(c, &QLowEnergyController::connected, [c] { c->discoverServices(); });
    QObject::connect(c, &QLowEnergyController::discoveryFinished, [this] { d_->servicesFound(); });
    QObject::connect(c, &QLowEnergyController::disconnected, [this] { d_->drop(); });
    QObject::connect(c, &QLowEnergyController::errorOccurred,
                     [this, c](QLowEnergyController::Error) { d_->fail(c->errorString()); });
    d_->state = StrapState::Connecting;
    c->connectToDevice();
}

void QtStrapLink::Disconnect() {
    if (d_->controller)
        d_->controller->disconnectFromDevice();
    d_->drop();
    d_->batteryLevel = -1;
}

StrapState QtStrapLink::State() const {
    return d_->state;
}

std::string QtStrapLink::Error() const {
    return d_->error;
}

std::string QtStrapLink::Name() const {
    return d_->name;
}

int QtStrapLink::Battery() const {
    return d_->batteryLevel;
}

void QtStrapLink::TakeNotifications(std::vector<std::vector<uint8_t>>& out) {
    for (auto& p : d_->pending)
        out.push_back(std::move(p));
    d_->pending.clear();
}

}  // namespace trivant
