// Grid, numbers and traces of the two panels.
#include "graph_paint.h"

#include "scale_ranges.h"
#include "setup.h"

#include <QFontMetrics>
#include <QLine>
#include <QPainter>
#include <QVector>

#include <cmath>

namespace trivant {

namespace {

// Range of series s at the window's scale indices.
ScaleRange rangeOf(int s, const Recording& rec) {
    switch (s) {
    case kSerRR:
        return ScaleRanges::RR[rec.ScRR];
    case kSerSPO:
        return ScaleRanges::SPO[rec.ScSPO];
    case kSerIBHi:
        return ScaleRanges::IB[rec.ScIB];
    default:
        return ScaleRanges::HRV[rec.ScHRV];
    }
}

int valueAt(const Recording& rec, int s, int k) {
    return s == kSerIBHi ? rec.ibAt(k) : rec.at(s, k);
}

int scaleNumber(const ScaleRange& r, int k) {
    return r.lower + k * ((r.upper - r.lower) / 5);
}

void drawTimeGrid(QPainter& p, const GraphScene& sc, const TimeGrid& grid) {
    const GraphLayout& L = sc.layout;
    for (int k = 0; k <= grid.XGridTick; ++k) {
        const int x = k * grid.XGridStep + L.XAxY;
        p.drawLine(x, L.rGr1.Top, x, L.rGr1.Bottom);
        p.drawLine(x, L.rGr2.Top, x, L.rGr2.Bottom);
        const int sample = k * grid.XGridStep / sc.XMult + sc.XPos;
        TextAt(p, x - L.TW, L.rGr2.Bottom + 2, QString::number(sample));
    }
}

void drawValueGrid(QPainter& p, const GraphScene& sc) {
    const GraphLayout& L = sc.layout;
    const Recording& rec = *sc.rec;
    const auto& c = sc.style.colors;
    for (int k = 0; k <= kValueGridTicks; ++k) {
        int y = L.rGr1.Bottom - L.rGr1.height() * k / kValueGridTicks;
        p.setPen(kGridColor);
        p.drawLine(L.rGr1.Left, y, L.rGr1.Right, y);
        p.setPen(c[kSerSPO]);
        TextAt(p, L.rAxY1_1.Left, y - L.TH / 2,
               QString::number(scaleNumber(ScaleRanges::SPO[rec.ScSPO], k)));
        p.setPen(c[kSerRR]);
        TextAt(p, L.rAxY1_2.Left, y - L.TH / 2,
               QString::number(scaleNumber(ScaleRanges::RR[rec.ScRR], k) * 10));

        y = L.rGr2.Bottom - L.rGr2.height() * k / kValueGridTicks;
        p.setPen(kGridColor);
        p.drawLine(L.rGr2.Left, y, L.rGr2.Right, y);
        if (k < kValueGridTicks) {
            p.setPen(Qt::black);
            TextAt(p, L.rAxY2_2.Left, y - L.TH / 2,
                   QString::number(scaleNumber(ScaleRanges::HRV[rec.ScHRV], k)));
        }
        // The IB scale redraws the line in its own colour.
        p.setPen(c[kSerIBHi]);
        p.drawLine(L.rGr2.Left, y, L.rGr2.Right, y);
        if (k < kValueGridTicks)
            TextAt(p, L.rAxY2_1.Left, y - L.TH / 2,
                   QString::number(scaleNumber(ScaleRanges::IB[rec.ScIB], k)));
    }
}

int placeX(const TracePlacement& pl, int xMult, int column, const Rect& panel) {
    return static_cast<int>(std::nearbyint(pl.k * xMult * column)) + panel.Left;
}

void drawLabelMarks(QPainter& p, const GraphScene& sc, const TracePlacement& pl, int last) {
    const QColor color = sc.style.colors[kSerLbl];
    p.setPen(QPen(color, 1));
    for (int col = 1; col <= last; ++col) {
        const int n = sc.rec->at(kSerLbl, sc.XPos + col);
        if (n == 0)
            continue;
        const int x = placeX(pl, sc.XMult, col, pl.p1);
        if (x > pl.p1.Right)
            break;
        p.drawLine(x, pl.p1.Bottom, x, pl.p1.Top);
        const int x2 = placeX(pl, sc.XMult, col, pl.p2);
        p.drawLine(x2, pl.p2.Bottom, x2, pl.p2.Top);
        TextAt(p, x - pl.tw / 2, pl.p1.Top - pl.th, QString::number(n));
    }
}

}  // namespace

TraceStyle TraceStyleFrom(const Setup& setup) {
    TraceStyle st;
    for (int s = 0; s < kSeriesCount; ++s) {
        st.colors[s] = ColorFromBgr(setup.Traces[s].Color);
        st.shown[s] = setup.Traces[s].Shown;
    }
    st.lineWidth = setup.LineWidth;
    st.barWidth = setup.BarWidth;
    st.sample = setup.Sample;
    return st;
}

TracePlacement ScreenPlacement(const GraphLayout& L) {
    TracePlacement pl;
    pl.p1 = L.rGr1;
    pl.p2 = L.rGr2;
    pl.limitLeft = L.rGr1.Left;
    pl.limitRight = L.rGr1.Right;
    pl.tw = L.TW;
    pl.th = L.TH;
    return pl;
}

void RedrawGraph(QPainter& p, const GraphScene& sc, const TimeGrid& grid) {
    p.setPen(kGridColor);
    p.setBrush(Qt::white);
    drawTimeGrid(p, sc, grid);
    drawValueGrid(p, sc);
    p.setPen(Qt::black);
    TextAt(p, sc.layout.rGr1.Left, sc.layout.rGr1.Top - sc.layout.TH,
           QString::fromStdString(sc.rec->Comment));
}

void DrawSamples(QPainter& p, const GraphScene& sc, const TracePlacement& pl) {
    const Recording& rec = *sc.rec;
    const int last = LastColumn(pl.limitLeft, pl.limitRight, sc.XMult, sc.XPos, rec.CurrentFileLen);
    QVector<QLine> lines;
    for (int s = kSerRR; s <= kSerIBHi; ++s) {
        if (!sc.style.shown[s])
            continue;
        const Rect& panel = s <= kSerSPO ? pl.p1 : pl.p2;
        const ScaleRange r = rangeOf(s, rec);
        lines.clear();
        for (int col = 1; col <= last; ++col) {
            const int x0 = placeX(pl, sc.XMult, col, panel);
            if (x0 > panel.Right)
                break;
            const int k = sc.XPos + col;
            const int cur = ValueToRow(valueAt(rec, s, k), r.lower, r.upper, panel);
            const int prev =
                col == 1 ? cur : ValueToRow(valueAt(rec, s, k - 1), r.lower, r.upper, panel);
            lines.append(QLine(placeX(pl, sc.XMult, col - 1 + pl.segmentShift, panel), prev,
                               placeX(pl, sc.XMult, col + pl.segmentShift, panel), cur));
        }
        p.setPen(QPen(sc.style.colors[s], sc.style.lineWidth * pl.penScale));
        p.drawLines(lines);
    }
    if (sc.style.shown[kSerLbl])
        drawLabelMarks(p, sc, pl, last);
    p.setPen(QPen(Qt::black, 1));
}

void PaintGraph(QPainter& p, const GraphScene& sc, const TimeGrid& grid) {
    RedrawGraph(p, sc, grid);
    PaintHisto(p, sc);
    DrawSamples(p, sc, ScreenPlacement(sc.layout));
}

}  // namespace trivant
