// Drawn fallbacks of the tool bar's icons, on a 24-pixel grid.
#include "tool_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace trivant {

namespace {

constexpr int kSize = 24;

struct IconName {
    ToolIcon which;
    const char* theme;  // freedesktop icon naming
};

constexpr IconName kNames[] = {
    {ToolIcon::Open, "document-open"},
    {ToolIcon::Save, "document-save"},
    {ToolIcon::Record, "media-record"},
    {ToolIcon::Stop, "media-playback-stop"},
    {ToolIcon::Label, "bookmark-new"},
    {ToolIcon::Options, "preferences-system"},
    {ToolIcon::Comment, "insert-text"},
    {ToolIcon::Print, "document-print"},
    {ToolIcon::PrintSetup, "document-page-setup"},
    {ToolIcon::Analysis, "view-statistics"},
    {ToolIcon::About, "help-about"},
};

void folder(QPainter& p) {
    p.setBrush(QColor(230, 180, 80));
    p.drawRect(2, 6, 20, 14);
    p.drawRect(2, 4, 8, 3);
}

void floppy(QPainter& p) {
    p.setBrush(QColor(40, 80, 170));
    p.drawRect(3, 3, 18, 18);
    p.setBrush(Qt::white);
    p.drawRect(7, 3, 10, 6);
    p.drawRect(6, 13, 12, 8);
}

void printer(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawRect(7, 2, 10, 8);  // the sheet going in
    p.setBrush(QColor(120, 120, 120));
    p.drawRect(2, 9, 20, 9);
    p.setBrush(Qt::white);
    p.drawRect(6, 15, 12, 7);  // the sheet coming out
}

void drawIcon(QPainter& p, ToolIcon which) {
    p.setPen(QPen(Qt::black, 1));
    switch (which) {
    case ToolIcon::Open:
        folder(p);
        break;
    case ToolIcon::Save:
        floppy(p);
        break;
    case ToolIcon::Record:
        p.setBrush(QColor(210, 30, 30));
        p.drawEllipse(QPointF(12, 12), 8, 8);
        break;
    case ToolIcon::Stop:
        p.setBrush(QColor(60, 60, 60));
        p.drawRect(5, 5, 14, 14);
        break;
    case ToolIcon::Label: {  // a flag on its pole
        p.drawLine(6, 3, 6, 22);
        QPainterPath flag;
        flag.moveTo(6, 4);
        flag.lineTo(20, 8);
        flag.lineTo(6, 12);
        p.setBrush(QColor(210, 30, 30));
        p.drawPath(flag);
        break;
    }
    case ToolIcon::Options:  // a gear
        p.setPen(QPen(QColor(80, 80, 80), 3));
        for (int k = 0; k < 4; ++k) {
            p.save();
            p.translate(12, 12);
            p.rotate(45 * k);
            p.drawLine(-10, 0, 10, 0);
            p.restore();
        }
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(160, 160, 160));
        p.drawEllipse(QPointF(12, 12), 6, 6);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(12, 12), 2, 2);
        break;
    case ToolIcon::Comment: {  // a speech bubble with lines of text
        QPainterPath bubble;
        bubble.addRoundedRect(2, 3, 20, 14, 3, 3);
        bubble.moveTo(6, 17);
        bubble.lineTo(5, 22);
        bubble.lineTo(11, 17);
        p.setBrush(QColor(255, 250, 200));
        p.drawPath(bubble.simplified());
        for (int y : {7, 10, 13})
            p.drawLine(6, y, 18, y);
        break;
    }
    case ToolIcon::Print:
        printer(p);
        break;
    case ToolIcon::PrintSetup:
        printer(p);
        p.setBrush(QColor(80, 80, 80));
        p.drawEllipse(QPointF(18, 18), 4, 4);  // a knob to set it up
        break;
    case ToolIcon::Analysis:  // bars of a spectrum
        p.setBrush(QColor(40, 80, 170));
        for (const auto& [x, h] : {std::pair{3, 8}, {8, 16}, {13, 11}, {18, 5}})
            p.drawRect(x, 21 - h, 4, h);
        p.drawLine(2, 21, 22, 21);
        break;
    case ToolIcon::About:
        p.setBrush(QColor(40, 80, 170));
        p.drawEllipse(QPointF(12, 12), 10, 10);
        p.setPen(QPen(Qt::white, 3));
        p.drawLine(12, 10, 12, 18);
        p.drawPoint(12, 6);
        break;
    }
}

}  // namespace

QIcon DrawnToolIcon(ToolIcon which) {
    QPixmap pix(kSize, kSize);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    drawIcon(p, which);
    p.end();
    return QIcon(pix);
}

QIcon ToolIconFor(ToolIcon which) {
    for (const IconName& n : kNames)
        if (n.which == which)
            return QIcon::fromTheme(QString::fromLatin1(n.theme), DrawnToolIcon(which));
    return DrawnToolIcon(which);
}

}  // namespace trivant
