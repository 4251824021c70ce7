// The selection dialog: geometry, the click area, the OK rule, scroll snapping, the
// fragment text and a few pixels of the overview.
#include "fragment_picker.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace trivant {
namespace {

const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);

Overview flatOverview(int seconds, uint8_t value = 80) {
    Overview ov;
    ov.BufLen = seconds;
    ov.RRViewBuf.assign(seconds + 1, value);
    ov.RRViewBuf[0] = 0;
    return ov;
}

TEST(SelectionLayout, RectanglesFromWidthAndScrollBar) {
    const SelectionLayout L = ComputeSelectionLayout(780, 183, 7, 14);
    EXPECT_EQ(L.R_Gr.Left, 42);
    EXPECT_EQ(L.R_Gr.Top, 14);
    EXPECT_EQ(L.R_Gr.Right, 773);
    EXPECT_EQ(L.R_Gr.Bottom, 155);
    EXPECT_EQ(L.R_AxX.Top, 155);
    EXPECT_EQ(L.R_AxX.Bottom, 183);
    EXPECT_EQ(L.R_AxY.Right, 42);
}

TEST(SelectionLayout, ClickAreaBoundsAreExcluded) {
    const SelectionLayout L = ComputeSelectionLayout(780, 183, 7, 14);
    const int xPos = 90, midY = 80;
    EXPECT_EQ(FragPosAt(L, L.R_Gr.Left, midY, xPos), xPos);
    EXPECT_EQ(FragPosAt(L, L.R_Gr.Left + 10, 1, xPos), xPos + 10);
    EXPECT_EQ(FragPosAt(L, L.R_Gr.Right - 1, L.R_AxX.Bottom - 1, xPos), xPos + L.R_Gr.width() - 1);
    EXPECT_FALSE(FragPosAt(L, L.R_Gr.Left - 1, midY, xPos));
    EXPECT_FALSE(FragPosAt(L, L.R_Gr.Right, midY, xPos));
    EXPECT_FALSE(FragPosAt(L, L.R_Gr.Left + 10, 0, xPos));
    EXPECT_FALSE(FragPosAt(L, L.R_Gr.Left + 10, L.R_AxX.Bottom, xPos));
}

TEST(SelectionRules, GridScrollAndText) {
    EXPECT_EQ(SelectionGridStep(30), 30);
    EXPECT_EQ(SelectionGridStep(45), 60);
    EXPECT_EQ(SelectionGridStep(61), 90);
    EXPECT_EQ(SnapToGrid(89, 30), 60);
    EXPECT_EQ(SnapToGrid(90, 30), 90);
    EXPECT_EQ(ClampScroll(500, 400), 400);
    EXPECT_EQ(ClampScroll(300, 400), 300);
    EXPECT_TRUE(FragmentFits(400, 100));
    EXPECT_FALSE(FragmentFits(400, 101));
    EXPECT_EQ(FragmentText(0), "00:00:00 - 00:05:00");
    EXPECT_EQ(FragmentText(3540), "00:59:00 - 01:04:00");
}

TEST(SelectionRules, RangeFromTheLargestSecondButTheLast) {
    Overview ov = flatOverview(10, 80);
    EXPECT_EQ(OverviewRange(ov.RRViewBuf, ov.BufLen).upper, 120);
    ov.RRViewBuf[5] = 125;
    EXPECT_EQ(OverviewRange(ov.RRViewBuf, ov.BufLen).upper, 130);
    ov.RRViewBuf[5] = 200;
    EXPECT_EQ(OverviewRange(ov.RRViewBuf, ov.BufLen).upper, 220);
    ov.RRViewBuf[5] = 80;
    ov.RRViewBuf[10] = 200;  // the last second does not count
    EXPECT_EQ(OverviewRange(ov.RRViewBuf, ov.BufLen).upper, 120);
}

TEST(SelectionRules, StartSecondOfAGraphView) {
    Recording rec;
    for (int k = 1; k <= 10; ++k)
        rec.DataSeries[kSerRR][k] = 75;
    rec.CurrentFileLen = 11;
    EXPECT_EQ(OverviewStartSecond(rec, 0), 0);
    EXPECT_EQ(OverviewStartSecond(rec, 3), 2);   // 2.25 s
    EXPECT_EQ(OverviewStartSecond(rec, 50), 7);  // all ten intervals
}

TEST(SelectionRules, BarSpans) {
    const Rect gr{42, 14, 773, 155};
    FragmentBarSpans b = FragmentBars(gr, 0, 10, 1000);
    EXPECT_EQ(b.greenLeft, 53);
    EXPECT_EQ(b.greenRight, 352);
    EXPECT_EQ(b.redRight, b.redLeft);
    b = FragmentBars(gr, 0, 100, 200);  // 200 of the 300 seconds exist
    EXPECT_EQ(b.greenRight, 242);
    EXPECT_EQ(b.redLeft, 242);
    EXPECT_EQ(b.redRight, 442);
    b = FragmentBars(gr, 60, 0, 1000);  // the start lies left of the view
    EXPECT_EQ(b.greenLeft, 42);
    EXPECT_EQ(b.greenRight, 282);
}

class SelectionDialog : public ::testing::Test {
protected:
    void open(int seconds, int xPos = 0) {
        dialog.SetOverview(flatOverview(seconds));
        dialog.Start(xPos);
        dialog.show();
    }
    QPoint inside(int second) const {
        const SelectionLayout& L = dialog.layout();
        return QPoint(L.R_Gr.Left + second - dialog.XPos(), L.R_Gr.Top + 20);
    }
    FragmentPicker dialog;
};

TEST_F(SelectionDialog, OpensAtTheStartWithOkByLength) {
    open(1000);
    EXPECT_EQ(dialog.windowTitle(), "Выбор 5-минутного фрагмента");
    EXPECT_EQ(dialog.FragPos(), 0);
    EXPECT_TRUE(dialog.B_Ok->isEnabled());
    EXPECT_EQ(dialog.L_Frag->text(), "00:00:00 - 00:05:00");
    EXPECT_EQ(dialog.fragmentCaption->text(), "Фрагмент : ");
    EXPECT_EQ(dialog.B_Cancel->text(), "Отмена");
    FragmentPicker shortOne;
    shortOne.SetOverview(flatOverview(299));
    shortOne.Start(0);
    EXPECT_FALSE(shortOne.B_Ok->isEnabled());
    EXPECT_EQ(shortOne.L_Hint->text(), "Запись короче 5 минут: фрагмент не помещается.");
    EXPECT_TRUE(dialog.L_Hint->text().startsWith("Щёлкните по ритмограмме"));
}

TEST_F(SelectionDialog, TheScrollBarReachesTheEndOfADay) {
    open(1000);
    EXPECT_EQ(dialog.SB->maximum(), kSelScrollMax);  // as it always was below that
    open(86400);
    EXPECT_EQ(dialog.SB->maximum(), 86400);
    dialog.SB->setValue(86100);
    EXPECT_EQ(dialog.XPos(), SnapToGrid(86100, dialog.XGridStep()));
}

TEST_F(SelectionDialog, LeftClickChoosesRightClickDoesNot) {
    open(400);
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, inside(100));
    EXPECT_EQ(dialog.FragPos(), 100);
    EXPECT_TRUE(dialog.B_Ok->isEnabled());
    EXPECT_EQ(dialog.L_Frag->text(), "00:01:40 - 00:06:40");
    QTest::mouseClick(&dialog, Qt::RightButton, {}, inside(150));
    EXPECT_EQ(dialog.FragPos(), 100);
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, inside(101));
    EXPECT_EQ(dialog.FragPos(), 101);
    EXPECT_FALSE(dialog.B_Ok->isEnabled());  // 400 < 101 + 300
    EXPECT_TRUE(dialog.L_Hint->text().endsWith("последнее возможное начало 00:01:40"))
        << dialog.L_Hint->text().toStdString();
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(inside(10).x(), 0));
    EXPECT_EQ(dialog.FragPos(), 101);
}

TEST_F(SelectionDialog, ScrollSnapsToTheGridAndStopsAtTheEnd) {
    open(5000);
    const int step = dialog.XGridStep();
    ASSERT_GE(step, 30);
    EXPECT_EQ(step % 30, 0);
    dialog.SB->setValue(2 * step + 7);
    EXPECT_EQ(dialog.XPos(), 2 * step);
    dialog.SB->setValue(9000);
    EXPECT_EQ(dialog.SB->value(), 5000);
    EXPECT_EQ(dialog.XPos(), step * (5000 / step));
    EXPECT_EQ(dialog.SB->singleStep(), step);
    EXPECT_EQ(dialog.SB->pageStep(), step * (dialog.XGridTick() - 1));
}

TEST_F(SelectionDialog, OpensSnappedAtTheGraphsView) {
    open(5000, 100);
    EXPECT_EQ(dialog.XPos(), dialog.XGridStep() * (100 / dialog.XGridStep()));
    EXPECT_EQ(dialog.FragPos(), 0);
}

TEST_F(SelectionDialog, OverviewPixels) {
    open(400);
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, inside(200));
    const QImage image = dialog.renderImage();
    const SelectionLayout& L = dialog.layout();
    const int barY = (2 + L.R_Gr.Top - 2) / 2;
    EXPECT_EQ(image.pixelColor(L.R_Gr.Left + 250, barY), kGreen);  // within the recording
    EXPECT_EQ(image.pixelColor(L.R_Gr.Left + 450, barY), kRed);    // past its 400 seconds
    EXPECT_EQ(image.pixelColor(L.R_Gr.Left + 150, barY), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(L.R_Gr.Left + 100, L.R_Gr.Bottom - 1), QColor(Qt::black));  // frame
    // The flat 800 ms trace on the 200..1200 ms scale: 0.6 of the height.
    const int y = ValueToRow(80, 20, 120, L.R_Gr);
    EXPECT_EQ(image.pixelColor(L.R_Gr.Left + 100, y), QColor(Qt::black));
    // The trace stops at the end of the overview.
    EXPECT_EQ(image.pixelColor(L.R_Gr.Left + 425, y), QColor(Qt::white));
}

TEST(SelectionPaint, ShortestOverviewStillDrawsItsFirstLine) {
    const Overview ov = flatOverview(1);
    SelectionScene sc;
    sc.layout = ComputeSelectionLayout(400, 183, 7, 14);
    sc.RRViewBuf = &ov.RRViewBuf;
    sc.BufLen = ov.BufLen;
    sc.XGridTick = 5;
    sc.sbBottom = 199;
    QImage image(400, 236, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter p(&image);
    PaintSelection(p, sc);
    p.end();
    const int y = ValueToRow(80, 20, 120, sc.layout.R_Gr);
    EXPECT_EQ(image.pixelColor(sc.layout.R_Gr.Left + 1, y), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(sc.layout.R_Gr.Left + 5, y), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(10, 190), QColor(Qt::white));  // the background reaches the bar
}

// A recording begun at 23:50: its clock times beside the elapsed ones, and a start typed in as
// a clock time, reached after midnight.
TEST_F(SelectionDialog, TakesAStartTypedInAsAClockTime) {
    const int64_t start = ClockOf(2026, 12, 9, 23 * 3600 + 50 * 60);
    EXPECT_EQ(FragmentText(600, start), "00:10:00 - 00:15:00 (00:00:00 - 00:05:00)");
    for (const auto& [text, pos] :
         {std::pair<const char*, int>{"23:55:30", 330}, {"00:05", 900}, {"24:00", -1}, {"", -1}})
        EXPECT_EQ(FragPosAtClock(text, start).value_or(-1), pos) << text;
    EXPECT_FALSE(FragPosAtClock("00:05", kNoClock));
    open(2000);
    EXPECT_TRUE(dialog.E_Clock->isHidden());
    dialog.SetStartClock(start);
    EXPECT_FALSE(dialog.E_Clock->isHidden());
    dialog.E_Clock->setText("00:05");
    dialog.ClockEntered();
    EXPECT_EQ(dialog.FragPos(), 900);
    EXPECT_EQ(dialog.L_Frag->text(), "00:15:00 - 00:20:00 (00:05:00 - 00:10:00)");
    dialog.E_Clock->setText("0:05");
    dialog.ClockEntered();
    EXPECT_TRUE(dialog.L_Hint->text().startsWith("Время начала пишется"));
}

}  // namespace
}  // namespace trivant
