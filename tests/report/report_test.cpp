// The report's geometry, view buffers, text blocks, a few pixels of the window and the
// printed page, and a PDF printout of both pages.
#include "report_paint.h"
#include "report_window.h"
#include "text_overlap.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace trivant {
namespace {

const QColor kNavy(0, 0, 128);

// A hand-made report: a flat rhythm at 800 ms, a two-class histogram, a spectrum with a
// peak at bin 30 and band powers that share the total.
std::unique_ptr<FragmentReport> sampleReport() {
    auto r = std::make_unique<FragmentReport>();
    r->FrPos = 1;
    r->FrEnd = 351;
    for (int t = 1; t <= kFragmentSamples; ++t)
        r->FrYBuf[t] = 80;
    for (int k = 1; k <= 350; ++k)
        r->FrRRBuf[k] = k % 2 ? 80 : 90;
    r->FrHistoBuf[80] = 175;
    r->FrHistoBuf[90] = 174;
    r->FrAMo = 175;
    r->FrModa = 80;
    for (int k = 1; k <= kSpectrumBins; ++k)
        r->FrSpecBuf[k] = k == 30 ? 123.4 : 10.0;
    r->FrVLF = 200;
    r->FrLF = 500;
    r->FrHF = 300;
    r->FrTotalPower = 1000;
    r->FrLFdivHF = 167;
    return r;
}

TEST(ReportLayout, ScreenRectanglesFollowTheBands) {
    const ReportLayout L = ComputeReportLayout(900, 600, 14, 7);  // A 200, B 400, h 7
    EXPECT_EQ(L.R_RR.Left, 35);
    EXPECT_EQ(L.R_RR.Top, 16);
    EXPECT_EQ(L.R_RR.Right, 900);
    EXPECT_EQ(L.R_RR.Bottom, 179);
    EXPECT_EQ(L.R_RRAxX.Bottom, 200);
    EXPECT_EQ(L.R_RRAxY.Left, 0);
    EXPECT_EQ(L.R_Histo.Top, 216);
    EXPECT_EQ(L.R_Histo.Right, 450);
    EXPECT_EQ(L.R_Scat.Left, 485);
    EXPECT_EQ(L.R_Scat.Right, 675);
    EXPECT_EQ(L.R_ScatAxY.Left, 450);
    EXPECT_EQ(L.R_TextStat.Left, 675);
    EXPECT_EQ(L.R_TextStat.Bottom, 400);
    EXPECT_EQ(L.R_Spec.Top, 421);  // B + TH + h
    EXPECT_EQ(L.R_Spec.Bottom, 579);
    EXPECT_EQ(L.R_SpecCompAxX.Bottom, 600);
    EXPECT_EQ(L.R_TextSpec.Top, 421);
    EXPECT_EQ(L.R_TextSpec.Right, 900);
}

TEST(ReportLayout, PortraitPrintUsesTwoThirdsOfThePage) {
    EXPECT_EQ(PrintBandHeight(3000, 50, true), (3000 - 400) / 3 - 50);
    EXPECT_EQ(PrintBandHeight(3000, 50, false), (2000 - 400) / 3 - 50);
    const ReportLayout L = ComputePrintLayout(2100, 3000, 50, 20, false);
    const int hb = PrintBandHeight(3000, 50, false);
    EXPECT_EQ(L.R_RR.Left, 300);
    EXPECT_EQ(L.R_RR.Top, 400 + 52);
    EXPECT_EQ(L.R_RR.Right, 2000);
    EXPECT_EQ(L.R_Histo.Right, 900);  // (2100 - 300) div 2
    EXPECT_EQ(L.R_Scat.Left, 1000);
    EXPECT_EQ(L.R_Scat.Right, 1350);
    EXPECT_EQ(L.R_Spec.Top, 400 + 2 * hb + 52);
    EXPECT_EQ(L.R_TextSpec.Bottom, 400 + 3 * hb);
    EXPECT_LT(L.R_TextSpec.Bottom, 2000);
}

TEST(ReportView, HistogramAxisRoundsUpToTheTicks) {
    auto r = sampleReport();
    r->FrAMo = 13;
    const ReportView v = CountView(*r, ComputeReportLayout(900, 600, 14, 7), kScreenSpecMaxStep);
    EXPECT_EQ(v.ViewAMo, 16);
    EXPECT_EQ(HistoYLabels(v.ViewAMo), (std::vector<std::string>{"0", "4", "8", "12", "16"}));
}

TEST(ReportView, SpectrumAxisOnScreenAndOnPaper) {
    auto r = sampleReport();
    const ReportLayout L = ComputeReportLayout(900, 600, 14, 7);
    EXPECT_EQ(CountView(*r, L, kScreenSpecMaxStep).ViewSpecMax, 130);
    EXPECT_EQ(CountView(*r, L, kPaperSpecMaxStep).ViewSpecMax, 200);
    EXPECT_EQ(SpecYLabels(130), (std::vector<std::string>{"0", "26", "52", "78", "104", "130"}));
}

TEST(ReportView, BandStartsAreTheFirstColumnsAtOrPastTheirBins) {
    auto r = sampleReport();
    ReportLayout L = ComputeReportLayout(900, 600, 14, 7);
    const struct {
        int width, lf, hf;
    } cases[] = {
        {150, 13, 46},  // column m shows bin m - 1 exactly
        {100, 9, 31},   // 1.5 bins per column: bins 12 and 45 fall on columns
        {33, 4, 11},    // no column falls on bin 12 or 45
    };
    for (const auto& c : cases) {
        L.R_Spec.Right = L.R_Spec.Left + c.width;
        const ReportView v = CountView(*r, L, kScreenSpecMaxStep);
        EXPECT_EQ(v.LFStartX, c.lf) << c.width;
        EXPECT_EQ(v.HFStartX, c.hf) << c.width;
        EXPECT_EQ(SpecColumnBand(v, c.lf), 0);
        EXPECT_EQ(SpecColumnBand(v, c.lf + 1), 1);
        EXPECT_EQ(SpecColumnBand(v, c.hf + 1), 2);
    }
}

TEST(ReportView, RhythmogramEndsAtTheLastAverage) {
    auto r = sampleReport();
    ReportLayout L = ComputeReportLayout(900, 600, 14, 7);
    L.R_RR = {10, 10, 13, 210};  // 3 columns of 10000 samples, 200 pixels high
    const ReportView v = CountView(*r, L, kScreenSpecMaxStep);
    EXPECT_EQ(v.yCount, 2);  // the last threshold, 30000, is never passed
    EXPECT_EQ(v.FrViewYBuf[1], 80);
    EXPECT_EQ(v.FrViewYBuf[2], 80);
}

TEST(ReportView, NoTotalPowerGivesEmptyBands) {
    EXPECT_EQ(ComponentBarHeight(0, 0, 90), 0);
    EXPECT_EQ(ComponentBarHeight(500, 1000, 90), 45);
    EXPECT_EQ(ComponentBarHeight(2'000'000, 4'000'000, 3000), 1500);  // no overflow on paper
}

TEST(ReportText, NumberFormats) {
    EXPECT_EQ(HundredthsText(105), "1.05");
    EXPECT_EQ(HundredthsText(250), "2.50");
    EXPECT_EQ(HundredthsText(7), "0.07");
    EXPECT_EQ(TenthsText(123), "12.3");
    auto r = sampleReport();
    r->FrLFdivHF = 105;
    r->FrHRV = 123;
    EXPECT_EQ(SpecBlockLines(*r).back().value, "1.05");
    EXPECT_EQ(TimeBlockLines(*r, false)[3].value, "12.3");
}

TEST(ReportText, PrintedTimeBlockDropsIB) {
    auto r = sampleReport();
    const auto screen = TimeBlockLines(*r, false);
    const auto paper = TimeBlockLines(*r, true);
    ASSERT_EQ(screen.size(), 11u);
    ASSERT_EQ(paper.size(), 10u);
    EXPECT_EQ(screen[6].name, "IB");
    EXPECT_EQ(paper[6].name, "Moda");
    EXPECT_TRUE(paper[6].gapBefore);
    EXPECT_EQ(paper[6].value, "800 мс");
    EXPECT_EQ(screen.back().value, "350");
}

TEST(ReportText, LowBlockShowsOnlyTheFirstLines) {
    const auto lines = SpecBlockLines(*sampleReport());
    // Rows 0, 10, 20, 30, then 50 after the empty line.
    EXPECT_EQ(TextLineRows(lines, 0, 45, 10), (std::vector<int>{0, 10, 20, 30}));
    EXPECT_EQ(TextLineRows(lines, 0, 60, 10), (std::vector<int>{0, 10, 20, 30, 50}));
    EXPECT_EQ(TextLineRows(lines, 0, 5, 10), (std::vector<int>{0}));  // the first always
    EXPECT_EQ(TextLineRows(lines, 0, 1000, 10).size(), lines.size());
}

TEST(ReportWindow, NothingIsPaintedBeforeTheResults) {
    ReportWindow w;
    w.resize(900, 600);
    w.SetReport(*sampleReport());
    QImage image(w.size(), QImage::Format_RGB32);
    image.fill(Qt::red);
    w.render(&image, {}, {}, QWidget::RenderFlags());
    EXPECT_EQ(image.pixelColor(450, 300), QColor(Qt::red));
}

TEST(ReportWindow, ScreenPixels) {
    ReportWindow w;
    w.resize(900, 600);
    w.SetReport(*sampleReport());
    w.StartPainting();
    const QImage image = w.renderImage();
    const ReportLayout& L = w.layout();
    EXPECT_EQ(image.pixelColor(L.R_RR.Left, L.R_RR.Top + 20), QColor(Qt::black));  // frame
    EXPECT_EQ(image.pixelColor(L.CW - 20, L.A), QColor(Qt::black));                // separator
    EXPECT_EQ(image.pixelColor(L.R_RR.Left + 5, L.R_RR.Top + 20), QColor(Qt::white));
    // The flat rhythm at 0.8 s: 0.4 of the height above the bottom.
    const int y = L.R_RR.Bottom - std::lround(0.4 * L.R_RR.height());
    EXPECT_EQ(image.pixelColor(L.R_RR.Left + 100, y), QColor(Qt::black));
    // The histogram's class 80 (0.8 s) at column 80 * width / 200.
    const int hx = L.R_Histo.Left + 80 * L.R_Histo.width() / 200 + 1;
    EXPECT_EQ(image.pixelColor(hx, L.R_Histo.Bottom - 3), QColor(Qt::black));
    // The VLF component bar: 200 of 1000 of the chart, navy.
    const Rect& c = L.R_SpecComp;
    const int q = c.width() / 9;
    EXPECT_EQ(image.pixelColor(c.Left + 3 * q + q / 2, c.Bottom - 3), kNavy);
    // The first spectrum columns are VLF.
    EXPECT_EQ(image.pixelColor(L.R_Spec.Left + 2, L.R_Spec.Bottom - 2), kNavy);
}

TEST(ReportWindow, NoTotalPowerDrawsNoBandBars) {
    auto r = sampleReport();
    r->FrVLF = r->FrLF = r->FrHF = r->FrTotalPower = 0;
    ReportWindow w;
    w.resize(900, 600);
    w.SetReport(*r);
    w.StartPainting();
    const QImage image = w.renderImage();
    const Rect& c = w.layout().R_SpecComp;
    const int q = c.width() / 9;
    EXPECT_EQ(image.pixelColor(c.Left + q + q / 2, c.Bottom - 3), QColor(Qt::black));  // Total
    EXPECT_EQ(image.pixelColor(c.Left + 3 * q + q / 2, c.Bottom - 3), QColor(Qt::white));
}

// The printed page into an image, with the scatter points as circles of radius 5.
TEST(ReportPrint, PaperPageInAnImage) {
    auto r = sampleReport();
    for (const bool landscape : {true, false}) {
        QImage page(1200, 1600, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter p(&page);
        PaintReportPage(p, *r, "rec.rr Фрагмент 1-351", "comment", page.width(), page.height(),
                        landscape);
        const QFontMetrics fm = p.fontMetrics();
        p.end();
        const ReportLayout L = ComputePrintLayout(1200, 1600, fm.height(),
                                                  fm.horizontalAdvance(QChar('0')), landscape);
        // The point (0.9 s, 0.8 s): 3 pixels off its centre is still inside the circle.
        const Rect& s = L.R_Scat;
        const int cx = s.Left + std::lround(90 * s.width() / 200.0);
        const int cy = s.Bottom - std::lround(80 * s.height() / 200.0);
        EXPECT_EQ(page.pixelColor(cx + 3, cy), QColor(Qt::black)) << landscape;
        // Portrait leaves the lower third white.
        const int below = L.R_TextSpec.Bottom + 5;
        EXPECT_EQ(landscape, below >= 1600 * 2 / 3) << below;
        if (!landscape) {
            EXPECT_EQ(page.pixelColor(600, 1500), QColor(Qt::white));
        }
    }
}

TEST(ReportPrint, TwoPagePdf) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("report.pdf");
    ReportWindow w;
    w.setWindowTitle("rec.rr Фрагмент 1-351 (00:00:00-00:05:00)");
    w.SetComment("после нагрузки");
    w.SetReport(*sampleReport());
    w.StartPainting();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    ASSERT_TRUE(w.MyPrint(printer, true));
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray pdf = f.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_EQ(pdf.count("/Type /Page") - pdf.count("/Type /Pages"), 2);  // the standard page
}

// No text covers another on the window at several sizes nor on paper at several resolutions.
TEST(ReportPrint, NoTextCoversAnother) {
    auto r = sampleReport();
    r->FrAMo = 250;
    r->FrSpecBuf[30] = 12345.6;  // five-digit spectrum numbers
    for (const QSize size : {QSize(900, 600), QSize(640, 480), QSize(1600, 1000)}) {
        ReportWindow w;
        w.resize(size);
        w.SetReport(*r);
        w.StartPainting();
        const auto cells = test::WidgetTexts(w, [&w] { w.renderImage(); });
        EXPECT_GT(cells.size(), 40u);
        EXPECT_EQ(test::Overlaps(cells), std::vector<std::string>{}) << size.width();
    }
    ReportWindow w;
    w.setWindowTitle("rec.rr Фрагмент 1-351 (00:00:00-00:05:00)");
    w.SetComment("после нагрузки");
    w.SetReport(*r);
    for (const int dpi : {96, 300, 600, 1200})
        for (const bool landscape : {false, true}) {
            // The first page alone: the second one's are checked with that page.
            const auto cells = test::PdfPageTexts(dpi, landscape, [&](QPdfWriter& pdf) {
                QPainter p(&pdf);
                PaintReportPage(p, *r, w.windowTitle(), w.FrComment(), pdf.width(), pdf.height(),
                                landscape);
            });
            EXPECT_GT(cells.size(), 40u);
            EXPECT_EQ(test::Overlaps(cells), std::vector<std::string>{}) << dpi << " " << landscape;
        }
}

}  // namespace
}  // namespace trivant
