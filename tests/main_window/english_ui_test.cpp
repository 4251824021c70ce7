// With the English translation installed, every window, menu, hint, dialog and message the
// application shows, and every text it paints on the screen and on paper, is English and
// fits its control at the default font.
#include "app_fixture.h"
#include "colour_dialog.h"
#include "journal_test_kit.h"
#include "paint_kit.h"
#include "report_window.h"
#include "training_fixture.h"
#include "translation.h"
#include "ui_texts.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QMdiArea>
#include <QMenuBar>
#include <QPdfWriter>
#include <QPushButton>
#include <QTabBar>

namespace trivant::test {
namespace {

// Shows the dialog long enough to lay it out, gathers what it says, answers with result.
ScriptedRunner::Answer inspect(UiTexts& ui, int result = QDialog::Rejected) {
    return [&ui, result](QDialog& d) {
        d.show();
        QApplication::processEvents();
        ui.addWidget(d);
        d.hide();
        return result;
    };
}

// The texts TextAt paints while f draws.
template <typename F> void addPainted(UiTexts& ui, const QString& where, F f) {
    TextCollector painted;
    f();
    ASSERT_FALSE(painted.entries().empty()) << where.toStdString();
    for (const TextCollector::Entry& e : painted.entries())
        ui.add(where, e.text);
}

std::vector<int> varyingIntervals(int n) {
    std::vector<int> rr;
    for (int i = 0; i < n; ++i)
        rr.push_back(70 + (i * 7) % 23);  // 700..920 ms
    return rr;
}

class EnglishUiTest : public TrainingApp {
protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(InstallTranslations(*QCoreApplication::instance(), UiLanguage::English));
    }

    void expectEnglish() {
        EXPECT_TRUE(ui.cyrillic().empty()) << ::testing::PrintToString(ui.cyrillic());
        EXPECT_TRUE(ui.tooNarrow.empty()) << ::testing::PrintToString(ui.tooNarrow);
    }

    // The main window with a recording, its picker and report, the dialogs of the commands.
    void walkCommands() {
        const std::string path = (dir.path() / "rest.rr").string();
        writeRecording(path, varyingIntervals(500), 20);
        RecordingWindow* g = form->OpenRecording(path, 1);
        ASSERT_NE(g, nullptr);
        g->ShowReview(true);  // the review panel and the graphs' menus with it
        for (QMenu* m : {g->PopM_Gr1, g->PopM_Ecg})
            ui.addMenu(m);
        QApplication::processEvents();
        answer(inspect(ui));
        form->TB_CommentClick();
        answer(inspect(ui, QDialog::Accepted));  // the fragment picker
        form->N_SpecClick();
        answer(inspect(ui));
        form->TB_ToolsClick();
        answer(inspect(ui));
        form->TB_HelpClick();
        fake->present = {"/dev/ttyUSB0"};
        fake->forbidden = {"/dev/ttyUSB0"};  // the device label's hint explains the fix
        form->IdleHandler();
        EXPECT_TRUE(form->L_Device->toolTip().startsWith("No access to port /dev/ttyUSB0"));
        ui.addWidget(*form);
        ui.addActions("tool bar", form->findChildren<QAction*>());
        for (QAction* a : form->menuBar()->actions())
            if (a->menu()) {
                emit a->menu()->aboutToShow();  // the window menu fills itself then
                ui.addMenu(a->menu());
            }
    }

    // Messages: a file that is gone, too little data, an existing file, the limits.
    void walkMessages() {
        answer(inspect(ui));
        form->OpenRecording((dir.path() / "gone.rr").string(), 1);
        const std::string shortPath = (dir.path() / "short.rr").string();
        writeRecording(shortPath, varyingIntervals(20));
        ASSERT_NE(form->OpenRecording(shortPath, 1), nullptr);
        answer(inspect(ui));
        form->N_SpecClick();
        answer(file(shortPath, 1));
        answer(inspect(ui, kMsgCancel));  // overwrite?
        form->TB_SaveClick();
        answer(inspect(ui));
        form->ShowLimitMessage(StopReason::Capacity, kMaxBeats);
        answer(inspect(ui));
        form->ShowLimitMessage(StopReason::FiveMinutes, kMaxBeats);
        answer(inspect(ui));
        form->ShowLimitMessage(StopReason::Silence, kMaxBeats);
        walkJournalMessages();
    }

    // A journal a crash left: the question, the confirmation of Delete, the recovered window;
    // and a journal that cannot be written.
    void walkJournalMessages() {
        ASSERT_FALSE(
            leaveJournal(form->journalFolder(), "20261209-101500", varyingIntervals(30)).empty());
        answer(inspect(ui, kMsgCancel));  // "Delete"
        answer(inspect(ui, kMsgCancel));  // not for good
        form->RecoverJournals();
        answer(inspect(ui, kMsgOk));  // "Recover"
        form->RecoverJournals();
        RecordingWindow* g = form->activeGraph();
        ASSERT_NE(g, nullptr);
        ASSERT_FALSE(g->journalPath().empty());
        ui.add("recovered window", g->windowTitle());
        answer(inspect(ui));
        form->ShowJournalError(g->journalPath(), "No space left on device");
    }

    UiTexts ui;
};

TEST_F(EnglishUiTest, EveryWindowDialogAndMessageIsEnglishAndFits) {
    start();
    walkCommands();
    ASSERT_EQ(form->findChildren<ReportWindow*>().size(), 1u);
    walkMessages();
    EXPECT_TRUE(runner->answers.empty()) << runner->seen.join(" | ").toStdString();
    EXPECT_GE(runner->seen.size(), 9);
    EXPECT_GT(ui.texts.size(), 150u);
    expectEnglish();
}

// The walk's own checks: a Russian text and a text wider than its label are both caught.
TEST_F(EnglishUiTest, TheChecksCatchRussianAndClippedTexts) {
    QWidget w;
    new QLabel(QString::fromUtf8("Отмена"), &w);
    auto* clipped = new QLabel("A text much wider than its label", &w);
    clipped->setFixedWidth(20);
    clipped->move(0, 30);
    w.show();
    QApplication::processEvents();
    ui.addWidget(w);
    EXPECT_EQ(ui.cyrillic().size(), 1u);
    EXPECT_EQ(ui.tooNarrow.size(), 1u);
}

TEST_F(EnglishUiTest, TheColourDialogIsEnglish) {
    ColourDialog d;
    d.show();
    QApplication::processEvents();
    ui.addWidget(d);
    expectEnglish();
}

TEST_F(EnglishUiTest, PaintedAndPrintedTextsAreEnglish) {
    start();
    const std::string path = (dir.path() / "rest.rr").string();
    writeRecording(path, varyingIntervals(500), 20);
    RecordingWindow* g = form->OpenRecording(path, 1);
    ASSERT_NE(g, nullptr);
    answer([](QDialog&) { return int(QDialog::Accepted); });
    form->N_SpecClick();
    ReportWindow* report = form->findChildren<ReportWindow*>().value(0);
    ASSERT_NE(report, nullptr);
    addPainted(ui, "recording window", [&] { EXPECT_FALSE(g->renderImage().isNull()); });
    QImage paper(2480, 3508, QImage::Format_RGB32);  // A4 at 300 dpi
    paper.fill(Qt::white);
    addPainted(ui, "recording page", [&] { EXPECT_TRUE(g->MyPrint(paper)); });
    for (int page : {ReportWindow::ReportPage, ReportWindow::StandardMeasuresPage}) {
        report->SetPage(page);
        addPainted(ui, "report page", [&] { EXPECT_FALSE(report->renderImage().isNull()); });
    }
    report->SetCorrection(4);  // page 2 corrected: its plots and its lines follow
    addPainted(ui, "corrected page", [&] { EXPECT_FALSE(report->renderImage().isNull()); });
    EXPECT_EQ(report->correctionBox()->currentText(), "Medium (250 ms)");
    EXPECT_EQ(report->pageTabs()->tabText(1), "Standard measures");
    QPdfWriter pdf(QString::fromStdString((dir.path() / "report.pdf").string()));
    addPainted(ui, "report paper", [&] { EXPECT_TRUE(report->MyPrint(pdf, false)); });
    QStringList all;
    for (const UiTexts::Text& t : ui.texts)
        all << t.text;
    for (const char* expected : {"Mean values", "Rhythmogram", "Scatterogram", "Standard measures",
                                 "Poincaré plot", "Mean RR, ms", "NN,s", "Mode",
                                 "VLF, LF, HF: 0.0033–0.04–0.15–0.4 Hz; Welch, 4 Hz cubic spline, "
                                 "256-sample Hann segments",
                                 "intervals: in 10 ms steps", "threshold 250 ms, corrected"})
        EXPECT_TRUE(all.contains(QString::fromUtf8(expected))) << expected;
    expectEnglish();
}

// The training window on a live strap recording: its controls, its curves' scales, its summary
// and its printed page.
TEST_F(EnglishUiTest, TheTrainingWindowIsEnglish) {
    RecordingWindow* g = record();
    ASSERT_NE(g, nullptr);
    TrainingWindow* w = openTraining();
    ASSERT_NE(w, nullptr);
    play(g, w, 10);
    w->startButton()->click();
    play(g, w, 90);
    w->stopButton()->click();
    QApplication::processEvents();
    ui.addWidget(*w);
    addPainted(ui, "training window", [&] { RenderToImage(*w); });
    QPdfWriter pdf(QString::fromStdString((dir.path() / "training.pdf").string()));
    addPainted(ui, "training paper", [&] { EXPECT_TRUE(w->MyPrint(pdf, false)); });
    QStringList all;  // a button, the curves' captions and the summary's figures gathered
    for (const UiTexts::Text& t : ui.texts)
        all << t.text;
    for (const char* expected : {"Print...", "HR, bpm", "Coherence", "Maximum coherence"})
        EXPECT_TRUE(all.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_TRUE(w->summaryLabel()->text().startsWith("Training summary"));
    expectEnglish();
}

}  // namespace
}  // namespace trivant::test
