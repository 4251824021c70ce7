// The axes of one plot: the grid through the painting kit, the value numbers on the left,
// every number of the x axis that fits, the title centred above and the units.
#include "plot_axes.h"

#include "grid_paint.h"
#include "paint_kit.h"
#include "report_paint.h"
#include "translation.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace trivant {

namespace {

// The texts: translated in the application, Russian in trivant-cli (no translator).
struct PlotAxesText {
    Q_DECLARE_TR_FUNCTIONS(StandardPage)
};

// Every stride-th line of x gets its number: the smallest stride at which neighbours keep a
// digit apart.
std::vector<GridMark> xMarks(const QFontMetrics& fm, const Rect& r, const ValueRange& x,
                             int decimals, const std::function<QString(double)>& xNumber) {
    const auto number = [&](double v) { return xNumber ? xNumber(v) : AxisNumber(v, decimals); };
    const int ticks = x.ticks();
    int widest = 0;
    for (int m = 1; m < ticks; ++m)
        widest = std::max(widest, fm.horizontalAdvance(number(x.lo + m * x.step)));
    const double stepPx = r.width() / double(std::max(1, ticks));
    int stride = 1;
    while (stride < ticks && stride * stepPx < widest + fm.horizontalAdvance(QChar('0')))
        ++stride;
    std::vector<GridMark> marks;
    for (int m = 1; m < ticks; ++m) {
        const double v = x.lo + m * x.step;
        const int at = int(std::lround(ValueToPixel(v, x.lo, x.hi, r.Left, r.Right)));
        const QString t = number(v);
        marks.push_back({at, m % stride ? QString() : t});
    }
    return marks;
}

}  // namespace

// "0,05": the decimal sign of the page-one axes.
QString AxisNumber(double v, int decimals) {
    return DecimalText(QString::number(v, 'f', decimals));
}

void DrawPlotAxes(QPainter& p, const Rect& r, const ValueRange& x, const ValueRange& y,
                  int xDecimals, const AxisText& text, int tw, int th) {
    const QFontMetrics fm = p.fontMetrics();
    GridPlacement g;
    g.ticks = y.ticks();
    g.textHeight = th;
    g.time.panels = {r};
    g.time.marks = xMarks(fm, r, x, xDecimals, text.xNumber);
    g.time.numberShift = fm.horizontalAdvance(QStringLiteral("0")) / 2;
    ScaleNumbers numbers{r.Left - kAxisNumbersTW * tw, Qt::black, {}, false};
    for (int j = 0; j <= g.ticks; ++j)
        numbers.texts.push_back(AxisNumber(y.lo + j * y.step, AxisDecimals(y.step)));
    g.value.push_back({r, {numbers}});
    DrawGrid(p, g);
    p.setPen(Qt::black);
    const int titleY = r.Top - 2 * th + 2;
    const QString unitY = PlotAxesText::tr(text.unitY);
    const QRect unitCell = TextCell(p, r.Left - kAxisNumbersTW * tw, titleY, unitY);
    TextAt(p, unitCell.left(), titleY, unitY);
    // The legend at the right end; the title centred over the plot, moved left of the legend
    // and right of the unit when they would cover it, and cut when there is no room.
    int titleRight = r.Right + tw;
    if (text.legend) {
        const QString legend = PlotAxesText::tr(text.legend);
        titleRight = r.Right - fm.horizontalAdvance(legend) - tw;
        p.setPen(text.legendColor);
        TextAt(p, titleRight + tw, titleY, legend);
        p.setPen(Qt::black);
    }
    const QString title = PlotAxesText::tr(text.title);
    const int centred = r.Left + (r.width() - fm.horizontalAdvance(title)) / 2;
    const int titleX = std::max(unitCell.right() + 1 + tw,
                                std::min(centred, titleRight - fm.horizontalAdvance(title)));
    const QString shown = fm.elidedText(title, Qt::ElideRight, titleRight - titleX);
    if (!shown.isEmpty() && shown != QStringLiteral("…"))
        TextAt(p, titleX, titleY, shown);
    const QString unitX = PlotAxesText::tr(text.unitX);
    TextAt(p, r.Right - fm.horizontalAdvance(unitX), r.Bottom + th + 2, unitX);
    Outline(p, r);
}

}  // namespace trivant
