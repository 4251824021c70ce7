// The application's strap over the radio, as main() gives it, against a mocked BlueZ: the
// label and its battery hint, a live recording that goes on across a drop, and the
// application closed while the strap notifies.
#include "app_fixture.h"
#include "mock_bluez.h"
#include "qt_strap_link.h"

namespace trivant::test {
namespace {

const std::string kStrap = MockBluez::kStrapAddress;
const std::string kName = MockBluez::kStrapName;

// Heart Rate Measurements with a uint8 rate and one interval each, in 1/1024 s.
void notify(MockBluez& mock, std::initializer_list<int> units) {
    for (const int u : units)
        ASSERT_TRUE(mock.Notify(kStrap, QByteArray("\x10\x3c", 2) + char(u & 0xFF) + char(u >> 8)))
            << mock.Log();
}

class RadioApp : public AppTest {
protected:
    void SetUp() override {
        if (!(mock = MockBluez::WithStrap(kStrap, kName)))
            GTEST_SKIP() << MockBluez::kNoBus;
        start();
        dir.write("strap", "strap\t" + kStrap + "\t" + kName + "\n");
        SetStrapRadio(QtStrapLink::Make);
        form->UseStraps(MakeStrapRadio(), dir.file("strap"));
    }
    template <class Done> bool idleUntil(Done done) {
        return waitFor([&] {
            form->IdleHandler();
            return done();
        });
    }
    bool connected() {
        return idleUntil([&] { return label() == "Датчик подключен" && mock->Ready(kStrap); });
    }
    QString label() const { return form->L_Device->text(); }
    bool recorded(RecordingWindow& g, size_t count) {
        return waitFor([&] {
            g.Timer1Timer();
            return g.recording().ExactUs.size() >= count;
        });
    }
    MockBluez* mock = nullptr;
};

TEST_F(RadioApp, RecordsTheStrapAcrossADropAndClosesWhileItNotifies) {
    ASSERT_TRUE(connected()) << mock->Log();
    const QString battery = QString::fromStdString(kName) + ", заряд батареи 87 %";
    EXPECT_TRUE(idleUntil([&] { return form->L_Device->toolTip() == battery; }))
        << form->L_Device->toolTip().toStdString();
    form->TB_Start->trigger();
    RecordingWindow* g = form->activeGraph();
    ASSERT_NE(g, nullptr);
    notify(*mock, {1024, 820, 1023});  // the first of each connection is dropped
    ASSERT_TRUE(recorded(*g, 3));

    mock->Drop(kStrap);
    ASSERT_TRUE(idleUntil([&] { return label() == "Датчик не подключен"; }));
    ASSERT_TRUE(connected()) << mock->Log();
    notify(*mock, {700, 512});
    ASSERT_TRUE(recorded(*g, 4));
    EXPECT_TRUE(g->recordingNow());
    EXPECT_EQ(g->recording().ExactUs, (std::vector<int32_t>{0, 800781, 999023, 500000}));

    {
        const QtWarnings warnings;
        notify(*mock, {800, 801});
        answer(message(kMsgYes));  // stop without saving
        form->close();
        notify(*mock, {802});
        form.reset();
        mock->Notify(kStrap, QByteArray("\x10\x3c\x00\x04", 4));  // to a link gone
        waitFor([] { return false; }, 300);
        EXPECT_TRUE(QtWarnings::seen().isEmpty()) << QtWarnings::text();
    }
}

}  // namespace
}  // namespace trivant::test
