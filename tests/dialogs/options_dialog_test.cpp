// The options dialog answered in-process: its mapping to the settings and back, its lists
// and its colour swatches.
#include "colour_dialog.h"
#include "dialog_answers.h"
#include "options_dialog.h"
#include "recording.h"
#include "setup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <vector>

namespace trivant::test {
namespace {

// ---- Options dialog ----

void expectSameSetup(const trivant::Setup& a, const trivant::Setup& b) {
    EXPECT_EQ(a.DataDir, b.DataDir);
    for (int s = 0; s < kSeriesCount; ++s) {
        SCOPED_TRACE(s);
        EXPECT_EQ(a.Traces[s].Name, b.Traces[s].Name);
        EXPECT_EQ(a.Traces[s].Shown, b.Traces[s].Shown);
        EXPECT_EQ(a.Traces[s].Color, b.Traces[s].Color);
    }
    EXPECT_EQ(a.Sample, b.Sample);
    EXPECT_EQ(a.BarWidth, b.BarWidth);
    EXPECT_EQ(a.PortIndex, b.PortIndex);
    EXPECT_EQ(a.BaudIndex, b.BaudIndex);
    EXPECT_EQ(a.LineWidth, b.LineWidth);
    EXPECT_EQ(a.DeviceType, b.DeviceType);
    EXPECT_EQ(a.OpenFilterIndex, b.OpenFilterIndex);
    EXPECT_EQ(a.SaveFilterIndex, b.SaveFilterIndex);
    EXPECT_EQ(a.PrintOrientation, b.PrintOrientation);
    EXPECT_EQ(a.AutoStop, b.AutoStop);
    EXPECT_EQ(a.AutoSaveSetup, b.AutoSaveSetup);
    EXPECT_EQ(a.IbCompensation, b.IbCompensation);
    EXPECT_EQ(a.Reserved1, b.Reserved1);
    EXPECT_EQ(a.Reserved2, b.Reserved2);
    EXPECT_EQ(a.held, b.held);
}

trivant::Setup defaultSetup() {
    trivant::Setup s;
    ApplyDefaultValues(s);
    return s;
}

// Every value away from its default, with a sample the arrows could not reach.
trivant::Setup unusualSetup() {
    trivant::Setup s = defaultSetup();
    s.DataDir = "/tmp/данные";
    s.Traces[kSerSYM].Shown = false;
    s.Traces[kSerLbl].Shown = false;
    s.Traces[kSerIBLo].Shown = false;
    s.Traces[kSerRR].Color = 0x123456;
    s.Sample = 135;
    s.BarWidth = 3;
    s.PortIndex = 8;
    s.BaudIndex = 2;
    s.LineWidth = 1;
    s.DeviceType = 1;
    s.OpenFilterIndex = 2;
    s.PrintOrientation = 1;
    s.AutoStop = false;
    s.AutoSaveSetup = false;
    s.IbCompensation = true;
    return s;
}

// The check box that shows each series, in the order of the tab.
std::vector<std::pair<int, QCheckBox*>> traceChecks(OptionsDialog& f) {
    return {{kSerRR, f.CB_RR},     {kSerSYM, f.CB_SYM}, {kSerPAR, f.CB_PAR},   {kSerSPO, f.CB_SpO2},
            {kSerSDNN, f.CB_SDNN}, {kSerIBHi, f.CB_IB}, {kSerLbl, f.CB_Labels}};
}

TEST(OptionsDialog, LoadThenStoreChangesNothing) {
    for (const trivant::Setup& original : {defaultSetup(), unusualSetup()}) {
        trivant::Setup s = original;
        AnswerRunner runner;
        OptionsDialog form(s, runner);
        form.LoadFromSetup();
        form.StoreToSetup();
        expectSameSetup(s, original);
    }
}

TEST(OptionsDialog, LoadSetsTheControls) {
    trivant::Setup s = unusualSetup();
    AnswerRunner runner;
    OptionsDialog form(s, runner);
    form.LoadFromSetup();
    EXPECT_EQ(form.UD_Sample()->value(), 135);
    EXPECT_EQ(form.UD_BarW()->value(), 3);
    EXPECT_EQ(form.portCombo->currentText(), "COM 8");
    EXPECT_EQ(form.CB_Baud->currentText(), "600");
    EXPECT_EQ(form.lineWidthCombo->currentText(), "Одинарная");
    EXPECT_EQ(form.deviceCombo->currentText(), "Ормис-001");
    EXPECT_TRUE(form.CB_IbCount->isChecked());
    EXPECT_FALSE(form.CB_AutoStop->isChecked());
    EXPECT_FALSE(form.CB_AutoSaveSetup->isChecked());
    for (auto [series, check] : traceChecks(form))
        EXPECT_EQ(check->isChecked(), s.Traces[series].Shown) << series;
}

TEST(OptionsDialog, EachTraceBoxStoresItsOwnSeries) {
    for (size_t i = 0; i < 7; ++i) {
        trivant::Setup s = defaultSetup();
        AnswerRunner runner;
        OptionsDialog form(s, runner);
        auto checks = traceChecks(form);
        checks[i].second->setChecked(false);
        form.StoreToSetup();
        for (int series = 0; series < kSeriesCount; ++series)
            EXPECT_EQ(s.Traces[series].Shown, series != checks[i].first)
                << "box " << i << ", series " << series;
    }
}

TEST(OptionsDialog, ListsStoreIndexesAndTextRules) {
    trivant::Setup s = defaultSetup();
    AnswerRunner runner;
    OptionsDialog form(s, runner);
    for (int port = 0; port <= 8; ++port) {
        form.portCombo->setCurrentIndex(port);
        form.StoreToSetup();
        EXPECT_EQ(s.PortIndex, port);
    }
    for (int baud = 0; baud <= 2; ++baud) {
        form.CB_Baud->setCurrentIndex(baud);
        form.StoreToSetup();
        EXPECT_EQ(s.BaudIndex, baud);
    }
    struct Case {
        int lineItem, deviceItem;
        int32_t lineWidth, deviceType;
        int rrUnit;
    };
    for (const Case& c : {Case{0, 0, 1, 1, 8}, Case{1, 1, 2, 2, 10}, Case{0, 1, 1, 2, 10}}) {
        form.lineWidthCombo->setCurrentIndex(c.lineItem);
        form.deviceCombo->setCurrentIndex(c.deviceItem);
        form.StoreToSetup();
        EXPECT_EQ(s.LineWidth, c.lineWidth);
        EXPECT_EQ(s.DeviceType, c.deviceType);
        EXPECT_EQ(RRUnit(s), c.rrUnit);
    }
}

TEST(OptionsDialog, NumbersAndFlagsStore) {
    trivant::Setup s = defaultSetup();
    AnswerRunner runner;
    OptionsDialog form(s, runner);
    form.E_Sample->setValue(490);
    form.UD_Sample()->stepUp();  // the arrows stop at 500
    form.UD_Sample()->stepUp();
    form.E_BarW->setValue(2);  // below the range: 3
    form.CB_IbCount->setChecked(true);
    form.CB_AutoStop->setChecked(false);
    form.CB_AutoSaveSetup->setChecked(false);
    form.StoreToSetup();
    EXPECT_EQ(s.Sample, 500);
    EXPECT_EQ(s.BarWidth, 3);
    EXPECT_TRUE(s.IbCompensation);
    EXPECT_FALSE(s.AutoStop);
    EXPECT_FALSE(s.AutoSaveSetup);
}

TEST(OptionsDialog, OutOfRangeListIndexKeepsTheSetting) {
    trivant::Setup s = defaultSetup();
    s.PortIndex = 12;
    s.BaudIndex = -1;
    AnswerRunner runner;
    OptionsDialog form(s, runner);
    form.LoadFromSetup();
    form.StoreToSetup();
    EXPECT_EQ(s.PortIndex, 12);
    EXPECT_EQ(s.BaudIndex, -1);
}

// Answers the colour dialog: records what it preselected and where it stood, then picks.
struct ColorAnswer {
    ColorAnswer(int cell, int result) : cell(cell), result(result) {}
    int cell;
    int result;
    int preselected = -2;  // none seen yet
    QPoint pos;
    int operator()(QDialog& d) {
        auto& c = dynamic_cast<ColourDialog&>(d);
        preselected = c.chosenCell();
        pos = c.pos();
        c.chooseCell(cell);
        return result;
    }
};

TEST(OptionsDialog, SwatchOkChangesTheColourAtOnce) {
    trivant::Setup s = defaultSetup();
    s.Traces[kSerSPO].Color = 0x008000;  // green, cell 2
    AnswerRunner runner;
    OptionsDialog form(s, runner);
    ColorAnswer answer(9, QDialog::Accepted);
    runner.answer = std::ref(answer);
    form.move(100, 80);
    const QPoint expectedPos = form.colorDialogPos(kSerSPO);
    form.clickSwatch(kSerSPO);
    EXPECT_EQ(answer.preselected, 2);
    EXPECT_EQ(answer.pos, expectedPos);
    EXPECT_EQ(expectedPos, QPoint(100, 80) + form.Shape_SpO2->pos() +
                               QPoint(31, form.Shape_SpO2->height() + 50));
    EXPECT_EQ(s.Traces[kSerSPO].Color, 0x0000FF);
    const QImage shown = form.Shape_SpO2->grab().toImage();
    EXPECT_EQ(shown.pixelColor(shown.rect().center()), QColor(255, 0, 0));
}

TEST(OptionsDialog, SwatchCancelOrNoCellKeepsTheColour) {
    struct Case {
        int cell, result;
    };
    for (const Case& c : {Case{9, QDialog::Rejected}, Case{-1, QDialog::Accepted}}) {
        trivant::Setup s = defaultSetup();
        s.Traces[kSerLbl].Color = 0x123456;
        AnswerRunner runner;
        OptionsDialog form(s, runner);
        ColorAnswer answer(c.cell, c.result);
        runner.answer = std::ref(answer);
        form.clickSwatch(kSerLbl);
        EXPECT_EQ(answer.preselected, -1);
        EXPECT_EQ(s.Traces[kSerLbl].Color, 0x123456) << c.cell;
    }
}

TEST(OptionsDialog, CancelKeepsSettingsButAColourAlreadyChosen) {
    trivant::Setup s = defaultSetup();
    const trivant::Setup before = s;
    AnswerRunner runner;
    OptionsDialog form(s, runner);
    runner.answer = [&](QDialog& d) {
        if (auto* color = dynamic_cast<ColourDialog*>(&d)) {
            color->chooseCell(12);
            return clickButton(d, "okButton");
        }
        form.CB_RR->setChecked(false);
        form.portCombo->setCurrentIndex(3);
        form.clickSwatch(kSerIBHi);
        return pressEscape(d);
    };
    EXPECT_FALSE(form.Execute());
    EXPECT_EQ(runner.calls, 2);
    EXPECT_EQ(s.Traces[kSerIBHi].Color, 0xFF0000);
    s.Traces[kSerIBHi].Color = before.Traces[kSerIBHi].Color;
    expectSameSetup(s, before);
}

TEST(OptionsDialog, OkStores) {
    trivant::Setup s = defaultSetup();
    AnswerRunner runner;
    OptionsDialog form(s, runner);
    runner.answer = [&](QDialog& d) {
        form.deviceCombo->setCurrentIndex(0);
        return clickButton(d, "okButton");
    };
    EXPECT_TRUE(form.Execute());
    EXPECT_EQ(s.DeviceType, 1);
    EXPECT_EQ(RRUnit(s), 8);
}

TEST(OptionsDialog, CaptionsAndLists) {
    trivant::Setup s = defaultSetup();
    AnswerRunner runner;
    OptionsDialog form(s, runner);
    EXPECT_EQ(form.windowTitle(), "Параметры");
    ASSERT_EQ(form.tabs->count(), 3);
    EXPECT_EQ(form.tabs->tabText(0), "График");
    EXPECT_EQ(form.tabs->tabText(1), "Гистограмма");
    EXPECT_EQ(form.tabs->tabText(2), "Системные");
    EXPECT_EQ(form.portCombo->count(), 9);
    EXPECT_EQ(form.portCombo->itemText(1), "COM 1");
    EXPECT_EQ(form.CB_Baud->itemText(0), "19200");
    EXPECT_FALSE(form.portCombo->isEditable());
    EXPECT_EQ(form.CB_IB->text(), "График ИБ");
    EXPECT_EQ(form.findChild<QSpinBox*>("E_Sample"), form.UD_Sample());
    EXPECT_EQ(form.UD_Sample()->singleStep(), 10);
    EXPECT_TRUE(form.E_BarW->findChild<QLineEdit*>()->isReadOnly());
    EXPECT_TRUE(form.okButton->isDefault());
}

}  // namespace
}  // namespace trivant::test
