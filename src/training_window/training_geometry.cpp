#include "training_geometry.h"

#include <algorithm>
#include <cmath>

namespace trivant {

CanvasLayout LayoutCanvas(const QRect& area) {
    const int gap = 8;
    const int barW = std::max(30, area.width() / 8);
    CanvasLayout l;
    l.bar = QRect(area.left() + gap, area.top() + gap, barW, area.height() - 2 * gap);
    const int left = l.bar.right() + 2 * gap;
    const int w = area.right() - gap - left;
    const int heartH = (area.height() - 3 * gap) * 2 / 3;
    l.heart = QRect(left, area.top() + gap, w, heartH);
    l.coherence =
        QRect(left, l.heart.bottom() + gap, w, area.bottom() - gap - l.heart.bottom() - gap);
    return l;
}

QRect BarFill(const QRect& bar, double height) {
    const int h = static_cast<int>(std::lround(std::clamp(height, 0.0, 1.0) * bar.height()));
    return QRect(bar.left(), bar.bottom() + 1 - h, bar.width(), h);
}

ValueRange RangeOf(const std::vector<QPointF>& points, double minSpan) {
    if (points.empty())
        return {0, minSpan};
    const auto [lo, hi] =
        std::minmax_element(points.begin(), points.end(),
                            [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); });
    const double mid = (lo->y() + hi->y()) / 2;
    const double half = std::max(minSpan, (hi->y() - lo->y()) * 1.1) / 2;
    return {mid - half, mid + half};
}

double XOfTime(const QRect& r, double t, double t0, double t1) {
    return r.left() + (t - t0) / (t1 - t0) * r.width();
}

QPolygonF CurvePolygon(const std::vector<QPointF>& points, const QRect& r, double t0, double t1,
                       const ValueRange& range) {
    QPolygonF out;
    for (const QPointF& p : points) {
        if (p.x() < t0 || p.x() > t1)
            continue;
        const double y = r.bottom() - (p.y() - range.lo) / (range.hi - range.lo) * r.height();
        out << QPointF(XOfTime(r, p.x(), t0, t1), y);
    }
    return out;
}

}  // namespace trivant
