// Text cells, colours and widget images for every view.
#include "paint_kit.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace trivant {

namespace {

thread_local TextCollector* collector = nullptr;

}  // namespace

TextCollector::TextCollector() : outer_(collector) {
    collector = this;
}

TextCollector::~TextCollector() {
    collector = outer_;
}

QColor ColorFromBgr(int32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

QRect TextCell(const QPainter& p, int x, int y, const QString& text) {
    const QFontMetrics fm = p.fontMetrics();
    return p.transform().mapRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()));
}

void TextAt(QPainter& p, int x, int y, const QString& text) {
    if (collector && !text.isEmpty())
        collector->add(TextCell(p, x, y, text), text);
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(Qt::white);
    p.drawText(QPoint(x, y + p.fontMetrics().ascent()), text);
    p.setBackgroundMode(Qt::TransparentMode);
}

bool CoversAny(const QRect& cell, const std::vector<QRect>& others) {
    return std::any_of(others.begin(), others.end(),
                       [&cell](const QRect& r) { return cell.intersects(r); });
}

QImage RenderToImage(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    widget.render(&image);
    return image;
}

}  // namespace trivant
