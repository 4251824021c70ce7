#include "training_geometry.h"

#include <algorithm>
#include <cmath>

namespace trivant {

CanvasLayout LayoutCanvas(const QRect& area, int numberW, int textH) {
    const int gap = 8;
    const int barW = std::max(30, area.width() / 8);
    CanvasLayout l;
    l.bar = QRect(area.left() + gap, area.top() + gap, barW, area.height() - 2 * gap);
    const int left = l.bar.right() + 2 * gap + numberW;
    const int w = area.right() - gap - left;
    const int timeRow = textH > 0 ? textH + 2 : 0;
    const int heartH = (area.height() - 3 * gap - 2 * timeRow) * 2 / 3;
    l.heart = QRect(left, area.top() + gap, w, heartH);
    const int coherenceTop = l.heart.bottom() + 1 + timeRow + gap;
    l.coherence = QRect(left, coherenceTop, w, area.bottom() + 1 - gap - timeRow - coherenceTop);
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

ValueScale RoundScale(const ValueRange& range, int maxTicks) {
    maxTicks = std::max(1, maxTicks);
    const double span = std::max(range.hi - range.lo, 1e-9);
    // A little slack keeps values that sit on a multiple from asking for one more step.
    const double slack = 1e-9;
    for (double unit = std::pow(10.0, std::floor(std::log10(span / maxTicks)));; unit *= 10)
        for (const double m : {1.0, 2.0, 5.0}) {
            const double step = m * unit;
            const double lo = std::floor(range.lo / step + slack) * step;
            const int ticks =
                std::max(1, static_cast<int>(std::ceil((range.hi - lo) / step - slack)));
            if (ticks <= maxTicks)
                return {lo, step, ticks};
        }
}

ValueScale HeartScale(const std::vector<QPointF>& points, int maxTicks) {
    return RoundScale(RangeOf(points, 10), maxTicks);
}

ValueScale CoherenceScale(const std::vector<QPointF>& points, int maxTicks) {
    return RoundScale({0, std::max(6.0, RangeOf(points, 1).hi)}, maxTicks);
}

double TimeStep(double spanS, int maxMarks) {
    static const double kSteps[] = {1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600};
    const double need = spanS / std::max(1, maxMarks);
    for (const double s : kSteps)
        if (s >= need)
            return s;
    return std::ceil(need / 3600) * 3600;
}

std::vector<TimeMark> TimeMarks(const QRect& r, double t0, double t1, double fromS, int maxMarks) {
    std::vector<TimeMark> out;
    if (!(t1 > t0))
        return out;
    const double step = TimeStep(t1 - t0, maxMarks);
    const double eps = 1e-6 * step;
    for (double k = std::ceil((t0 - fromS) / step - 1e-6); fromS + k * step <= t1 + eps; ++k) {
        const double t = fromS + k * step;
        out.push_back({static_cast<int>(std::lround(XOfTime(r, t, t0, t1))), k * step});
    }
    return out;
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
