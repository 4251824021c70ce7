// The shell's dialogs answered in-process: message box layout and results, the comment
// dialog, the colour grid, the options dialog's mapping to the settings, and the about box.
#include "app_icon.h"
#include "dialog_runner.h"
#include "my_message.h"
#include "recording.h"
#include "setup.h"
#include "tf_comment.h"
#include "tf_credits.h"
#include "tform_color.h"
#include "tform_setup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace trivant::test {
namespace {

// Hands every dialog to answer() instead of running a modal loop.
class ScriptedRunner : public DialogRunner {
public:
    int exec(QDialog& d) override {
        ++calls;
        return answer ? answer(d) : int(QDialog::Rejected);
    }
    std::function<int(QDialog&)> answer;
    int calls = 0;
};

// Clicks the named push button of d and returns the result it set.
int clickButton(QDialog& d, const char* name) {
    auto* b = d.findChild<QPushButton*>(name);
    EXPECT_NE(b, nullptr) << name;
    if (!b)
        return -1;
    b->click();
    return d.result();
}

int pressEscape(QDialog& d) {
    QTest::keyClick(&d, Qt::Key_Escape);
    return d.result();
}

// ---- Message box ----

TEST(MessageBox, ButtonLeftsSpreadEvenly) {
    struct Case {
        int W, w, count;
        std::array<int, 3> lefts;
    };
    const std::vector<Case> cases{
        {398, 90, 1, {154, 0, 0}},     // 199 - 45
        {398, 90, 2, {87, 219, 0}},    // 132 - 45, 264 - 45
        {398, 90, 3, {54, 153, 252}},  // 99 - 45, 198 - 45, 297 - 45
        {400, 91, 3, {55, 155, 255}},  // w div 2 truncates to 45
        {401, 90, 2, {88, 221, 0}},    // W div 3 truncates before doubling
    };
    for (const Case& c : cases)
        EXPECT_EQ(MessageButtonLefts(c.W, c.w, c.count), c.lefts) << c.W << " " << c.count;
}

TEST(MessageBox, ResultPerButtonAndEscape) {
    struct Case {
        const char* button;  // nullptr: Esc
        int expected;
    };
    const std::vector<Case> cases{
        {"Button1", kMsgOk}, {"Button2", kMsgCancel}, {"Button3", kMsgYes}, {nullptr, kMsgCancel}};
    for (const Case& c : cases) {
        ScriptedRunner runner;
        runner.answer = [&](QDialog& d) {
            return c.button ? clickButton(d, c.button) : pressEscape(d);
        };
        EXPECT_EQ(ShowMyMessage(nullptr, runner, "t", "x", "a", "b", "c"), c.expected)
            << (c.button ? c.button : "Esc");
        EXPECT_EQ(runner.calls, 1);
    }
}

TEST(MessageBox, PlainRejectCountsAsCancel) {
    ScriptedRunner runner;
    runner.answer = [](QDialog&) { return int(QDialog::Rejected); };
    EXPECT_EQ(ShowMyMessage(nullptr, runner, "Ошибка", "Нет связи с прибором", "Закрыть"),
              kMsgCancel);
}

TEST(MessageBox, CaptionsVisibilityAndPlaces) {
    struct Case {
        QString b2, b3;
        std::array<bool, 3> visible;
        std::array<QString, 3> captions;
        int count;
    };
    const QString cancel = "Отмена";
    const std::vector<Case> cases{
        {{}, {}, {true, false, false}, {"Закрыть", cancel, ""}, 1},
        {"Отменить", {}, {true, true, false}, {"Закрыть", "Отменить", ""}, 2},
        {"ignored", "Да", {true, true, true}, {"Закрыть", cancel, "Да"}, 3},
    };
    for (const Case& c : cases) {
        TMyMessageForm form;
        form.Prepare("Заголовок", "Текст", "Закрыть", c.b2, c.b3);
        EXPECT_EQ(form.windowTitle(), "Заголовок");
        EXPECT_EQ(form.Memo1->text(), "Текст");
        EXPECT_EQ(form.size(), QSize(kMsgWidth, kMsgHeight));
        const std::array<QPushButton*, 3> buttons{form.Button1, form.Button2, form.Button3};
        const auto lefts = MessageButtonLefts(kMsgWidth, kMsgButtonWidth, c.count);
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(testing::Message() << c.count << " buttons, button " << i + 1);
            EXPECT_EQ(buttons[i]->isVisibleTo(&form), c.visible[i]);
            if (!c.visible[i])
                continue;
            EXPECT_EQ(buttons[i]->text(), c.captions[i]);
            EXPECT_EQ(buttons[i]->geometry(), QRect(lefts[i], kMsgHeight - 3 * kMsgButtonHeight,
                                                    kMsgButtonWidth, kMsgButtonHeight));
        }
        EXPECT_EQ(form.focusWidget(), c.count >= 2 ? form.Button2 : form.Button1);
    }
}

// ---- Comment dialog ----

TEST(CommentDialog, PreloadsAndReturnsTheEditOnOk) {
    ScriptedRunner runner;
    QString seen;
    runner.answer = [&](QDialog& d) {
        auto& c = dynamic_cast<TFComment&>(d);
        seen = c.Edit1->text();
        c.Edit1->setText("новый");
        return clickButton(d, "Button1");
    };
    QString text = "старый";
    EXPECT_TRUE(EditComment(nullptr, runner, text));
    EXPECT_EQ(seen, "старый");
    EXPECT_EQ(text, "новый");
}

TEST(CommentDialog, CancelAndEscapeKeepTheText) {
    for (bool escape : {false, true}) {
        ScriptedRunner runner;
        runner.answer = [&](QDialog& d) {
            dynamic_cast<TFComment&>(d).Edit1->setText("изменён");
            return escape ? pressEscape(d) : clickButton(d, "Button2");
        };
        QString text = "старый";
        EXPECT_FALSE(EditComment(nullptr, runner, text)) << escape;
        EXPECT_EQ(text, "старый");
    }
}

TEST(CommentDialog, OkWithAnEmptyFieldClears) {
    TFComment dialog;
    EXPECT_EQ(dialog.windowTitle(), "Введите комментарий");
    EXPECT_TRUE(dialog.Button1->isDefault());
    ScriptedRunner runner;
    runner.answer = [](QDialog& d) {
        dynamic_cast<TFComment&>(d).Edit1->clear();
        return clickButton(d, "Button1");
    };
    QString text = "что-то";
    EXPECT_TRUE(EditComment(dialog, runner, text));
    EXPECT_TRUE(text.isEmpty());
}

// ---- Colour dialog ----

TEST(ColorDialog, PreselectsTheCellOfEachStandardColour) {
    TFormColor form;
    for (int i = 0; i < kColorCells; ++i) {
        form.Preselect(TFormColor::kColors[i]);
        EXPECT_EQ(form.chosenCell(), i);
        EXPECT_EQ(form.chosenColor(), TFormColor::kColors[i]);
    }
    EXPECT_EQ(TFormColor::kColors[9], 0x0000FF);   // red in 0x00BBGGRR
    EXPECT_EQ(TFormColor::kColors[12], 0xFF0000);  // blue
}

TEST(ColorDialog, UnknownColourChoosesNothing) {
    TFormColor form;
    form.Preselect(TFormColor::kColors[3]);
    form.Preselect(0x123456);
    EXPECT_EQ(form.chosenCell(), -1);
    EXPECT_EQ(form.chosenColor(), std::nullopt);
}

TEST(ColorDialog, ClickAndArrowsChooseCells) {
    TFormColor form;
    ColorGrid* grid = form.ColorGrid1;
    QTest::mouseClick(grid, Qt::LeftButton, {}, grid->cellRect(6).center());
    EXPECT_EQ(form.chosenColor(), 0x808000);  // teal
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(form.chosenCell(), 10);
    QTest::keyClick(grid, Qt::Key_Left);
    EXPECT_EQ(form.chosenCell(), 9);
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Down);  // past the last row: stays
    EXPECT_EQ(form.chosenCell(), 13);
    form.chooseCell(-1);
    QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(1, 1));  // the margin is no cell
    EXPECT_EQ(form.chosenCell(), -1);
}

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
std::vector<std::pair<int, QCheckBox*>> traceChecks(TFormSetup& f) {
    return {{kSerRR, f.CB_RR},     {kSerSYM, f.CB_SYM}, {kSerPAR, f.CB_PAR},   {kSerSPO, f.CB_SpO2},
            {kSerSDNN, f.CB_SDNN}, {kSerIBHi, f.CB_IB}, {kSerLbl, f.CB_Labels}};
}

TEST(OptionsDialog, LoadThenStoreChangesNothing) {
    for (const trivant::Setup& original : {defaultSetup(), unusualSetup()}) {
        trivant::Setup s = original;
        ScriptedRunner runner;
        TFormSetup form(s, runner);
        form.LoadFromSetup();
        form.StoreToSetup();
        expectSameSetup(s, original);
    }
}

TEST(OptionsDialog, LoadSetsTheControls) {
    trivant::Setup s = unusualSetup();
    ScriptedRunner runner;
    TFormSetup form(s, runner);
    form.LoadFromSetup();
    EXPECT_EQ(form.UD_Sample()->value(), 135);
    EXPECT_EQ(form.UD_BarW()->value(), 3);
    EXPECT_EQ(form.ComboBox1->currentText(), "COM 8");
    EXPECT_EQ(form.CB_Baud->currentText(), "600");
    EXPECT_EQ(form.ComboBox2->currentText(), "Одинарная");
    EXPECT_EQ(form.ComboBox3->currentText(), "Ормис-001");
    EXPECT_TRUE(form.CB_IbCount->isChecked());
    EXPECT_FALSE(form.CB_AutoStop->isChecked());
    EXPECT_FALSE(form.CB_AutoSaveSetup->isChecked());
    for (auto [series, check] : traceChecks(form))
        EXPECT_EQ(check->isChecked(), s.Traces[series].Shown) << series;
}

TEST(OptionsDialog, EachTraceBoxStoresItsOwnSeries) {
    for (size_t i = 0; i < 7; ++i) {
        trivant::Setup s = defaultSetup();
        ScriptedRunner runner;
        TFormSetup form(s, runner);
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
    ScriptedRunner runner;
    TFormSetup form(s, runner);
    for (int port = 0; port <= 8; ++port) {
        form.ComboBox1->setCurrentIndex(port);
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
        form.ComboBox2->setCurrentIndex(c.lineItem);
        form.ComboBox3->setCurrentIndex(c.deviceItem);
        form.StoreToSetup();
        EXPECT_EQ(s.LineWidth, c.lineWidth);
        EXPECT_EQ(s.DeviceType, c.deviceType);
        EXPECT_EQ(RRUnit(s), c.rrUnit);
    }
}

TEST(OptionsDialog, NumbersAndFlagsStore) {
    trivant::Setup s = defaultSetup();
    ScriptedRunner runner;
    TFormSetup form(s, runner);
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
    ScriptedRunner runner;
    TFormSetup form(s, runner);
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
        auto& c = dynamic_cast<TFormColor&>(d);
        preselected = c.chosenCell();
        pos = c.pos();
        c.chooseCell(cell);
        return result;
    }
};

TEST(OptionsDialog, SwatchOkChangesTheColourAtOnce) {
    trivant::Setup s = defaultSetup();
    s.Traces[kSerSPO].Color = 0x008000;  // green, cell 2
    ScriptedRunner runner;
    TFormSetup form(s, runner);
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
        ScriptedRunner runner;
        TFormSetup form(s, runner);
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
    ScriptedRunner runner;
    TFormSetup form(s, runner);
    runner.answer = [&](QDialog& d) {
        if (auto* color = dynamic_cast<TFormColor*>(&d)) {
            color->chooseCell(12);
            return clickButton(d, "Button1");
        }
        form.CB_RR->setChecked(false);
        form.ComboBox1->setCurrentIndex(3);
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
    ScriptedRunner runner;
    TFormSetup form(s, runner);
    runner.answer = [&](QDialog& d) {
        form.ComboBox3->setCurrentIndex(0);
        return clickButton(d, "Button1");
    };
    EXPECT_TRUE(form.Execute());
    EXPECT_EQ(s.DeviceType, 1);
    EXPECT_EQ(RRUnit(s), 8);
}

TEST(OptionsDialog, CaptionsAndLists) {
    trivant::Setup s = defaultSetup();
    ScriptedRunner runner;
    TFormSetup form(s, runner);
    EXPECT_EQ(form.windowTitle(), "Параметры");
    ASSERT_EQ(form.PageControl1->count(), 3);
    EXPECT_EQ(form.PageControl1->tabText(0), "График");
    EXPECT_EQ(form.PageControl1->tabText(1), "Гистограмма");
    EXPECT_EQ(form.PageControl1->tabText(2), "Системные");
    EXPECT_EQ(form.ComboBox1->count(), 9);
    EXPECT_EQ(form.ComboBox1->itemText(1), "COM 1");
    EXPECT_EQ(form.CB_Baud->itemText(0), "19200");
    EXPECT_FALSE(form.ComboBox1->isEditable());
    EXPECT_EQ(form.CB_IB->text(), "График ИБ");
    EXPECT_EQ(form.findChild<QSpinBox*>("E_Sample"), form.UD_Sample());
    EXPECT_EQ(form.UD_Sample()->singleStep(), 10);
    EXPECT_TRUE(form.E_BarW->findChild<QLineEdit*>()->isReadOnly());
    EXPECT_TRUE(form.Button1->isDefault());
}

// ---- About box ----

TEST(AboutBox, Lines) {
    TFCredits about;
    EXPECT_EQ(about.windowTitle(), "О программе");
    EXPECT_EQ(about.L_Name->text(), "ТРИВАНТ");
    EXPECT_TRUE(about.L_Name->font().bold());
    EXPECT_EQ(about.L_Version->text(), "Версия 3.3.2");
    EXPECT_EQ(about.L_Years->text(), "2005 - 2023 г");
    ScriptedRunner runner;
    runner.answer = [](QDialog& d) { return clickButton(d, "Button1"); };
    EXPECT_EQ(runner.exec(about), QDialog::Accepted);
}

}  // namespace
}  // namespace trivant::test

namespace trivant::test {
namespace {

TEST(AboutBox, ShowsTheApplicationIcon) {
    TFCredits about;
    ASSERT_NE(about.Image1, nullptr);
    EXPECT_FALSE(about.Image1->pixmap().isNull());
    EXPECT_FALSE(AppIcon().isNull());
}

}  // namespace
}  // namespace trivant::test
