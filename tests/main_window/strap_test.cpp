// A strap as the device, played from a log on a clock the test moves: chosen in the options
// dialog and kept in its own file, recorded live, and saved as exact CSV.
#include "app_fixture.h"
#include "options_dialog.h"
#include "replay_strap_link.h"
#include "short_date.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

namespace trivant::test {
namespace {

// A strap's log: the first notification's interval is dropped, the rest are kept exactly.
const char* const kLog = "0 16 48 00 04\n"             // 1000 ms, dropped
                         "1 16 48 34 03 35 03\n"       // 800.781, 801.758 ms
                         "2.5 19 48 00 10 27 01 02\n"  // uint16 rate, energy: 500.977 ms
                         "3 04 48\n"                   // contact lost: no interval
                         "4 16 48 FF 03\n";            // 999.023 ms

class StrapApp : public AppTest {
protected:
    void useReplay(const StrapChoice* forced) {
        std::vector<StrapLogEntry> entries;
        std::vector<StrapLogProblem> problems;
        ParseStrapLog(kLog, entries, problems);
        form->UseStraps(std::make_unique<ReplayStrapLink>(std::move(entries), "H10", 1.0, false,
                                                          [this] { return now; }),
                        dir.file("strap"), forced);
    }
    double now = 50;
};

TEST_F(StrapApp, ALogRecordedLiveIsSavedAsExactCsv) {
    start();
    dir.write("strap", std::string("strap\t") + ReplayStrapLink::kAddress + "\tH10\n");
    useReplay(nullptr);
    EXPECT_EQ(form->L_Device->text(), "Датчик подключен");
    EXPECT_EQ(form->L_Device->toolTip(), "H10");
    ASSERT_TRUE(form->TB_Start->isEnabled());
    const int64_t before = LocalClockNow();
    form->TB_Start->trigger();
    RecordingWindow* g = form->activeGraph();
    ASSERT_NE(g, nullptr);
    const int64_t started = g->recording().StartClockS;  // the clock at Start
    EXPECT_GE(started, before);
    EXPECT_LE(started, LocalClockNow());
    now += 10;  // the whole log is due
    g->Timer1Timer();
    EXPECT_EQ(g->recording().ExactUs, (std::vector<int32_t>{0, 800781, 801758, 500977, 999023}));
    EXPECT_EQ(g->recording().at(kSerRR, 3), 50);
    form->TB_Stop->trigger();
    answer(file(dir.file("strap.csv"), 1));  // CSV comes first for exact intervals
    form->TB_Save->trigger();
    EXPECT_EQ(dir.read("strap.csv"), "# start: " + DateTimeText(started) +
                                         "\nRR_ms;SpO2;label\n800.781;;0\n801.758;;0\n"
                                         "500.977;;0\n999.023;;0\n");
    EXPECT_TRUE(g->saved());
}

TEST_F(StrapApp, TheOptionsDialogChoosesAStrapAndItsFileKeepsIt) {
    start();
    useReplay(nullptr);
    EXPECT_FALSE(form->StrapDevice());  // no file yet: the serial device
    answer([](QDialog& d) {
        auto* o = dynamic_cast<OptionsDialog*>(&d);
        EXPECT_NE(o, nullptr);
        if (!o)
            return int(QDialog::Rejected);
        EXPECT_FALSE(o->strapCombo->isEnabled());
        o->deviceCombo->setCurrentIndex(OptionsDialog::kStrapDeviceItem);
        EXPECT_FALSE(o->portCombo->isEnabled());
        EXPECT_EQ(o->strapCombo->count(), 1);  // what the replay offers
        return int(QDialog::Accepted);
    });
    form->TB_Tools->trigger();
    EXPECT_TRUE(form->StrapDevice());
    EXPECT_EQ(dir.read("strap"), std::string("strap\t") + ReplayStrapLink::kAddress + "\tH10\n");
    EXPECT_EQ(LoadStrapChoice(dir.file("strap")), form->strapChoice());
    // A forced choice (a replay run) holds without touching the file.
    const StrapChoice serial;
    useReplay(&serial);
    EXPECT_FALSE(form->StrapDevice());
    EXPECT_EQ(LoadStrapChoice(dir.file("strap")).address, ReplayStrapLink::kAddress);
}

TEST_F(AppTest, WithoutARadioTheOptionsSaySoAndOfferNoStrap) {
    start();
    form->UseStraps(nullptr, dir.file("strap"));
    answer([](QDialog& d) {
        auto* o = dynamic_cast<OptionsDialog*>(&d);
        if (!o)
            return int(QDialog::Rejected);
        o->deviceCombo->setCurrentIndex(OptionsDialog::kStrapDeviceItem);
        EXPECT_FALSE(o->strapCombo->isEnabled());
        EXPECT_FALSE(o->strapScan->isEnabled());
        EXPECT_EQ(o->L_Strap->text(), "Адаптер Bluetooth не найден или служба BlueZ не запущена");
        return int(QDialog::Accepted);
    });
    form->TB_Tools->trigger();
    EXPECT_FALSE(form->StrapDevice());  // nothing to choose: the serial device stays
}

}  // namespace
}  // namespace trivant::test
