// Where the training window's canvas puts the pacer bar and its two curves, kept apart from
// the painting so tests can probe them.
#pragma once

#include <QPolygonF>
#include <QRect>

#include <vector>

namespace trivant {

struct CanvasLayout {
    QRect bar, heart, coherence;
};
CanvasLayout LayoutCanvas(const QRect& area);

// The filled part of the bar at height 0..1, from its bottom.
QRect BarFill(const QRect& bar, double height);

// A value range for a curve: its values' with a margin, at least minSpan wide.
struct ValueRange {
    double lo = 0, hi = 1;
};
ValueRange RangeOf(const std::vector<QPointF>& points, double minSpan);

// x of time t in t0..t1 across r.
double XOfTime(const QRect& r, double t, double t0, double t1);
// Points of (time, value) within t0..t1 mapped into r.
QPolygonF CurvePolygon(const std::vector<QPointF>& points, const QRect& r, double t0, double t1,
                       const ValueRange& range);

}  // namespace trivant
