// The recording window's grid placements for screen and paper.
#include "graph_grid.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <string>

namespace trivant {

namespace {

constexpr int kAllRows = kValueGridTicks + 1;
constexpr int kBelowTop = kValueGridTicks;  // the index scales leave the top line unnumbered

// Up to count time lines, line i at nearbyint(scale * step * i) + left while it stays within
// limit, each numbered with the sample under it.
std::vector<GridMark> timeMarks(int count, int step, double scale, int left, int limit,
                                const GraphScene& sc) {
    std::vector<GridMark> marks;
    for (int i = 0; i < count; ++i) {
        const int x = static_cast<int>(std::nearbyint(scale * step * i)) + left;
        if (x > limit)
            break;
        marks.push_back({x, QString::number(sc.view.xScale().toBeats(step * i) + sc.view.XPos)});
    }
    return marks;
}

// The numbers of range r at rows 0..rows-1, times factor.
ScaleNumbers scaleAt(int x, const QColor& color, const ScaleRange& r, int rows, int factor = 1) {
    ScaleNumbers s;
    s.x = x;
    s.color = color;
    for (int k = 0; k < rows; ++k)
        s.texts.push_back(QString::number(ScaleNumber(r, k) * factor));
    return s;
}

}  // namespace

ScaleRange FittedRange(int32_t minRR, int32_t maxRR) {
    constexpr int32_t kSteps[] = {1, 2, 5, 10, 20, 50, 100};
    for (int32_t step : kSteps) {
        const int32_t lower = std::max(0, minRR - 1) / step * step;
        if (lower + kValueGridTicks * step > maxRR)
            return {lower, lower + kValueGridTicks * step};
    }
    return ScaleRanges::RR[ScaleRanges::kRows - 1];
}

namespace {

// The NN range of the view: a row of the table, or fitted to the recording's intervals
// (a word with RR 0 carries none); the row while there is no interval.
ScaleRange rrRange(const GraphScene& sc) {
    const Recording& rec = *sc.rec;
    int32_t lo = INT32_MAX, hi = 0;
    for (int k = 1; sc.view.AutoRR && k < rec.CurrentFileLen; ++k)
        if (const int32_t v = rec.at(kSerRR, k); v > 0) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    return hi > 0 ? FittedRange(lo, hi) : ScaleRanges::RR[rec.ScRR];
}

}  // namespace

ScaleRange SeriesRange(int s, const GraphScene& sc) {
    const Recording& rec = *sc.rec;
    switch (s) {
    case kSerRR:
        return rrRange(sc);
    case kSerSPO:
        return ScaleRanges::SPO[rec.ScSPO];
    case kSerIBHi:
        return ScaleRanges::IB[rec.ScIB];
    default:
        return ScaleRanges::HRV[rec.ScHRV];
    }
}

int ScaleNumber(const ScaleRange& r, int k) {
    return r.lower + k * ((r.upper - r.lower) / kValueGridTicks);
}

GridPlacement ScreenGridPlacement(const GraphScene& sc, const TimeGrid& grid) {
    const GraphLayout& L = sc.layout;
    const auto& c = sc.style.colors;
    GridPlacement g;
    g.time.panels = {L.rGr1, L.rGr2};
    g.time.marks = timeMarks(grid.XGridTick + 1, grid.XGridStep, 1.0, L.XAxY, INT_MAX, sc);
    g.time.numberShift = L.TW;
    ScaleNumbers ib = scaleAt(L.rAxY2_1.Left, c[kSerIBHi], SeriesRange(kSerIBHi, sc), kBelowTop);
    ib.ownLine = true;
    g.value = {
        {L.rGr1,
         {scaleAt(L.rAxY1_1.Left, c[kSerSPO], SeriesRange(kSerSPO, sc), kAllRows),
          scaleAt(L.rAxY1_2.Left, c[kSerRR], SeriesRange(kSerRR, sc), kAllRows, 10)}},
        {L.rGr2, {scaleAt(L.rAxY2_2.Left, Qt::black, SeriesRange(kSerSDNN, sc), kBelowTop), ib}},
    };
    g.ticks = kValueGridTicks;
    g.textHeight = L.TH;
    return g;
}

GridPlacement PrintGridPlacement(const PrintLayout& page, const GraphScene& sc) {
    const auto& c = sc.style.colors;
    // Zoomed out the numbers grow wide: a step holds the widest with two digits to spare.
    const int64_t widest = sc.view.XPos + int64_t((page.GR - page.GL) / page.k) * sc.view.XDiv;
    const int room = sc.view.XDiv > 1
                         ? static_cast<int>((std::to_string(widest).size() + 2) * page.tw / page.k)
                         : 0;
    const int step = PrintTimeStep(page.tw, sc.view.XMult, sc.view.XPos, sc.view.XDiv, room);
    GridPlacement g;
    g.time.panels = {page.P1, page.P2};
    g.time.marks = timeMarks((page.GR - page.GL) / step + 1, step, page.k, page.GL, page.GR, sc);
    g.time.numberShift = page.tw;
    g.time.closingX = page.GR;
    g.value = {
        {page.P1,
         {scaleAt(page.L + page.tw, c[kSerSPO], SeriesRange(kSerSPO, sc), kAllRows),
          scaleAt(page.cm + 1, c[kSerRR], SeriesRange(kSerRR, sc), kAllRows, 10)}},
        {page.P2,
         {scaleAt(page.cm, Qt::black, SeriesRange(kSerSDNN, sc), kBelowTop),
          scaleAt(page.L, Qt::black, SeriesRange(kSerIBHi, sc), kBelowTop)}},
    };
    g.ticks = kValueGridTicks;
    g.textHeight = page.th;
    return g;
}

}  // namespace trivant
