// Text cells, colours and widget images for every view.
#include "paint_kit.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QWidget>

namespace trivant {

QColor ColorFromBgr(int32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

void TextAt(QPainter& p, int x, int y, const QString& text) {
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(Qt::white);
    p.drawText(QPoint(x, y + p.fontMetrics().ascent()), text);
    p.setBackgroundMode(Qt::TransparentMode);
}

QImage RenderToImage(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    widget.render(&image);
    return image;
}

}  // namespace trivant
