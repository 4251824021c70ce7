// The histogram panel in the upper right quarter and the mark under the beats it covers.
#include "graph_paint.h"

#include <QPainter>

#include <algorithm>

namespace trivant {

namespace {

const QColor kBars(0, 0, 255);

int gridStep(int tw) {
    int step = 10;
    while (step < 5 * tw)
        step += 10;
    return step;
}

// Each grid line is labelled with the interval of the class whose bar lies under it.
void drawIntervalGrid(QPainter& p, const GraphScene& sc, int step) {
    const Rect& r = sc.layout.rHisto;
    const int bw = std::max(1, sc.style.barWidth);
    const int m = r.width() / bw / 2;
    const int c = r.Left + r.width() / 2;
    auto line = [&](int x) {
        p.setPen(kGridColor);
        p.drawLine(x, r.Top, x, r.Bottom);
        p.setPen(Qt::black);
        const int cls = sc.rec->Histo.Moda + (x - r.Left) / bw - m;
        TextAt(p, x - sc.layout.TW, r.Bottom + 2, QString::number(cls * 10));
    };
    for (int x = c; x > r.Left; x -= step)
        line(x);
    for (int x = c + step; x < r.Right; x += step)  // the centre line has its number
        line(x);
}

void drawCountGrid(QPainter& p, const GraphScene& sc, int range) {
    const Rect& r = sc.layout.rHisto;
    const QFontMetrics fm = p.fontMetrics();
    int previous = r.Bottom;
    for (int d = 0; previous > r.Top && d <= 1000; ++d) {
        const int count = d * range / 5;
        const int row = r.Bottom - HistoHeight(count, r.height(), range);
        p.setPen(kGridColor);
        p.drawLine(r.Left, row, r.Right, row);
        p.setPen(Qt::black);
        const QString text = QString::number(count);
        TextAt(p, r.Left - fm.horizontalAdvance(text) - sc.layout.TW, row - sc.layout.TH / 2, text);
        previous = row;
    }
}

void drawBars(QPainter& p, const GraphScene& sc, int range) {
    const Rect& r = sc.layout.rHisto;
    const int bw = std::max(1, sc.style.barWidth);
    const int n = r.width() / bw;
    if (n < 0)
        return;
    const int m = n / 2;  // the mode's bar stands in the middle
    p.save();
    // Counts past the range (possible only beyond 250 beats in one class) end at the top.
    p.setClipRect(QRect(r.Left, r.Top, r.width(), r.height() + 1), Qt::IntersectClip);
    for (int e = 0; e <= n; ++e) {
        const int k = sc.rec->Histo.Moda + e - m;
        if (k < 1 || k > 254)
            continue;
        const int top = r.Bottom - HistoHeight(sc.rec->Histo.HistoBuf[k], r.height(), range);
        p.fillRect(
            QRect(QPoint(r.Left + e * bw, top), QPoint(r.Left + (e + 1) * bw - 1, r.Bottom - 1)),
            kBars);
    }
    p.restore();
}

void drawWindowMark(QPainter& p, const GraphScene& sc) {
    const Rect& g = sc.layout.rGr1;
    const int y = sc.layout.markRow();
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(g.Left, y, g.Right, y);
    const XScale xs = sc.view.xScale();
    const int x1 =
        static_cast<int>(std::max<int64_t>(0, xs.toPixels(sc.view.HistoPoint - sc.view.XPos)));
    const int x2 = static_cast<int>(std::max<int64_t>(0, x1 - xs.toPixels(sc.style.sample)));
    p.setPen(QPen(kBars, 2));
    p.drawLine(g.Left + x1, y, g.Left + x2, y);
    p.setPen(QPen(Qt::black, 1));
}

}  // namespace

void PaintHisto(QPainter& p, const GraphScene& sc) {
    if (!sc.rec || sc.rec->Histo.Moda == 0)
        return;
    const Rect& r = sc.layout.rHisto;
    const int range = kHistoRanges[HistoScaleIndex(sc.rec->Histo.AMo)];
    p.fillRect(QRect(r.Left, r.Top, r.width(), r.height() + sc.layout.TH), Qt::white);
    p.setPen(kGridColor);  // lines in grey, numbers in black
    p.drawLine(r.Left, r.Top, r.Left, r.Bottom);
    drawIntervalGrid(p, sc, gridStep(sc.layout.TW));
    drawCountGrid(p, sc, range);
    drawBars(p, sc, range);
    drawWindowMark(p, sc);
}

}  // namespace trivant
