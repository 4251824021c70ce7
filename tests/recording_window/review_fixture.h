// What the beat review tests share: the pop-up menu opened at a point, the legend as the
// window lays it out, and the pixels of one colour round a point or on a whole page.
#pragma once

#include "graph_fixture.h"

#include "beat_marks.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QMenu>

#include <algorithm>

namespace trivant::test {

// The menu is only built and placed, then closed: the test triggers its actions itself.
inline void popupAt(RecordingWindow& g, const QPoint& p) {
    QContextMenuEvent e(QContextMenuEvent::Mouse, p, g.mapToGlobal(p));
    QCoreApplication::sendEvent(&g, &e);
    if (QMenu* m = g.menuAt(p))
        m->hide();
}

inline auto windowLegend(RecordingWindow& g, const TracePlacement& pl, bool withEdits = false) {
    Rect room = pl.p1;
    room.Right = pl.legendRight;
    const QFontMetrics fm(g.font());
    return BeatLegendLayout(
        g.flaggedBeats(), room, pl.th, pl.tw,
        [&fm](const QString& t) { return fm.horizontalAdvance(t); }, withEdits);
}

// Pixels of colour c in the square of half-side r round centre.
inline int squarePixels(const QImage& img, const QPoint& centre, int r, const QColor& c) {
    int n = 0;
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            n += sameColor(img.pixel(centre + QPoint(dx, dy)), c);
    return n;
}

inline int pixelsOf(const QImage& img, const QColor& c) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        n += static_cast<int>(
            std::count_if(row, row + img.width(), [&c](QRgb p) { return sameColor(p, c); }));
    }
    return n;
}

}  // namespace trivant::test
