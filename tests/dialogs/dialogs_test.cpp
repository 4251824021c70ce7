// The shell's dialogs answered in-process: message box layout and results, the comment
// dialog, the colour grid and the about box.
#include "about_dialog.h"
#include "app_icon.h"
#include "colour_dialog.h"
#include "comment_dialog.h"
#include "dialog_answers.h"
#include "message_box.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>

#include <gtest/gtest.h>

namespace trivant::test {
namespace {

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
    const std::vector<Case> cases{{"okButton", kMsgOk},
                                  {"cancelButton", kMsgCancel},
                                  {"yesButton", kMsgYes},
                                  {nullptr, kMsgCancel}};
    for (const Case& c : cases) {
        AnswerRunner runner;
        runner.answer = [&](QDialog& d) {
            return c.button ? clickButton(d, c.button) : pressEscape(d);
        };
        EXPECT_EQ(AskUser(nullptr, runner, "t", "x", "a", "b", "c"), c.expected)
            << (c.button ? c.button : "Esc");
        EXPECT_EQ(runner.calls, 1);
    }
}

TEST(MessageBox, PlainRejectCountsAsCancel) {
    AnswerRunner runner;
    runner.answer = [](QDialog&) { return int(QDialog::Rejected); };
    EXPECT_EQ(AskUser(nullptr, runner, "Ошибка", "Нет связи с прибором", "Закрыть"), kMsgCancel);
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
        MessageBox form;
        form.Prepare("Заголовок", "Текст", "Закрыть", c.b2, c.b3);
        EXPECT_EQ(form.windowTitle(), "Заголовок");
        EXPECT_EQ(form.messageText->text(), "Текст");
        EXPECT_EQ(form.size(), QSize(kMsgWidth, kMsgHeight));
        const std::array<QPushButton*, 3> buttons{form.okButton, form.cancelButton, form.yesButton};
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
        EXPECT_EQ(form.focusWidget(), c.count >= 2 ? form.cancelButton : form.okButton);
    }
}

TEST(MessageBox, StandsInTheMiddleOfTheScreen) {
    QWidget owner;
    owner.setGeometry(5, 5, 300, 200);  // a corner: the box is not put over its owner
    owner.show();
    const QPoint middle = QGuiApplication::primaryScreen()->availableGeometry().center();
    for (QWidget* o : {static_cast<QWidget*>(nullptr), &owner}) {
        MessageBox form(o);
        form.Prepare("Заголовок", "Текст", "Ok");
        EXPECT_EQ(form.geometry().center(), middle) << "before showing, owner " << o;
        form.show();
        EXPECT_EQ(form.geometry().center(), middle) << "shown, owner " << o;
    }
}

// ---- Comment dialog ----

TEST(CommentDialog, PreloadsAndReturnsTheEditOnOk) {
    AnswerRunner runner;
    QString seen;
    runner.answer = [&](QDialog& d) {
        auto& c = dynamic_cast<CommentDialog&>(d);
        seen = c.commentEdit->text();
        c.commentEdit->setText("новый");
        return clickButton(d, "okButton");
    };
    QString text = "старый";
    EXPECT_TRUE(EditComment(nullptr, runner, text));
    EXPECT_EQ(seen, "старый");
    EXPECT_EQ(text, "новый");
}

TEST(CommentDialog, CancelAndEscapeKeepTheText) {
    for (bool escape : {false, true}) {
        AnswerRunner runner;
        runner.answer = [&](QDialog& d) {
            dynamic_cast<CommentDialog&>(d).commentEdit->setText("изменён");
            return escape ? pressEscape(d) : clickButton(d, "cancelButton");
        };
        QString text = "старый";
        EXPECT_FALSE(EditComment(nullptr, runner, text)) << escape;
        EXPECT_EQ(text, "старый");
    }
}

TEST(CommentDialog, OkWithAnEmptyFieldClears) {
    CommentDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Введите комментарий");
    EXPECT_TRUE(dialog.okButton->isDefault());
    AnswerRunner runner;
    runner.answer = [](QDialog& d) {
        dynamic_cast<CommentDialog&>(d).commentEdit->clear();
        return clickButton(d, "okButton");
    };
    QString text = "что-то";
    EXPECT_TRUE(EditComment(dialog, runner, text));
    EXPECT_TRUE(text.isEmpty());
}

// ---- Colour dialog ----

TEST(ColorDialog, PreselectsTheCellOfEachStandardColour) {
    ColourDialog form;
    for (int i = 0; i < kColorCells; ++i) {
        form.Preselect(ColourDialog::kColors[i]);
        EXPECT_EQ(form.chosenCell(), i);
        EXPECT_EQ(form.chosenColor(), ColourDialog::kColors[i]);
    }
    EXPECT_EQ(ColourDialog::kColors[9], 0x0000FF);   // red in 0x00BBGGRR
    EXPECT_EQ(ColourDialog::kColors[12], 0xFF0000);  // blue
}

TEST(ColorDialog, UnknownColourChoosesNothing) {
    ColourDialog form;
    form.Preselect(ColourDialog::kColors[3]);
    form.Preselect(0x123456);
    EXPECT_EQ(form.chosenCell(), -1);
    EXPECT_EQ(form.chosenColor(), std::nullopt);
}

TEST(ColorDialog, ClickAndArrowsChooseCells) {
    ColourDialog form;
    ColorGrid* grid = form.colourGrid;
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

// ---- About box ----

TEST(AboutBox, Lines) {
    AboutDialog about;
    EXPECT_EQ(about.windowTitle(), "О программе");
    EXPECT_EQ(about.L_Name->text(), "ТРИВАНТ");
    EXPECT_TRUE(about.L_Name->font().bold());
    EXPECT_EQ(about.L_Version->text(), "Версия " TRIVANT_PROJECT_VERSION);
    EXPECT_EQ(about.L_Years->text(), "2005 - 2023 г");
    AnswerRunner runner;
    runner.answer = [](QDialog& d) { return clickButton(d, "okButton"); };
    EXPECT_EQ(runner.exec(about), QDialog::Accepted);
}

TEST(AboutBox, ShowsTheApplicationIcon) {
    AboutDialog about;
    ASSERT_NE(about.iconLabel, nullptr);
    EXPECT_FALSE(about.iconLabel->pixmap().isNull());
    EXPECT_FALSE(AppIcon().isNull());
}

}  // namespace
}  // namespace trivant::test
