// Grid lines and their numbers, in the one order every device draws them: the numbers sit on
// opaque cells, so what is drawn later covers what was drawn before.
#include "grid_paint.h"

#include "paint_kit.h"

#include <QPainter>

namespace trivant {

namespace {

void drawTimeLines(QPainter& p, const TimeLines& t) {
    if (t.panels.empty())
        return;
    const int numberTop = t.panels.back().Bottom + 2;
    for (const GridMark& m : t.marks) {
        p.setPen(kGridColor);
        for (const Rect& r : t.panels)
            p.drawLine(m.at, r.Top, m.at, r.Bottom);
        p.setPen(t.numberColor);
        TextAt(p, m.at - t.numberShift, numberTop, m.text);
    }
    if (t.closingX) {
        p.setPen(kGridColor);
        p.drawLine(*t.closingX, t.panels.front().Top, *t.closingX, t.panels.back().Bottom);
    }
}

void drawValueRow(QPainter& p, const ValueLines& v, int row, const GridPlacement& grid) {
    const Rect& r = v.panel;
    const int y = r.Bottom - r.height() * row / grid.ticks;
    p.setPen(kGridColor);
    p.drawLine(r.Left, y, r.Right, y);
    for (const ScaleNumbers& s : v.scales) {
        if (s.ownLine) {
            p.setPen(s.color);
            p.drawLine(r.Left, y, r.Right, y);
        }
        if (row >= int(s.texts.size()))
            continue;
        const int top = y - grid.textHeight / 2;
        if (CoversAny(TextCell(p, s.x, top, s.texts[row]), grid.keepClear))
            continue;
        p.setPen(s.color);
        TextAt(p, s.x, top, s.texts[row]);
    }
}

}  // namespace

void DrawGrid(QPainter& p, const GridPlacement& grid) {
    drawTimeLines(p, grid.time);
    for (int row = 0; row <= grid.ticks; ++row)
        for (const ValueLines& v : grid.value)
            drawValueRow(p, v, row, grid);
}

}  // namespace trivant
