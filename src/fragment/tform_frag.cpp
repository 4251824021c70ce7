// TFormFrag: layout on resize, the screen page, and the printed page.
#include "tform_frag.h"

#include "graph_paint.h"

#include "report_paint.h"

#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QResizeEvent>

namespace trivant {

namespace {

constexpr int kFontPixels = 11;  // the form font

}  // namespace

TFormFrag::TFormFrag(QWidget* parent) : QWidget(parent) {
    QFont f = font();
    f.setPixelSize(kFontPixels);
    setFont(f);
    resize(800, 600);
    relayout();  // a hidden window gets its resize event only when shown
}

void TFormFrag::SetReport(const FragmentReport& report) {
    Report = report;
    update();
}

void TFormFrag::relayout() {
    const QFontMetrics fm(font());
    layout_ = ComputeReportLayout(width(), height(), fm.height(), fm.horizontalAdvance("1"));
}

void TFormFrag::resizeEvent(QResizeEvent*) {
    relayout();
    update();
}

void TFormFrag::paintEvent(QPaintEvent*) {
    if (!ReadyForPaint)
        return;  // not even the background: the results are not in yet
    QPainter p(this);
    PaintReport(p, Report, layout_, ScreenReportStyle());
}

bool TFormFrag::MyPrint(QPagedPaintDevice& device, bool landscape) {
    device.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPainter p;
    if (!p.begin(&device))
        return false;
    PaintReportPage(p, Report, windowTitle(), FrComment, device.width(), device.height(),
                    landscape);
    return p.end();
}

QImage TFormFrag::renderImage() {
    return RenderToImage(*this);
}

}  // namespace trivant
