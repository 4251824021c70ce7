// The printed page of a recording window.
#include "graph_print.h"

#include "clock_time.h"
#include "ecg_strip_paint.h"
#include "graph_grid.h"
#include "time_axis.h"
#include "time_text.h"

#include <QCoreApplication>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

namespace trivant {

namespace {

// The page's texts: translated in the application, Russian in trivant-cli (no translator).
struct GraphPrintText {
    Q_DECLARE_TR_FUNCTIONS(GraphPrint)
};

// Returns the cells of the headings beside the lower panel, which its numbers keep clear of.
std::vector<QRect> headings(QPainter& p, const PrintLayout& g, const GraphScene& sc) {
    QFont bold = p.font();
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(Qt::black);
    TextAt(p, g.L, g.P1.Top - 3 * g.th, "SpO2");
    TextAt(p, g.L, g.P1.Top - 2 * g.th, "%");
    TextAt(p, g.cm + 1, g.P1.Top - 3 * g.th, "NN");
    TextAt(p, g.cm + 1, g.P1.Top - 2 * g.th, GraphPrintText::tr("мс"));
    std::vector<QRect> lower;
    int y = g.P2.Top;
    const auto& st = sc.style;
    if (st.shown[kSerIBHi]) {
        p.setPen(st.colors[kSerIBHi]);
        TextAt(p, g.L, y, GraphPrintText::tr("ИБ"));
        lower.push_back(TextCell(p, g.L, y, GraphPrintText::tr("ИБ")));
    }
    // The index headings stack up; a trace switched off leaves no gap.
    const std::pair<int, const char*> stacked[] = {
        {kSerSDNN, "SDNN"},
        {kSerSYM, QT_TRANSLATE_NOOP("GraphPrint", "СИМ")},
        {kSerPAR, QT_TRANSLATE_NOOP("GraphPrint", "ПАР")}};
    for (const auto& [s, name] : stacked) {
        if (!st.shown[s])
            continue;
        p.setPen(st.colors[s]);
        TextAt(p, g.cm, y, GraphPrintText::tr(name));
        lower.push_back(TextCell(p, g.cm, y, GraphPrintText::tr(name)));
        y += g.th;
    }
    bold.setBold(false);
    p.setFont(bold);
    return lower;
}

// The block begins a row lower under a row of times. Returns the y under its last row.
int averages(QPainter& p, const PrintLayout& g, const Recording& rec, bool timeRow) {
    const int x = g.GL;
    int y = g.P2.Bottom + (timeRow ? 3 : 2) * g.th;
    p.setPen(Qt::black);
    TextAt(p, x, y, GraphPrintText::tr("Средние значения"));
    auto value = [&rec](int32_t v, const QString& unit) {
        return rec.AveragesValid ? QString::number(v) + unit : QString("—");
    };
    const std::pair<const char*, QString> rows[] = {
        {"NN", value(rec.averRR, GraphPrintText::tr(" мс"))},
        {"SpO2", rec.HasSpO2() ? value(rec.averSPO, " %") : QString("—")},
        {QT_TRANSLATE_NOOP("GraphPrint", "СИМ"), value(rec.averSYM, "")},
        {QT_TRANSLATE_NOOP("GraphPrint", "ПАР"), value(rec.averPAR, "")},
        {"SDNN", value(rec.averSDNN, "")},
        {QT_TRANSLATE_NOOP("GraphPrint", "ИБ"), value(rec.averIB50, "")},
    };
    for (const auto& [name, text] : rows) {
        y += g.th;
        TextAt(p, x, y, GraphPrintText::tr(name));
        TextAt(p, x + 6 * g.tw, y, text);
    }
    return y + g.th;
}

// The screen columns the page's panels hold.
int pageColumns(const PrintLayout& g) {
    return static_cast<int>((g.GR - g.GL) / g.k);
}

// The page shows what the window shows at its level; the whole recording is fitted to the
// page's width rather than the window's.
GraphScene pageScene(const GraphScene& screen, const PrintLayout& g) {
    GraphScene sc = screen;
    if (sc.view.Zoom == kZoomWhole) {
        const XScale xs = ZoomScale(kZoomWhole, sc.rec->beats() - sc.view.XPos, pageColumns(g));
        sc.view.XMult = xs.mult;
        sc.view.XDiv = xs.div;
    }
    return sc;
}

// "Beats 1–102858 of 102858, 00:00:00–24:01:02 (24:01:02)": the beats on the page and their
// times, on the clock when the start is known.
QString rangeText(const GraphScene& sc, int columns) {
    const Recording& rec = *sc.rec;
    const int first = std::min(rec.beats(), sc.view.XPos + 1);
    const int last = static_cast<int>(
        std::min<int64_t>(rec.beats(), sc.view.XPos + sc.view.xScale().toBeats(columns)));
    const int64_t fromH = ElapsedHundredths(rec, first - 1), toH = ElapsedHundredths(rec, last);
    const bool clock = rec.StartClockS != kNoClock;
    auto at = [&](int64_t h) {
        return QString::fromStdString(clock ? ClockText(rec.StartClockS + h / 100)
                                            : TimeTextHundredths(h));
    };
    return GraphPrintText::tr("Удары %1–%2 из %3, %4–%5 (%6)")
        .arg(first)
        .arg(last)
        .arg(rec.beats())
        .arg(at(fromH), at(toH), QString::fromStdString(TimeTextHundredths(toH - fromH)));
}

// The ECG strip at the page's width under the means, two rows down, as high as the screen's
// at the printer's dots per inch and with its pen.
void ecgStrip(QPainter& p, const PrintLayout& g, const GraphScene& sc, int top) {
    if (!sc.ecg)
        return;
    const double dpi = p.device()->logicalDpiX();
    top += 2 * g.th;
    const int h = EcgStripHeight(dpi, g.th, g.PH - top - 2 * g.th);
    if (h <= g.th)
        return;
    EcgStripStyle st;
    st.penScale = 2;
    PaintEcgStrip(p, sc, {g.L, top, g.GR, top + h}, dpi, pageColumns(g), st);
}

}  // namespace

PrintLayout ComputePrintLayout(int pageW, int pageH, int tw, int th, int screenZeroWidth) {
    PrintLayout g;
    g.PW = pageW;
    g.PH = pageH;
    g.tw = tw;
    g.th = th;
    g.L = 10 * tw;
    g.cm = g.L + 6 * tw;
    g.GL = g.L + 12 * tw;
    g.GR = pageW - 5 * tw;
    g.P1 = {g.GL, 11 * th, g.GR, 11 * th + pageH / 4};
    g.P2 = {g.GL, g.P1.Bottom + th, g.GR, g.P1.Bottom + th + pageH / 4};
    g.k = screenZeroWidth > 0 ? double(tw) / screenZeroWidth : 1.0;
    return g;
}

int PrintTimeStep(int tw, int xMult, int xPos, int xDiv, int minStep) {
    const int first = std::max({1, 3 * tw, minStep});
    const XScale xs{std::max(1, xMult), std::max(1, xDiv)};
    // The first number cycles through its last digits within 10 mult steps.
    for (int step = first; step < first + 10 * xs.mult; ++step)
        if ((xs.toBeats(step) + xPos) % 10 == 0)
            return step;
    return first;
}

void PrintGraphPage(QPainter& p, const GraphScene& screen, const std::string& caption,
                    int screenZeroWidth) {
    const QFontMetrics fm = p.fontMetrics();
    const PrintLayout g =
        ComputePrintLayout(p.device()->width(), p.device()->height(), fm.horizontalAdvance("0"),
                           fm.height(), screenZeroWidth);
    const GraphScene sc = pageScene(screen, g);
    p.setPen(Qt::black);
    TextAt(p, g.L, 5 * g.th, QString::fromStdString(caption));
    TextAt(p, g.L, 6 * g.th, QString::fromStdString(sc.rec->Comment));
    // A page of a long or zoomed-out recording says which part of it it shows.
    if (sc.rec->beats() > kMaxBeats || sc.view.XDiv > 1)
        TextAt(p, g.L, 7 * g.th, rangeText(sc, pageColumns(g)));
    GridPlacement grid = PrintGridPlacement(g, sc);
    grid.keepClear = headings(p, g, sc);
    p.setBrush(Qt::white);
    DrawGrid(p, grid);
    TracePlacement pl;
    pl.p1 = g.P1;
    pl.p2 = g.P2;
    pl.limitLeft = g.GL;
    pl.limitRight = g.GR;
    pl.k = g.k;
    pl.segmentShift = 1;  // on paper a column's segment runs to the next column
    pl.penScale = 2;
    pl.tw = g.tw;
    pl.th = g.th;
    DrawSamples(p, sc, pl);
    if (sc.view.TimeAxis)
        DrawTimeAxis(p, sc, {g.GL, pageColumns(g), g.P2.Bottom + 2 + g.th, g.tw, g.k});
    ecgStrip(p, g, sc, averages(p, g, *sc.rec, sc.view.TimeAxis));
}

}  // namespace trivant
