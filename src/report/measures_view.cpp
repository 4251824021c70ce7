#include "measures_view.h"

#include "paint_kit.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace trivant {

namespace {
constexpr int kPaperRows = 70;  // text lines a page's height holds
}  // namespace

std::optional<MeasuresPage> BeginMeasuresPage(QPainter& p, QPagedPaintDevice& device,
                                              bool landscape, const QString& caption) {
    device.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (!p.begin(&device))
        return std::nullopt;
    QFont f = p.font();
    f.setPixelSize(std::max(8, device.height() / kPaperRows));
    p.setFont(f);
    const QFontMetrics fm(f);
    MeasuresPage page;
    page.th = fm.height();
    page.tw = fm.horizontalAdvance(QChar('0'));
    const int margin = 4 * page.tw;
    TextAt(p, margin, 2 * page.th, caption);
    page.area = {margin, 4 * page.th, device.width() - margin, device.height() - 2 * page.th};
    return page;
}

SpanJob::SpanJob(std::size_t total, Work work) : total_(total) {
    thread_ = std::thread([this, work = std::move(work)] {
        rows_ = work(&done_, &cancel_);
        finished_ = true;
    });
}

SpanJob::~SpanJob() {
    cancel_ = true;
    if (thread_.joinable())
        thread_.join();
}

void SpanJob::wait() {
    if (thread_.joinable())
        thread_.join();
}

std::vector<SpanMeasures> SpanJob::take() {
    wait();
    return std::move(rows_);
}

}  // namespace trivant
