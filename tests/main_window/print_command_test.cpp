// The print commands for a recording window: the page as PDF when no printer is installed,
// and the printer set-up, whose orientation is kept even when it is cancelled.
#include "app_fixture.h"

#include "message_box.h"
#include "recording_window.h"
#include "rr_file.h"

#include <QAction>
#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>

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
    answer([](QDialog&) { return kMsgOk; });  // "save as PDF?"
    answer([pdf](QDialog& d) {
        auto* f = dynamic_cast<QFileDialog*>(&d);
        if (!f)
            return int(QDialog::Rejected);
        f->selectFile(QString::fromStdString(pdf));
        static_cast<QDialog*>(f)->accept();
        return f->result();
    });
    form->N_Print->trigger();
    const QByteArray data = QByteArray::fromStdString(dir.read("page.pdf"));
    ASSERT_TRUE(data.startsWith("%PDF"));
    EXPECT_EQ(data.count("/Type /Page") - data.count("/Type /Pages"), 1);
}

TEST_F(AppTest, PrinterSetupKeepsTheOrientationEvenWhenCancelled) {
    start();
    form->setup().PrintOrientation = 0;
    answer([](QDialog& d) {
        auto& setup = dynamic_cast<QPageSetupDialog&>(d);
        setup.printer()->setPageOrientation(QPageLayout::Landscape);
        return int(QDialog::Rejected);
    });
    form->TB_PrintSetup->trigger();
    EXPECT_EQ(form->setup().PrintOrientation, 1);
    answer([](QDialog&) { return int(QDialog::Rejected); });
    form->N_PrintSetup->trigger();
    EXPECT_EQ(form->setup().PrintOrientation, 1);  // the printer was set from the settings
}

}  // namespace
}  // namespace trivant::test
