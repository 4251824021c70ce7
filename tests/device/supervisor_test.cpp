// Connection supervision against a fake port layer.
#include "connection_supervisor.h"
#include "fake_port_layer.h"

#include <gtest/gtest.h>

namespace trivant::test {
namespace {

TEST(Supervisor, NoPortsListedStaysDisconnected) {
    FakePortLayer ports;
    ConnectionSupervisor sup(ports);
    for (int i = 0; i < 3; ++i)
        sup.Pass(0);
    EXPECT_FALSE(sup.DeviceConnected());
    EXPECT_EQ(sup.PortName(), "");
    EXPECT_STREQ(sup.StateText(), "Прибор не подключен");
    EXPECT_EQ(ports.enumerations, 3);
}

TEST(Supervisor, TwoOpenablePortsTheLaterStaysAndTheEarlierIsClosed) {
    FakePortLayer ports;
    ports.present = {"/dev/ttyUSB0", "/dev/ttyS1", "/dev/ttyACM0"};
    ports.openable = {"/dev/ttyUSB0", "/dev/ttyACM0"};
    ConnectionSupervisor sup(ports);
    sup.Pass(0);
    EXPECT_TRUE(sup.DeviceConnected());
    EXPECT_EQ(sup.PortName(), "/dev/ttyACM0");
    EXPECT_EQ(sup.DeviceHint(), "/dev/ttyACM0");
    EXPECT_EQ(ports.lastBaud, 19200);
    EXPECT_EQ(ports.opened.size(), 3u);
    EXPECT_EQ(ports.open.size(), 1u);  // the replaced handle was closed
    EXPECT_STREQ(sup.StateText(), "Прибор подключен");
    sup.Pass(0);  // connected: only watched, nothing opened again
    EXPECT_EQ(ports.opened.size(), 3u);
}

TEST(Supervisor, VanishedPortIsClosedAndReported) {
    FakePortLayer ports;
    ports.present = {"/dev/ttyUSB0"};
    ports.openable = {"/dev/ttyUSB0"};
    ConnectionSupervisor sup(ports);
    sup.Pass(0);
    ASSERT_TRUE(sup.DeviceConnected());
    ports.present.clear();
    sup.Pass(0);
    EXPECT_FALSE(sup.DeviceConnected());
    EXPECT_EQ(sup.PortName(), "Нету порта");
    EXPECT_EQ(sup.DeviceHint(), "");
    EXPECT_TRUE(ports.open.empty());
    uint8_t buf[4];
    EXPECT_EQ(sup.Read(buf, sizeof buf), 0u);
    ports.present = {"/dev/ttyUSB0"};  // plugged in again
    sup.Pass(0);
    EXPECT_TRUE(sup.DeviceConnected());
}

TEST(Supervisor, UnreadableListCountsAsGone) {
    FakePortLayer ports;
    ports.present = {"/dev/ttyUSB0"};
    ports.openable = {"/dev/ttyUSB0"};
    ConnectionSupervisor sup(ports);
    sup.Pass(0);
    ports.listable = false;
    sup.Pass(0);
    EXPECT_FALSE(sup.DeviceConnected());
    EXPECT_TRUE(sup.PortList().empty());
}

TEST(Supervisor, AbsentFixedPortIsTriedEveryPass) {
    FakePortLayer ports;
    ConnectionSupervisor sup(ports);
    sup.Pass(2);
    sup.Pass(2);
    EXPECT_EQ(ports.opened, (std::vector<std::string>{"Com2", "Com2"}));
    EXPECT_EQ(ports.enumerations, 0);
    EXPECT_EQ(sup.PortName(), "Нету порта");
    EXPECT_FALSE(sup.DeviceConnected());
}

TEST(Supervisor, FixedPortStaysConnectedUntilReset) {
    FakePortLayer ports;
    ports.openable = {"Com3"};
    ConnectionSupervisor sup(ports);
    sup.Pass(3);
    ASSERT_TRUE(sup.DeviceConnected());
    EXPECT_EQ(sup.PortName(), "Com3");
    sup.Pass(3);
    EXPECT_EQ(ports.opened.size(), 1u);
    sup.Reset();
    EXPECT_FALSE(sup.DeviceConnected());
    EXPECT_EQ(sup.PortName(), "Нету порта");
    EXPECT_TRUE(ports.open.empty());
    sup.Pass(3);
    EXPECT_TRUE(sup.DeviceConnected());
}

TEST(Supervisor, ReadsAndPurgesTheConnectedPort) {
    FakePortLayer ports;
    ports.present = {"p"};
    ports.openable = {"p"};
    ConnectionSupervisor sup(ports);
    sup.Pass(0);
    ports.incoming.assign(30000, 7);
    std::vector<uint8_t> buf(30000);
    EXPECT_EQ(sup.Read(buf.data(), buf.size()), kReceiveBufferBytes);  // the rest waits
    sup.Purge();
    EXPECT_EQ(sup.Read(buf.data(), buf.size()), 0u);
}

TEST(Supervisor, OutOfRangePortIndexSearchesAutomatically) {
    FakePortLayer ports;
    ConnectionSupervisor sup(ports);
    sup.Pass(42);
    sup.Pass(-1);
    EXPECT_EQ(ports.enumerations, 2);
}

TEST(Supervisor, PortWithoutPermissionExplainsTheFix) {
    FakePortLayer ports;
    ports.present = {"/dev/ttyUSB0"};
    ports.forbidden = {"/dev/ttyUSB0"};
    ConnectionSupervisor sup(ports);
    sup.Pass(0);
    EXPECT_FALSE(sup.DeviceConnected());
    EXPECT_STREQ(sup.StateText(), "Прибор не подключен");
    EXPECT_EQ(sup.DeniedPort(), "/dev/ttyUSB0");
    EXPECT_NE(sup.DeviceHint().find("dialout"), std::string::npos);
    EXPECT_EQ(sup.DeviceHint(), PermissionHint("/dev/ttyUSB0"));
    EXPECT_EQ(sup.HintPort(), "/dev/ttyUSB0");  // the interface translates the hint with it
    ports.forbidden.clear();                    // the user joined the group
    ports.openable = {"/dev/ttyUSB0"};
    sup.Pass(0);
    EXPECT_TRUE(sup.DeviceConnected());
    EXPECT_EQ(sup.DeviceHint(), "/dev/ttyUSB0");
    EXPECT_EQ(sup.HintPort(), "");
}

TEST(Supervisor, PermissionHintNamesThePort) {
    EXPECT_EQ(PermissionHint("/dev/ttyUSB0"),
              "Нет доступа к порту /dev/ttyUSB0. Добавьте пользователя в группу dialout (sudo "
              "usermod -aG dialout $USER) и войдите в систему заново.");
}

}  // namespace
}  // namespace trivant::test
