// Grid, numbers and traces of the two panels.
#include "graph_paint.h"

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

void drawLabelMarks(QPainter& p, const GraphScene& sc, const TracePlacement& pl, int last) {
    const QColor color = sc.style.colors[kSerLbl];
    p.setPen(QPen(color, 1));
    QRect previous;
    for (int col = 1; col <= last; ++col) {
        const int n = sc.rec->at(kSerLbl, sc.view.XPos + col);
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
    const int last =
        LastColumn(pl.limitLeft, pl.limitRight, sc.view.XMult, sc.view.XPos, rec.CurrentFileLen);
    QVector<QLine> lines;
    const bool spo = rec.HasSpO2();  // a flat line at 0 % would only mislead
    for (int s = kSerRR; s <= kSerIBHi; ++s) {
        if (!sc.style.shown[s] || (s == kSerSPO && !spo))
            continue;
        const Rect& panel = s <= kSerSPO ? pl.p1 : pl.p2;
        const ScaleRange r = SeriesRange(s, sc);
        lines.clear();
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
