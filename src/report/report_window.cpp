// ReportWindow: layout on resize, the screen page, and the printed page.
#include "report_window.h"

#include "paint_kit.h"

#include "report_paint.h"

#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QResizeEvent>

namespace trivant {

namespace {

constexpr int kFontPixels = 11;  // the form font

}  // namespace

ReportWindow::ReportWindow(QWidget* parent) : QWidget(parent) {
    QFont f = font();
    f.setPixelSize(kFontPixels);
    setFont(f);
    resize(800, 600);
    relayout();  // a hidden window gets its resize event only when shown
}

void ReportWindow::SetReport(const FragmentReport& report) {
    report_ = report;
    update();
}

void ReportWindow::StartPainting() {
    readyForPaint_ = true;
    update();
}

void ReportWindow::relayout() {
    const QFontMetrics fm(font());
    layout_ = ComputeReportLayout(width(), height(), fm.height(), fm.horizontalAdvance("1"));
}

void ReportWindow::resizeEvent(QResizeEvent*) {
    relayout();
    update();
}

void ReportWindow::paintEvent(QPaintEvent*) {
    if (!readyForPaint_)
        return;  // not even the background: the results are not in yet
    QPainter p(this);
    PaintReport(p, report_, layout_, ScreenReportStyle());
}

bool ReportWindow::MyPrint(QPagedPaintDevice& device, bool landscape) {
    device.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPainter p;
    if (!p.begin(&device))
        return false;
    PaintReportPage(p, report_, windowTitle(), frComment_, device.width(), device.height(),
                    landscape);
    return p.end();
}

QImage ReportWindow::renderImage() {
    return RenderToImage(*this);
}

}  // namespace trivant
