// The print commands for a recording window: the page as PDF when no printer is installed,
// and the printer set-up, whose printer and page the print commands use and whose
// orientation is kept even when it is cancelled.
#include "app_fixture.h"

#include "message_box.h"
#include "recording_window.h"
#include "rr_file.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>

namespace trivant::test {
namespace {

TEST_F(AppTest, PrintingARecordingWithoutPrinterOffersAPdf) {
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "a printer is installed; this test must not print on it";
    start();
    Recording rec;
    for (int k = 1; k <= 600; ++k)
        rec.DataBuf[k] = packSample(80 + k % 7, 97);
    rec.CurrentFileLen = 601;
    ASSERT_TRUE(SaveDataFile(dir.file("rec.rr"), rec).ok);
    ASSERT_NE(form->OpenRecording(dir.file("rec.rr"), 1), nullptr);
    form->IdleHandler();
    ASSERT_TRUE(form->TB_Print->isEnabled());
    const std::string pdf = dir.file("page.pdf");
    bool saveIsDefault = false;
    answer([&saveIsDefault](QDialog& d) {  // "save as PDF?", Enter saving
        auto* m = dynamic_cast<MessageBox*>(&d);
        saveIsDefault = m && m->okButton->isDefault() && !m->cancelButton->isDefault();
        return kMsgOk;
    });
    QString proposed;
    answer([pdf, &proposed](QDialog& d) {
        auto* f = dynamic_cast<QFileDialog*>(&d);
        if (!f)
            return int(QDialog::Rejected);
        proposed = QFileInfo(f->selectedFiles().value(0)).fileName();
        f->selectFile(QString::fromStdString(pdf));
        static_cast<QDialog*>(f)->accept();
        return f->result();
    });
    form->N_Print->trigger();
    EXPECT_TRUE(saveIsDefault);
    EXPECT_EQ(proposed, "rec.pdf");  // the recording's name
    const QByteArray data = QByteArray::fromStdString(dir.read("page.pdf"));
    ASSERT_TRUE(data.startsWith("%PDF"));
    EXPECT_EQ(data.count("/Type /Page") - data.count("/Type /Pages"), 1);
}

TEST_F(AppTest, PrinterSetupKeepsTheOrientationEvenWhenCancelled) {
    start();
    form->setup().PrintOrientation = 0;
    answer([](QDialog& d) {
        auto& setup = dynamic_cast<QPrintDialog&>(d);
        setup.printer()->setPageOrientation(QPageLayout::Landscape);
        return int(QDialog::Rejected);
    });
    form->TB_PrintSetup->trigger();
    EXPECT_EQ(form->setup().PrintOrientation, 1);
    answer([](QDialog&) { return int(QDialog::Rejected); });
    form->N_PrintSetup->trigger();
    EXPECT_EQ(form->setup().PrintOrientation, 1);  // the printer was set from the settings
}

// The user picks a PDF file as the printer, with its paper and orientation; printing then
// writes that file without asking anything.
TEST_F(AppTest, PrinterSetupChoiceIsKeptAndPrintedOn) {
    struct Case {
        QPageSize::PageSizeId paper;
        QPageLayout::Orientation orientation;
        const char* file;
        QSizeF pointsInPdf;  // the page's width and height
    };
    const Case cases[] = {
        {QPageSize::A5, QPageLayout::Landscape, "a5.pdf", {595, 420}},
        {QPageSize::A4, QPageLayout::Portrait, "a4.pdf", {595, 842}},
    };
    start();
    writeRecording(dir.file("rec.rr"), std::vector<int>(600, 80));
    ASSERT_NE(form->OpenRecording(dir.file("rec.rr"), 1), nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = QString::fromStdString(dir.file(c.file));
        answer([&c, path](QDialog& d) {
            QPrinter* p = dynamic_cast<QPrintDialog&>(d).printer();
            p->setOutputFormat(QPrinter::PdfFormat);
            p->setOutputFileName(path);
            p->setPageSize(QPageSize(c.paper));
            p->setPageOrientation(c.orientation);
            return int(QDialog::Accepted);
        });
        form->N_PrintSetup->trigger();
        EXPECT_EQ(runner->seen.last(), "Настройки принтера");
        EXPECT_EQ(form->setup().PrintOrientation, c.orientation == QPageLayout::Landscape);
        form->N_Print->trigger();  // no dialog: an unexpected one fails the test
        const QByteArray pdf = QByteArray::fromStdString(dir.read(c.file));
        ASSERT_TRUE(pdf.startsWith("%PDF"));
        const auto box = QRegularExpression(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])")
                             .match(QString::fromLatin1(pdf));
        ASSERT_TRUE(box.hasMatch());
        EXPECT_EQ(QSizeF(box.captured(1).toDouble(), box.captured(2).toDouble()), c.pointsInPdf);
    }
}

}  // namespace
}  // namespace trivant::test
