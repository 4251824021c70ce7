#include "curve_panel.h"

#include "grid_paint.h"
#include "paint_kit.h"
#include "training_texts.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace trivant {

namespace {

Rect gridRect(const QRect& r) {
    return {r.left(), r.top(), r.right(), r.bottom()};
}

TimeLines timeLines(const QFontMetrics& fm, const CurvePanel& c) {
    TimeLines t;
    t.panels = {gridRect(c.area)};
    const int marks = TimeMarksFor(c.area.width(), fm);
    const double step = TimeStep(c.t1 - c.t0, marks);
    int widest = 0;
    for (const TimeMark& m : TimeMarks(c.area, c.t0, c.t1, c.fromS, marks)) {
        t.marks.push_back({std::min(m.x, c.area.right()), TimeMarkText(m.offsetS, step)});
        widest = std::max(widest, fm.horizontalAdvance(t.marks.back().text));
    }
    t.numberShift = widest / 2;
    return t;
}

}  // namespace

int ScaleNumbersWidth(const QFontMetrics& fm) {
    return fm.horizontalAdvance(QStringLiteral("000,0")) + fm.horizontalAdvance(QChar('0'));
}

int ValueTicksFor(int height, const QFontMetrics& fm) {
    return std::clamp(height / (2 * fm.height()), 1, 5);
}

int TimeMarksFor(int width, const QFontMetrics& fm) {
    return std::max(1, width / (8 * fm.horizontalAdvance(QChar('0'))));
}

void PaintCurvePanel(QPainter& p, const CurvePanel& c) {
    const QFontMetrics fm = p.fontMetrics();
    GridPlacement grid;
    grid.time = timeLines(fm, c);
    grid.ticks = c.scale.ticks;
    grid.textHeight = fm.height();
    ScaleNumbers numbers;
    numbers.x = c.area.left() - ScaleNumbersWidth(fm);
    numbers.color = Qt::black;
    const int decimals =
        c.scale.step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(c.scale.step) - 1e-9));
    for (int i = 0; i <= c.scale.ticks; ++i)
        numbers.texts.push_back(LocalNumber(c.scale.lo + i * c.scale.step, decimals));
    grid.value.push_back({gridRect(c.area), {numbers}});
    DrawGrid(p, grid);

    p.setPen(Qt::gray);
    p.drawRect(c.area.adjusted(0, 0, -1, -1));
    p.setPen(QPen(c.color, c.penWidth));
    p.drawPolyline(CurvePolygon(c.points, c.area, c.t0, c.t1, c.scale.range()));
    p.setPen(Qt::black);
    const int inset = fm.horizontalAdvance(QChar('0')) / 2;
    TextAt(p, c.area.left() + inset, c.area.top() + inset, c.caption);
}

}  // namespace trivant
