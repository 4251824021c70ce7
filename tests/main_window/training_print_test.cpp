// The training window as a window of its own beside the recording, raised again by its
// command; its scales, its figures in the interface's locale, and its printed summary.
#include "curve_panel.h"
#include "paint_kit.h"
#include "training_fixture.h"
#include "training_texts.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMdiArea>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>

namespace trivant::test {
namespace {

class TrainingPrint : public TrainingApp {
protected:
    // The recording's window active in the main window again.
    void backToTheRecording(RecordingWindow* g) {
        form->activateWindow();
        QApplication::processEvents();
        form->mdiArea()->setActiveSubWindow(form->mdiArea()->subWindowList().value(0));
        ASSERT_EQ(form->activeGraph(), g);
        form->IdleHandler();
    }
    // The canvas's heart rate scale covers the curve's values with round numbers, and its
    // time lines count from the latest beat.
    void expectRoundScales(TrainingWindow* w) {
        auto* canvas = w->findChild<TrainingCanvas*>();
        TextCollector texts;
        RenderToImage(*canvas);
        const QFontMetrics fm = canvas->fontMetrics();
        const CanvasLayout l = LayoutCanvas(canvas->rect(), ScaleNumbersWidth(fm), fm.height());
        std::vector<int> heartNumbers;
        QStringList times;
        for (const TextCollector::Entry& e : texts.entries()) {
            bool number = false;
            const int v = e.text.toInt(&number);
            // Each number is centred on its line, the top one on the plot's top.
            const int y = e.cell.center().y();
            if (number && e.cell.right() < l.heart.left() && y >= l.heart.top() - fm.height() / 2 &&
                y <= l.heart.bottom() + fm.height() / 2)
                heartNumbers.push_back(v);
            if (e.cell.top() > l.heart.bottom() && e.cell.bottom() < l.coherence.top())
                times << e.text;
        }
        ASSERT_GE(heartNumbers.size(), 2u);
        const ValueRange hr = RangeOf(w->canvasState().heart, 0);
        EXPECT_LE(*std::min_element(heartNumbers.begin(), heartNumbers.end()), hr.lo);
        EXPECT_GE(*std::max_element(heartNumbers.begin(), heartNumbers.end()), hr.hi);
        EXPECT_TRUE(times.contains("0")) << times.join(" ").toStdString();
        EXPECT_TRUE(times.contains(TimeMarkText(-60, 10)) || times.contains(TimeMarkText(-60, 30)))
            << times.join(" ").toStdString();
    }
};

// Opened, raised again, a training of 160 s with the rate changed after 130, its figures in
// Russian numbers, printed; the command gone once the recording stops.
TEST_F(TrainingPrint, RaisedAgainTrainedAndPrinted) {
    const RussianNumbers russian;
    RecordingWindow* g = record();
    ASSERT_NE(g, nullptr);
    g->recording().Comment = "Иванов И. И.";
    TrainingWindow* w = openTraining();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isWindow());
    EXPECT_EQ(w->source(), g);
    EXPECT_TRUE(g->screen()->availableGeometry().contains(w->frameGeometry()));

    // Active itself, it keeps the command for its recording, which raises it again.
    w->activateWindow();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), w);
    form->IdleHandler();
    EXPECT_TRUE(form->N_Training->isEnabled());
    form->N_Training->trigger();
    backToTheRecording(g);
    form->N_Training->trigger();
    QApplication::processEvents();
    EXPECT_EQ(form->findChildren<TrainingWindow*>().size(), 1u);
    EXPECT_EQ(QApplication::activeWindow(), w);

    EXPECT_FALSE(w->printButton()->isEnabled());
    play(g, w, 10);
    w->startButton()->click();
    play(g, w, 130);
    w->rateBox()->setValue(5.5);
    play(g, w, 30);
    w->stopButton()->click();
    expectRoundScales(w);
    const QRegularExpression comma(R"(\d,\d)"), point(R"(\d\.\d)");
    for (const QLabel* label : {w->figuresLabel(), w->summaryLabel()}) {
        EXPECT_TRUE(label->text().contains(comma)) << label->text().toStdString();
        EXPECT_FALSE(label->text().contains(point)) << label->text().toStdString();
    }
    ASSERT_TRUE(w->summary().has_value());
    ASSERT_TRUE(w->printButton()->isEnabled());

    const TrainingPage page = w->page();
    EXPECT_EQ(page.title, QString::fromUtf8("Итог тренинга дыхания"));
    ASSERT_EQ(page.heading.size(), 3u);
    EXPECT_EQ(page.heading[0], QString::fromUtf8("Иванов И. И."));
    EXPECT_TRUE(page.heading[1].contains(
        QRegularExpression(QString::fromUtf8(R"(^Начало: \d{4}-\d\d-\d\d \d\d:\d\d:\d\d$)"))));
    EXPECT_EQ(page.heading[2], QString::fromUtf8("Темп, вдохов/мин: 6,0; 5,5"));
    EXPECT_NEAR(page.durationS, 160, 3);
    EXPECT_NEAR(page.heart.size(), 160, 10);  // a beat a second
    EXPECT_FALSE(page.coherence.empty());

    // The page as PaintTrainingPage draws it (its own test checks every figure there).
    const QString pdf = QString::fromStdString(dir.file("training.pdf"));
    answer([pdf](QDialog& d) {
        QPrinter* p = dynamic_cast<QPrintDialog&>(d).printer();
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(pdf);
        return int(QDialog::Accepted);
    });
    form->N_PrintSetup->trigger();
    TextCollector texts;
    w->printButton()->click();  // no dialog: an unexpected one fails the test
    QStringList written;
    for (const TextCollector::Entry& e : texts.entries())
        written << e.text;
    for (const QString& t : {page.title, page.heading[0], SummaryRows(*w->summary())[0].value})
        EXPECT_TRUE(written.contains(t)) << t.toStdString();
    const QByteArray data = QByteArray::fromStdString(dir.read("training.pdf"));
    ASSERT_TRUE(data.startsWith("%PDF"));
    EXPECT_EQ(data.count("/Type /Page") - data.count("/Type /Pages"), 1);

    backToTheRecording(g);
    form->TB_Stop->trigger();
    form->IdleHandler();
    EXPECT_FALSE(form->N_Training->isEnabled());  // no recording goes on
}

}  // namespace
}  // namespace trivant::test
