// Grid, numbers and traces of the two panels.
#include "graph_paint.h"

#include "beat_marks.h"
#include "graph_grid.h"
#include "setup.h"

#include <QFontMetrics>
#include <QLine>
#include <QPainter>
#include <QVector>

#include <algorithm>
#include <cmath>

namespace trivant {

namespace {

int valueAt(const Recording& rec, int s, int k) {
    return s == kSerIBHi ? rec.ibAt(k) : rec.at(s, k);
}

int placeX(const TracePlacement& pl, int xMult, int column, const Rect& panel) {
    return static_cast<int>(std::nearbyint(pl.k * xMult * column)) + panel.Left;
}

// The label of column col: zoomed out, that of the first of its beats that carries one.
int columnLabel(const Recording& rec, const ViewState& v, int col) {
    if (v.XDiv <= 1)
        return rec.at(kSerLbl, v.XPos + col);
    const uint8_t* labels = rec.DataSeries[kSerLbl].data();
    const int last = std::min(rec.CurrentFileLen - 1, v.XPos + col * v.XDiv);
    for (int k = v.XPos + (col - 1) * v.XDiv + 1; k <= last; ++k)
        if (labels[k] != 0)
            return labels[k];
    return 0;
}

// One segment per column, from the beat before to the column's beat.
void segmentLines(const GraphScene& sc, const TracePlacement& pl, int s, const Rect& panel,
                  const ScaleRange& r, int last, QVector<QLine>& lines) {
    const Recording& rec = *sc.rec;
    for (int col = 1; col <= last; ++col) {
        const int x0 = placeX(pl, sc.view.XMult, col, panel);
        if (x0 > panel.Right)
            break;
        const int k = sc.view.XPos + col;
        const int cur = ValueToRow(valueAt(rec, s, k), r.lower, r.upper, panel);
        const int prev =
            col == 1 ? cur : ValueToRow(valueAt(rec, s, k - 1), r.lower, r.upper, panel);
        lines.append(QLine(placeX(pl, sc.view.XMult, col - 1 + pl.segmentShift, panel), prev,
                           placeX(pl, sc.view.XMult, col + pl.segmentShift, panel), cur));
    }
}

// Zoomed out, one vertical line per column from the lowest to the highest of its beats and
// the beat before them: no spike drops out, and the trace stays joined. One pass over the
// raw series, so a whole day costs a few hundred thousand reads.
void minMaxLines(const GraphScene& sc, const TracePlacement& pl, int s, const Rect& panel,
                 const ScaleRange& r, int last, QVector<QLine>& lines) {
    if (last <= 0)
        return;
    const Recording& rec = *sc.rec;
    const uint8_t* high = rec.DataSeries[s].data();
    const uint8_t* low = rec.DataSeries[kSerIBLo].data();
    const bool ib = s == kSerIBHi;
    auto value = [&](int k) { return ib ? high[k] * 256 + low[k] : int(high[k]); };
    const int end = rec.CurrentFileLen - 1;
    int k = sc.view.XPos + 1;
    int before = value(k);
    for (int col = 1; col <= last; ++col) {
        const int x = placeX(pl, 1, col, panel);
        if (x > panel.Right)
            break;
        const int stop = std::min(end, sc.view.XPos + col * sc.view.XDiv);
        int lo = before, hi = before;
        for (; k <= stop; ++k) {
            const int v = value(k);
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
        before = value(stop);
        lines.append(QLine(x, ValueToRow(lo, r.lower, r.upper, panel), x,
                           ValueToRow(hi, r.lower, r.upper, panel)));
    }
}

void drawLabelMarks(QPainter& p, const GraphScene& sc, const TracePlacement& pl, int last) {
    const QColor color = sc.style.colors[kSerLbl];
    p.setPen(QPen(color, 1));
    QRect previous;
    for (int col = 1; col <= last; ++col) {
        const int n = columnLabel(*sc.rec, sc.view, col);
        if (n == 0)
            continue;
        const int x = placeX(pl, sc.view.XMult, col, pl.p1);
        if (x > pl.p1.Right)
            break;
        p.drawLine(x, pl.p1.Bottom, x, pl.p1.Top);
        const int x2 = placeX(pl, sc.view.XMult, col, pl.p2);
        p.drawLine(x2, pl.p2.Bottom, x2, pl.p2.Top);
        // A number that would cover another text is left out; the mark stays.
        const QString text = QString::number(n);
        const QRect cell = TextCell(p, x - pl.tw / 2, pl.p1.Top - pl.th, text);
        if (cell.intersects(previous) || CoversAny(cell, pl.keepClear))
            continue;
        TextAt(p, cell.left(), pl.p1.Top - pl.th, text);
        previous = cell;
    }
}

// The comment ends before the histogram's numbers when the histogram is shown.
QString commentText(const QPainter& p, const GraphScene& sc) {
    const QString comment = QString::fromStdString(sc.rec->Comment);
    if (sc.rec->Histo.Moda == 0)
        return comment;
    const GraphLayout& L = sc.layout;
    const int room = L.rHisto.Left - L.TW - L.rGr1.Left;
    return p.fontMetrics().elidedText(comment, Qt::ElideRight, std::max(0, room));
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
    pl.legendRight = L.CW - 1;  // the panels run on under the window's frame
    return pl;
}

void RedrawGraph(QPainter& p, const GraphScene& sc, const TimeGrid& grid) {
    p.setPen(kGridColor);
    p.setBrush(Qt::white);
    DrawGrid(p, ScreenGridPlacement(sc, grid));
    p.setPen(Qt::black);
    TextAt(p, sc.layout.rGr1.Left, sc.layout.rGr1.Top - sc.layout.TH, commentText(p, sc));
}

void DrawSamples(QPainter& p, const GraphScene& sc, const TracePlacement& pl) {
    const Recording& rec = *sc.rec;
    const int last = LastColumn(pl.limitLeft, pl.limitRight, sc.view.XMult, sc.view.XPos,
                                rec.CurrentFileLen, sc.view.XDiv);
    DrawBeatMarks(p, sc, pl);
    QVector<QLine> lines;
    const bool spo = rec.HasSpO2();  // a flat line at 0 % would only mislead
    for (int s = kSerRR; s <= kSerIBHi; ++s) {
        if (!sc.style.shown[s] || (s == kSerSPO && !spo))
            continue;
        const Rect& panel = s <= kSerSPO ? pl.p1 : pl.p2;
        const ScaleRange r = SeriesRange(s, sc);
        lines.clear();
        if (sc.view.XDiv > 1)
            minMaxLines(sc, pl, s, panel, r, last, lines);
        else
            segmentLines(sc, pl, s, panel, r, last, lines);
        p.setPen(QPen(sc.style.colors[s], sc.style.lineWidth * pl.penScale));
        p.drawLines(lines);
    }
    if (sc.style.shown[kSerLbl])
        drawLabelMarks(p, sc, pl, last);
    DrawBeatLegend(p, sc, pl);
    p.setPen(QPen(Qt::black, 1));
}

void PaintGraph(QPainter& p, const GraphScene& sc, const TimeGrid& grid) {
    RedrawGraph(p, sc, grid);
    if (sc.view.TimeAxis)
        DrawTimeAxis(p, sc, ScreenTimeRow(sc.layout));
    PaintHisto(p, sc);
    const GraphLayout& L = sc.layout;
    TracePlacement pl = ScreenPlacement(L);
    pl.keepClear.push_back(TextCell(p, L.rGr1.Left, L.rGr1.Top - L.TH, commentText(p, sc)));
    if (sc.rec && sc.rec->Histo.Moda != 0) {  // the numbers under the histogram
        const int top = L.rHisto.Bottom + 2;
        pl.keepClear.push_back(QRect(QPoint(L.rHisto.Left - L.TW, top),
                                     QPoint(L.rHisto.Right + 5 * L.TW, top + L.TH - 1)));
    }
    DrawSamples(p, sc, pl);
}

}  // namespace trivant
