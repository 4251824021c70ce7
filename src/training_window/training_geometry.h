// Where the training window's canvas puts the pacer bar and its two curves, and the round
// numbers of their scales, kept apart from the painting so tests can probe them.
#pragma once

#include <QPolygonF>
#include <QRect>

#include <vector>

namespace trivant {

struct CanvasLayout {
    QRect bar, heart, coherence;
};
// numberW: the room left of the curves for their value numbers; textH: the row under each
// curve for its time numbers. Neither changes the bar.
CanvasLayout LayoutCanvas(const QRect& area, int numberW = 0, int textH = 0);

// The filled part of the bar at height 0..1, from its bottom.
QRect BarFill(const QRect& bar, double height);

// A value range for a curve: its values' with a margin, at least minSpan wide.
struct ValueRange {
    double lo = 0, hi = 1;
};
ValueRange RangeOf(const std::vector<QPointF>& points, double minSpan);

// A scale of round numbers lo, lo + step, ... lo + ticks * step.
struct ValueScale {
    double lo = 0, step = 1;
    int ticks = 1;
    double hi() const { return lo + step * ticks; }
    ValueRange range() const { return {lo, hi()}; }
};
// The finest step of 1, 2 or 5 times a power of ten whose multiples cover range in at most
// maxTicks intervals; lo is a multiple of the step.
ValueScale RoundScale(const ValueRange& range, int maxTicks);

// The scales of the two curves: the heart rate's round its values, at least 10 bpm wide;
// the coherence ratio's from 0 to at least 6.
ValueScale HeartScale(const std::vector<QPointF>& points, int maxTicks);
ValueScale CoherenceScale(const std::vector<QPointF>& points, int maxTicks);

// A time line of a curve: its x and its time from the curve's reference time, in seconds.
struct TimeMark {
    int x = 0;
    double offsetS = 0;
};
// Lines at fromS + k * step within t0..t1, left to right, the step a round number of seconds
// or minutes giving at most maxMarks intervals: the screen counts back from the latest beat,
// the paper on from the training's start.
std::vector<TimeMark> TimeMarks(const QRect& r, double t0, double t1, double fromS, int maxMarks);
// The step TimeMarks takes for that span.
double TimeStep(double spanS, int maxMarks);

// x of time t in t0..t1 across r.
double XOfTime(const QRect& r, double t, double t0, double t1);
// Points of (time, value) within t0..t1 mapped into r.
QPolygonF CurvePolygon(const std::vector<QPointF>& points, const QRect& r, double t0, double t1,
                       const ValueRange& range);

}  // namespace trivant
