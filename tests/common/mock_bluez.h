// BlueZ without a radio: a private dbus-daemon taken as the system bus, python-dbusmock with
// the strap template (tests/device/bluez_strap.py) on it, and the test's calls to that mock.
// QtBluetooth keeps the first system bus it met, so a process has one of these for all tests.
#pragma once

#include "child_process.h"
#include "temp_dir.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QStringList>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>

namespace trivant::test {

// Runs the Qt events until done() or about timeoutMs; says whether done() came true.
inline bool waitFor(const std::function<bool()>& done, int timeoutMs = 10000) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// Qt's warnings while one lives, for the tests that there are none.
class QtWarnings {
public:
    QtWarnings() : previous_(qInstallMessageHandler(take)) { seen().clear(); }
    ~QtWarnings() { qInstallMessageHandler(previous_); }
    QtWarnings(const QtWarnings&) = delete;
    QtWarnings& operator=(const QtWarnings&) = delete;
    static QStringList& seen() {
        static QStringList list;
        return list;
    }
    static std::string text() { return seen().join('\n').toStdString(); }

private:
    static void take(QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type != QtDebugMsg && type != QtInfoMsg)
            seen().append(text);
    }
    QtMessageHandler previous_;
};

class MockBluez {
public:
    static constexpr const char* kAdapter = "hci0";

    // The process's mock, started at the first call; nullptr where no dbus-daemon exists.
    // It ends with the QApplication, while Qt can still close its connection.
    static MockBluez* Shared() {
        static MockBluez* mock = start();
        return mock && mock->ready_ ? mock : nullptr;
    }
    ~MockBluez() { QDBusConnection::disconnectFromBus("trivant-mock"); }

    static constexpr const char* kStrapAddress = "A0:9E:1A:4B:12:C3";
    static constexpr const char* kStrapName = "Polar H10 4B12C3";
    static constexpr const char* kNoBus = "no dbus-daemon: BlueZ cannot be mocked here";

    // The shared mock afresh with one strap (-58 dBm, battery 87 %), or nullptr.
    static MockBluez* WithStrap(const std::string& address, const std::string& name) {
        MockBluez* m = Shared();
        if (m) {
            m->Reset();
            m->AddStrap(address, name, -58, 87);
        }
        return m;
    }

    // A fresh adapter without devices, as each test begins.
    void Reset() {
        call("RemoveAdapterWithDevices", {QString(kAdapter)}, false);
        call("AddAdapter", {QString(kAdapter), QString("trivant-test")});
    }
    void AddStrap(const std::string& address, const std::string& name, int rssi, int battery) {
        call("AddStrap",
             on(address, {QString::fromStdString(name), QVariant::fromValue(qint16(rssi)),
                          QVariant::fromValue(uchar(battery))}));
    }
    // A Heart Rate Measurement notified; false when the strap's notifications were off.
    bool Notify(const std::string& address, const QByteArray& value) {
        return yes(call("Notify", on(address, {value})));
    }
    bool Notifying(const std::string& address) { return yes(call("Notifying", on(address))); }
    // Notifying, and the client has asked nothing for a while: its set-up is over.
    bool Ready(const std::string& address) {
        return yes(call("Settled", {200u})) && Notifying(address);
    }
    void SetBattery(const std::string& address, int level) {
        call("SetBattery", on(address, {QVariant::fromValue(uchar(level))}));
    }
    void Drop(const std::string& address) { call("Drop", on(address)); }
    // Waits (without Qt events: for another process) until the strap is Ready().
    bool WaitReady(const std::string& address, int timeoutMs = 20000) {
        for (int waited = 0; !Ready(address); waited += 50) {
            if (waited > timeoutMs)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return true;
    }
    // What the mock was asked, for a failing test's message.
    std::string Log() const { return dir_.read("mock.log"); }

private:
    static MockBluez* start() {
        if (access(TRIVANT_DBUS_DAEMON, X_OK) != 0)
            return nullptr;
        static MockBluez* made = new MockBluez;
        qAddPostRoutine([] { delete made; });
        made->ready_ = made->launch();
        return made;
    }
    bool launch() {
        // The session configuration lets anyone own any name: right for a bus of our own.
        daemon_ = std::make_unique<ChildProcess>(
            TRIVANT_DBUS_DAEMON,
            std::vector<std::string>{"--session", "--nofork", "--print-address=2"},
            dir_.path().string(), STDERR_FILENO);
        std::string address;
        while (daemon_->started() && address.rfind("unix:", 0) != 0)
            if ((address = daemon_->readLine()).empty())
                return false;
        // Before QtBluetooth first looks: the bus, and BlueZ's D-Bus GATT API (bluetoothd
        // would tell its version through a process the mock does not have).
        setenv("DBUS_SYSTEM_BUS_ADDRESS", address.c_str(), 1);
        setenv("BLUETOOTH_FORCE_DBUS_LE_VERSION", "5.66", 1);
        mock_ = std::make_unique<ChildProcess>(
            TRIVANT_MOCK_PYTHON,
            std::vector<std::string>{"-m", "dbusmock", "--template", TRIVANT_BLUEZ_TEMPLATE, "-l",
                                     dir_.file("mock.log")},
            dir_.path().string());
        bus_ = QDBusConnection::connectToBus(QString::fromStdString(address), "trivant-mock");
        for (int i = 0; i < 200 && !bus_.interface()->isServiceRegistered("org.bluez"); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return bus_.interface()->isServiceRegistered("org.bluez");
    }
    // The adapter and the strap's address, then the method's own arguments.
    static QVariantList on(const std::string& address, const QVariantList& more = {}) {
        return QVariantList{QString(kAdapter), QString::fromStdString(address)} + more;
    }
    static bool yes(const QDBusMessage& r) {
        return !r.arguments().isEmpty() && r.arguments()[0].toBool();
    }
    QDBusMessage call(const char* method, const QVariantList& args, bool mustWork = true) {
        QDBusMessage m = QDBusMessage::createMethodCall("org.bluez", "/", "org.bluez.Mock", method);
        m.setArguments(args);
        const QDBusMessage r = bus_.call(m, QDBus::Block, 10000);
        if (mustWork) {
            EXPECT_NE(r.type(), QDBusMessage::ErrorMessage)
                << method << ": " << r.errorMessage().toStdString();
        }
        return r;
    }

    TempDir dir_;
    std::unique_ptr<ChildProcess> daemon_, mock_;
    QDBusConnection bus_{QString()};
    bool ready_ = false;
};

}  // namespace trivant::test
