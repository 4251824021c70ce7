// The fragment analysis command from the main window: the refusal of a short recording,
// the selection dialog, the report window, and the report's printout into a PDF file.
#include "app_fixture.h"

#include "fragment_picker.h"
#include "locale_scope.h"
#include "message_box.h"
#include "recording_window.h"
#include "report_window.h"
#include "rr_file.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QPushButton>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace trivant::test {
namespace {

// Intervals 1..349 add up to 299.99 s and 1..350 to 300.85 s; 420 beats in all.
std::vector<int> fiveMinutesAt351() {
    std::vector<int> rr(420, 86);
    for (int k = 335; k <= 349; ++k)
        rr[k - 1] = 85;
    return rr;
}

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class FragmentCommand : public AppTest {
protected:
    RecordingWindow* openRecording(const std::vector<int>& rr) {
        Recording rec;
        for (size_t i = 0; i < rr.size(); ++i)
            rec.DataBuf[i + 1] = packSample(uint8_t(rr[i]), 96);
        rec.CurrentFileLen = int(rr.size()) + 1;
        const std::string path = dir.file("rec.rr");
        EXPECT_TRUE(SaveDataFile(path, rec).ok);
        RecordingWindow* g = form->OpenRecording(path, 1);
        form->IdleHandler();
        return g;
    }
    int windows() const { return int(form->mdiArea()->subWindowList().size()); }
    ReportWindow* activeReport() const {
        QMdiSubWindow* w = form->mdiArea()->activeSubWindow();
        return w ? qobject_cast<ReportWindow*>(w->widget()) : nullptr;
    }
};

TEST_F(FragmentCommand, TooShortRecordingGetsTheMessageAndItsTimeDomain) {
    start();
    std::vector<int> rr(300, 80);  // 240 s, alternating 800 and 820 ms
    for (size_t i = 1; i < rr.size(); i += 2)
        rr[i] = 82;
    ASSERT_NE(openRecording(rr), nullptr);
    answer([](QDialog& d) {
        auto* m = dynamic_cast<QMessageBox*>(&d);
        EXPECT_NE(m, nullptr);
        if (m) {
            EXPECT_EQ(m->text(),
                      "Недостаточно данных для спектрального анализа.\nСпектр строится по "
                      "фрагменту 5 минут: нужно не менее 300 с интервалов, а в записи "
                      "243 с.");
            const QString numbers = m->informativeText();
            for (const char* part : {"(интервалов: 300)", "Средний RR, мс", "810.0", "RMSSD, мс",
                                     "20.0", "pNN50, %", "SD2, мс"})
                EXPECT_TRUE(numbers.contains(QString::fromUtf8(part))) << part;
            EXPECT_FALSE(numbers.contains("VLF"));
        }
        return int(QMessageBox::Close);
    });
    form->N_Spec->trigger();
    EXPECT_TRUE(runner->answers.empty());
    EXPECT_EQ(windows(), 1);
}

TEST_F(FragmentCommand, CancelCreatesNothing) {
    start();
    ASSERT_NE(openRecording(fiveMinutesAt351()), nullptr);
    answer([](QDialog& d) {
        EXPECT_NE(dynamic_cast<FragmentPicker*>(&d), nullptr);
        return int(QDialog::Rejected);
    });
    form->N_Spec->trigger();
    EXPECT_TRUE(runner->answers.empty());
    EXPECT_EQ(windows(), 1);
}

TEST_F(FragmentCommand, OkOpensTheReportWindow) {
    start();
    RecordingWindow* g = openRecording(fiveMinutesAt351());
    ASSERT_NE(g, nullptr);
    g->recording().Comment = "после нагрузки";
    const QString graphCaption = g->windowTitle();
    answer([](QDialog& d) {
        auto* s = dynamic_cast<FragmentPicker*>(&d);
        EXPECT_NE(s, nullptr);
        if (!s)
            return int(QDialog::Rejected);
        EXPECT_EQ(s->FragPos(), 0);
        EXPECT_EQ(s->BufLen(), (420 * 86 - 15 - 86) / 100);
        EXPECT_TRUE(s->B_Ok->isEnabled());
        EXPECT_EQ(s->L_Frag->text(), "00:00:00 - 00:05:00");
        return int(QDialog::Accepted);
    });
    form->N_Spec->trigger();
    ASSERT_EQ(windows(), 2);
    ReportWindow* frag = activeReport();
    ASSERT_NE(frag, nullptr);
    EXPECT_EQ(frag->windowTitle(), graphCaption + " Фрагмент 1-351 (00:00:00-00:05:00)");
    EXPECT_EQ(frag->FrComment(), "после нагрузки");
    EXPECT_TRUE(frag->ReadyForPaint());
    EXPECT_EQ(frag->report().FrPos, 1);
    EXPECT_EQ(frag->report().FrEnd, 351);
    EXPECT_EQ(form->activeChild(), ActiveChild::Other);
    EXPECT_GE(frag->parentWidget()->minimumWidth(), form->mdiArea()->width() / 2);
    // The report paints: its rhythmogram frame is black.
    const QImage image = frag->renderImage();
    const ReportLayout& L = frag->layout();
    EXPECT_EQ(image.pixelColor(L.R_RR.Left, L.R_RR.Top + 20), QColor(Qt::black));
}

// The export writes analyze --csv --standard's header and the fragment's row, with the
// correction of the second page; the command is there for a report window only.
TEST_F(FragmentCommand, ExportWritesTheAnalyzeColumnsWithThePagesCorrection) {
    start();
    ASSERT_NE(openRecording(fiveMinutesAt351()), nullptr);
    EXPECT_FALSE(form->N_Export->isEnabled());
    EXPECT_TRUE(form->TB_Spec->isEnabled());  // the analysis has its tool button
    answer([](QDialog&) { return int(QDialog::Accepted); });
    form->TB_Spec->trigger();
    ReportWindow* frag = activeReport();
    ASSERT_NE(frag, nullptr);
    form->IdleHandler();
    EXPECT_TRUE(form->N_Export->isEnabled());
    form->N_StdPage->trigger();  // the second page from the main menu too
    EXPECT_EQ(frag->page(), ReportWindow::StandardMeasuresPage);
    frag->SetCorrection(4);  // medium, 250 ms
    answer(file(dir.file("measures"), 1));
    form->N_Export->trigger();
    EXPECT_TRUE(runner->answers.empty());
    const std::string text = fileText(dir.file("measures.csv"));
    const std::string header = text.substr(0, text.find('\n'));
    const std::string row = text.substr(header.size() + 1);
    EXPECT_EQ(header.rfind("file,FrPos,FrEnd,FrSDNN,", 0), 0u) << header;
    EXPECT_NE(header.find(",std_threshold_ms,std_flagged,std_percent,std_corrected,"),
              std::string::npos);
    EXPECT_EQ(row.rfind(dir.file("rec.rr") + ",1,351,", 0), 0u) << row;
    // corrected, nothing edited, not exact
    EXPECT_NE(row.find(",250,0,0,1,0,0,"), std::string::npos) << row;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);
    // The Russian locale (the QApplication's from LC_ALL) writes the same bytes.
    LocaleScope russian(kRussianLocale);
    if (!russian.ok())
        GTEST_SKIP() << kRussianLocale << " is not installed";
    answer(file(dir.file("measures-ru"), 1));
    form->N_Export->trigger();
    EXPECT_EQ(fileText(dir.file("measures-ru.csv")), text);
}

TEST_F(FragmentCommand, PrintWithoutPrinterWritesATwoPagePdf) {
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "a printer is installed; this test must not print on it";
    start();
    ASSERT_NE(openRecording(fiveMinutesAt351()), nullptr);
    answer([](QDialog&) { return int(QDialog::Accepted); });
    form->N_Spec->trigger();
    ASSERT_NE(activeReport(), nullptr);
    form->setup().PrintOrientation = 1;
    const std::string pdf = dir.file("report.pdf");
    answer([](QDialog& d) {
        auto* m = dynamic_cast<MessageBox*>(&d);
        EXPECT_NE(m, nullptr);
        return kMsgOk;
    });
    answer([pdf](QDialog& d) {
        auto* f = dynamic_cast<QFileDialog*>(&d);
        EXPECT_NE(f, nullptr);
        if (!f)
            return int(QDialog::Rejected);
        f->selectFile(QString::fromStdString(pdf));
        static_cast<QDialog*>(f)->accept();  // QFileDialog's own accept is protected
        return f->result();
    });
    form->TB_Print->trigger();
    EXPECT_TRUE(runner->answers.empty());
    const std::string bytes = dir.read("report.pdf");
    ASSERT_GT(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 4), "%PDF");
    const QByteArray data = QByteArray::fromStdString(bytes);
    EXPECT_EQ(data.count("/Type /Page") - data.count("/Type /Pages"), 2);  // both report pages
}

}  // namespace
}  // namespace trivant::test
