// The radio link against a mocked BlueZ: QtStrapLink kept by the supervisor through a scan,
// notifications, the battery, a drop and its reconnection, and its end during notifications;
// then trivant-cli's ble-scan and record --ble on the same mock.
#include "mock_bluez.h"
#include "qt_strap_link.h"
#include "strap_supervisor.h"

#include <QDBusConnection>

namespace trivant::test {
namespace {

const std::string kStrap = MockBluez::kStrapAddress;
const std::string kName = MockBluez::kStrapName;

// Heart Rate Measurement with a uint8 rate and the given intervals in 1/1024 s.
QByteArray measurement(std::initializer_list<int> units) {
    QByteArray p("\x10\x3c", 2);
    for (const int u : units)
        p.append(char(u & 0xFF)).append(char(u >> 8));
    return p;
}

// Each connection's first notification carries an interval begun before it: dropped.
const std::vector<QByteArray> kFirstLink = {measurement({1024}), measurement({820, 821}),
                                            measurement({1023})};
const std::vector<QByteArray> kSecondLink = {measurement({700}), measurement({512})};
const std::vector<int32_t> kKeptUs = {800781, 801758, 999023, 500000};  // 3 from the first

class RadioTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!(mock = MockBluez::WithStrap(kStrap, kName)))
            GTEST_SKIP() << MockBluez::kNoBus;
    }
    void push(const std::vector<QByteArray>& link) {
        for (const QByteArray& p : link)
            ASSERT_TRUE(mock->Notify(kStrap, p)) << mock->Log();
    }
    MockBluez* mock = nullptr;
};

TEST_F(RadioTest, TheLinkFindsConnectsRecordsAndReconnectsAfterADrop) {
    const QtWarnings warnings;
    auto link = std::make_unique<QtStrapLink>();
    ASSERT_NE(link->State(), StrapState::Unavailable) << link->Error();
    link->StartScan(1);
    ASSERT_TRUE(waitFor([&] { return !link->Scanning(); }));
    ASSERT_EQ(link->Found().size(), 1u) << link->Error();
    EXPECT_EQ(link->Found()[0].address, kStrap);
    EXPECT_EQ(link->Found()[0].name, kName);
    EXPECT_EQ(link->Found()[0].rssi, -58);

    StrapSupervisor sup(*link);
    std::vector<int32_t> got, us;
    bool arrived = false;
    auto connectAndPush = [&](const std::vector<QByteArray>& pushed, size_t want) {
        ASSERT_TRUE(waitFor([&] {
            sup.Pass(kStrap);
            return sup.Connected() && mock->Ready(kStrap);
        })) << mock->Log();
        push(pushed);
        ASSERT_TRUE(waitFor([&] {
            sup.Read(us, arrived);
            got.insert(got.end(), us.begin(), us.end());
            return got.size() >= want;
        }));
    };
    connectAndPush(kFirstLink, 3);
    EXPECT_EQ(link->Name(), kName);
    EXPECT_TRUE(waitFor([&] { return link->Battery() == 87; }));

    mock->SetBattery(kStrap, 64);
    mock->Drop(kStrap);
    ASSERT_TRUE(waitFor([&] { return !sup.Connected(); }));
    connectAndPush(kSecondLink, kKeptUs.size());
    EXPECT_EQ(got, kKeptUs);
    EXPECT_TRUE(waitFor([&] { return link->Battery() == 64; }));  // read again on connecting

    // Ended while the strap notifies: nothing reaches a link that is gone.
    ASSERT_TRUE(mock->Notify(kStrap, measurement({800})));
    link.reset();
    mock->Notify(kStrap, measurement({801}));  // if BlueZ has not yet heard of the end
    waitFor([] { return false; }, 300);
    EXPECT_TRUE(QtWarnings::seen().isEmpty()) << QtWarnings::text();
}

TEST_F(RadioTest, TheToolScansAndRecordsAcrossADropExactly) {
    TempDir dir;
    ChildProcess scan(TRIVANT_CLI, {"ble-scan", "--seconds", "1"}, dir.path().string());
    EXPECT_EQ(scan.readAll(), kStrap + "\t" + kName + "\t-58\n");
    EXPECT_EQ(scan.wait(std::chrono::seconds(20)), 0);

    ChildProcess record(
        TRIVANT_CLI,
        {"record", "--ble", kStrap, "--beats", std::to_string(kKeptUs.size()), "strap.csv"},
        dir.path().string(), STDERR_FILENO);
    ASSERT_TRUE(mock->WaitReady(kStrap)) << mock->Log();
    push(kFirstLink);
    mock->Drop(kStrap);
    ASSERT_TRUE(mock->WaitReady(kStrap)) << mock->Log();
    push(kSecondLink);
    EXPECT_EQ(record.readAll(), "trivant-cli: 4 beats saved to strap.csv\n");  // and no warning
    EXPECT_EQ(record.wait(std::chrono::seconds(20)), 0);
    // A live recording knows its start: the line before the header.
    const std::string csv = dir.read("strap.csv");
    EXPECT_EQ(csv.rfind("# start: ", 0), 0u) << csv;
    EXPECT_EQ(csv.substr(csv.find('\n') + 1),
              "RR_ms;SpO2;label\n800.781;;0\n801.758;;0\n999.023;;0\n500;;0\n");
}

}  // namespace
}  // namespace trivant::test
