// The report page: grids with their numbers, frames, rhythmogram, histogram, spectrum,
// scatterogram, the spectral components and the two text blocks.
#include "report_paint.h"

#include "paint_kit.h"
#include "translation.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLine>
#include <QPainter>
#include <QVector>

#include <cmath>
#include <functional>

namespace trivant {

namespace {

constexpr int kSeparatorWidth = 2;
constexpr int kTraceWidth = 2;
constexpr int kDotWidth = 2;
constexpr int kScatterPoints = 200;  // only the first intervals enter the scatterogram
constexpr int kScatterRange = 200;   // 10 ms units across each axis (0..2 s)
constexpr int kComponentTicks = 5;   // grid lines at 20 % steps
constexpr int kValueColumnTW = 8;    // values start this many digit widths after the names

int rounded(double v) {
    return static_cast<int>(std::nearbyint(v));
}

// The page's texts: translated in the application, Russian in trivant-cli (no translator).
struct ReportPaintText {
    Q_DECLARE_TR_FUNCTIONS(ReportPaint)
};

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// How one plot's grid and numbers are placed around its rectangle.
struct PlotAxes {
    Rect r;
    const char *unitY, *unitX, *title;
    int titleShiftTW;
    int yTicks;
    QStringList yLabels;  // j = 0 .. yTicks
    int yLabelX, hLineLeft;
    int xTicks;
    QStringList xLabels;  // m = 1 .. xTicks - 1
    int xLabelDx, xLabelY, vLineBottom;
};

// The unit above the value axis and the plot's title on one row: the unit moves right of a
// value number it would cover, the title right of the unit and left of where the texts beside
// the plot begin (spill past its right edge), shortened when even then it does not fit.
void drawPlotTitle(QPainter& p, const Rect& r, const char* unitY, const char* title, int shiftTW,
                   const ReportLayout& L, int spill, const QRect& topNumber) {
    const int y = r.Top - L.TH - 1;
    const QString unit = ReportPaintText::tr(unitY);
    QRect unitCell = TextCell(p, r.Left, y, unit);
    if (unitCell.intersects(topNumber))
        unitCell.moveLeft(topNumber.right() + 1 + L.TW / 2);
    TextAt(p, unitCell.left(), y, unit);
    const QFontMetrics fm = p.fontMetrics();
    QString text = ReportPaintText::tr(title);
    const int minX = unitCell.right() + 1 + L.TW;
    const int right = r.Right + spill;
    const int x = std::max(minX, std::min(r.Left + r.width() / 2 - shiftTW * L.TW,
                                          right - fm.horizontalAdvance(text)));
    text = fm.elidedText(text, Qt::ElideRight, right - x);
    TextAt(p, x, y, text);
}

// Every stride-th time or frequency number, the smallest stride at which neighbours keep
// apart; a number that would cover the axis unit is left out.
void drawXLabels(QPainter& p, const PlotAxes& a, int xStep, const QRect& unitCell) {
    const QFontMetrics fm = p.fontMetrics();
    int widest = 0;
    for (const QString& t : a.xLabels)
        widest = std::max(widest, fm.horizontalAdvance(t));
    int stride = 1;
    while (xStep > 0 && stride * xStep < widest && stride < a.xTicks)
        ++stride;
    for (int m = stride; m < a.xTicks; m += stride) {
        const int x = a.r.Left + m * xStep + a.xLabelDx;
        if (!TextCell(p, x, a.xLabelY, a.xLabels[m - 1]).intersects(unitCell))
            TextAt(p, x, a.xLabelY, a.xLabels[m - 1]);
    }
}

void drawPlotAxes(QPainter& p, const PlotAxes& a, const ReportLayout& L, int spill) {
    const Rect& r = a.r;
    const int yStep = r.height() / a.yTicks;
    const int xStep = r.width() / a.xTicks;
    p.setPen(QPen(kGridColor, 1));
    for (int j = 1; j < a.yTicks; ++j)
        p.drawLine(a.hLineLeft, r.Bottom - j * yStep, r.Right, r.Bottom - j * yStep);
    for (int m = 1; m < a.xTicks; ++m)
        p.drawLine(r.Left + m * xStep, r.Top, r.Left + m * xStep, a.vLineBottom);
    p.setPen(Qt::black);
    auto yAt = [&](int j) { return r.Bottom - j * yStep - L.TH / 2; };
    drawPlotTitle(p, r, a.unitY, a.title, a.titleShiftTW, L, spill,
                  TextCell(p, a.yLabelX, yAt(a.yTicks), a.yLabels[a.yTicks]));
    const QString unitX = ReportPaintText::tr(a.unitX);
    TextAt(p, r.Left, r.Bottom + 4, unitX);
    for (int j = 0; j <= a.yTicks; ++j)
        TextAt(p, a.yLabelX, yAt(j), a.yLabels[j]);
    drawXLabels(p, a, xStep, TextCell(p, r.Left, r.Bottom + 4, unitX));
}

QStringList toQt(const std::vector<std::string>& v) {
    QStringList out;
    for (const std::string& s : v)
        out << q(s);
    return out;
}

void drawAllAxes(QPainter& p, const ReportLayout& L, const ReportView& v, int spill) {
    const QStringList seconds{DecimalText("0.0"), DecimalText("0.5"), DecimalText("1.0"),
                              DecimalText("1.5"), DecimalText("2.0")};
    const QStringList halves = seconds.mid(1, 3);
    QStringList rrTimes, hertz;
    for (int m = 1; m < RRXGridTick; ++m)
        rrTimes << QString::number(30 * m);
    for (int m = 1; m < SpecXGridTick; ++m)
        hertz << DecimalText(QString("0.%1").arg(5 * m, 2, 10, QChar('0')));
    const Rect &rr = L.R_RR, &sc = L.R_Scat, &hi = L.R_Histo, &sp = L.R_Spec;
    const int tw = L.TW;
    const PlotAxes axes[] = {
        {rr, QT_TRANSLATE_NOOP("ReportPaint", "NN,c"), QT_TRANSLATE_NOOP("ReportPaint", "t,c"),
         QT_TRANSLATE_NOOP("ReportPaint", "Ритмограмма"), 6, RRYGridTick, seconds, rr.Left - 3 * tw,
         rr.Left - 2, RRXGridTick, rrTimes, -tw, rr.Bottom, rr.Bottom + 2},
        {sc, QT_TRANSLATE_NOOP("ReportPaint", "NN i-1,c"),
         QT_TRANSLATE_NOOP("ReportPaint", "NNi,c"),
         QT_TRANSLATE_NOOP("ReportPaint", "Скатерограмма"), 6, ScatYGridTick, seconds,
         sc.Left - 3 * tw, sc.Left, ScatXGridTick, halves, 0, sc.Bottom + 4, sc.Bottom + 2},
        {hi, QT_TRANSLATE_NOOP("ReportPaint", "N,ед"), QT_TRANSLATE_NOOP("ReportPaint", "NN,c"),
         QT_TRANSLATE_NOOP("ReportPaint", "Гистограмма"), 5, HistoYGridTick,
         toQt(HistoYLabels(v.ViewAMo)), hi.Left - 3 * tw, hi.Left, HistoXGridTick, halves, 0,
         hi.Bottom + 4, hi.Bottom},
        {sp, QT_TRANSLATE_NOOP("ReportPaint", "мс²/Гц"), QT_TRANSLATE_NOOP("ReportPaint", "F,Гц"),
         QT_TRANSLATE_NOOP("ReportPaint", "Спектр"), 5, SpecYGridTick,
         toQt(SpecYLabels(v.ViewSpecMax)), sp.Left - 4 * tw - tw / 2, sp.Left, SpecXGridTick, hertz,
         0, sp.Bottom + 4, sp.Bottom},
    };
    for (const PlotAxes& a : axes)
        drawPlotAxes(p, a, L, spill);
}

void drawSeparators(QPainter& p, const ReportLayout& L) {
    p.setPen(QPen(Qt::black, kSeparatorWidth));
    p.drawLine(0, L.A, L.CW, L.A);
    p.drawLine(0, L.B, L.CW, L.B);
    p.drawLine(L.X2, L.A, L.X2, L.CH);
    p.drawLine(L.X3, L.A, L.X3, L.CH);
}

void drawRhythm(QPainter& p, const Rect& r, const ReportView& v) {
    // The line ends at the last entry the averaging produced.
    const int last = std::min(r.width() - 1, v.yCount - 1);
    QVector<QLine> lines;
    for (int j = 1; j <= last; ++j)
        lines.append(QLine(r.Left + j - 1, r.Bottom - v.FrViewYBuf[j], r.Left + j,
                           r.Bottom - v.FrViewYBuf[j + 1]));
    p.setPen(QPen(Qt::black, kTraceWidth));
    p.drawLines(lines);
}

// Columns standing on the plot's bottom row, each in the colour of its group.
void drawColumns(QPainter& p, const Rect& r, const std::vector<int>& heights, int first,
                 const std::function<int(int)>& group, const std::vector<QColor>& colors) {
    std::vector<QVector<QLine>> lines(colors.size());
    const int last = std::min(r.width() - 1, int(heights.size()) - 1);
    for (int i = first; i <= last; ++i)
        if (heights[i] > 0)
            lines[group(i)].append(
                QLine(r.Left + i, r.Bottom - 1, r.Left + i, r.Bottom - heights[i]));
    for (size_t g = 0; g < colors.size(); ++g) {
        p.setPen(QPen(colors[g], 1));
        p.drawLines(lines[g]);
    }
}

void drawScatter(QPainter& p, const Rect& r, const FragmentReport& f, int radius) {
    const double sx = r.width() / double(kScatterRange);
    const double sy = r.height() / double(kScatterRange);
    p.setPen(QPen(Qt::black, radius > 0 ? 1 : kDotWidth));
    p.setBrush(Qt::black);
    for (int k = 2; k <= kScatterPoints; ++k) {
        if (f.FrRRBuf[k] == 0 || f.FrRRBuf[k - 1] == 0)
            continue;
        const QPoint c(r.Left + rounded(f.FrRRBuf[k] * sx),
                       r.Bottom - rounded(f.FrRRBuf[k - 1] * sy));
        if (radius > 0)
            p.drawEllipse(c, radius, radius);
        else
            p.drawPoint(c);
    }
    p.setBrush(Qt::NoBrush);
}

void drawComponentGrid(QPainter& p, const ReportLayout& L, int s, bool dotted, int spill) {
    const Rect& r = L.R_SpecComp;
    const int row = s / kComponentTicks;
    p.setPen(QPen(kGridColor, 1, dotted ? Qt::DotLine : Qt::SolidLine));
    for (int k = 1; k <= kComponentTicks; ++k) {
        const int y = r.Bottom - s + row * (kComponentTicks - k);
        p.drawLine(r.Left, y, r.Right, y);
    }
    p.setPen(Qt::black);
    auto numberAt = [&](int k) { return r.Bottom - k * row - L.TH / 2; };
    drawPlotTitle(p, r, "%", QT_TRANSLATE_NOOP("ReportPaint", "Компоненты спектра"), 5, L, spill,
                  TextCell(p, r.Left - 4 * L.TW, numberAt(kComponentTicks), "100"));
    for (int k = 1; k <= kComponentTicks; ++k)
        TextAt(p, r.Left - 4 * L.TW, numberAt(k), QString::number(20 * k));
}

void drawComponents(QPainter& p, const ReportLayout& L, const FragmentReport& f, bool dotted,
                    int spill) {
    const Rect& r = L.R_SpecComp;
    const int qw = r.width() / 9;
    const int s = r.height() - r.height() / 10;
    drawComponentGrid(p, L, s, dotted, spill);
    const int total = f.FrTotalPower;
    const struct {
        const char* name;
        QColor color;
        int height;
    } bars[] = {
        {"Total", Qt::black, s},
        {"VLF", kVLF, ComponentBarHeight(f.FrVLF, total, s)},
        {"LF", kLF, ComponentBarHeight(f.FrLF, total, s)},
        {"HF", kHF, ComponentBarHeight(f.FrHF, total, s)},
    };
    const QFontMetrics fm = p.fontMetrics();
    int x = r.Left + qw;
    for (const auto& bar : bars) {
        if (bar.height > 0) {
            const Rect box{x, r.Bottom - bar.height, x + qw, r.Bottom};
            p.fillRect(ToQRect(box), bar.color);
            p.setPen(Qt::black);
            Outline(p, box);
        }
        p.setPen(Qt::black);
        // A name wider than two bars moves left to end half a digit before the next one.
        const QString name = QString::fromUtf8(bar.name);
        const bool last = &bar == &bars[3];
        const int nameX =
            last ? x : std::min(x, x + 2 * qw - fm.horizontalAdvance(name) - L.TW / 2);
        TextAt(p, nameX, L.R_Spec.Bottom + 4, name);
        x += 2 * qw;
    }
}

void drawTextBlock(QPainter& p, const Rect& block, const std::vector<TextLine>& lines,
                   const ReportLayout& L, const ReportStyle& st) {
    const int x0 = block.Left + st.textIndentTW * L.TW;
    const std::vector<int> rows =
        TextLineRows(lines, block.Top + st.textFirstRowTH * L.TH, block.Bottom, L.TH);
    p.setPen(Qt::black);
    for (size_t i = 0; i < rows.size(); ++i) {
        TextAt(p, x0, rows[i], q(lines[i].name));
        TextAt(p, x0 + kValueColumnTW * L.TW, rows[i], q(lines[i].value));
    }
}

}  // namespace

ReportStyle ScreenReportStyle() {
    return ReportStyle{};
}

ReportStyle PaperReportStyle() {
    ReportStyle st;
    st.specMaxStep = kPaperSpecMaxStep;
    st.fillBackground = false;
    st.separators = false;
    st.scatterRadius = 5;
    st.dottedComponentGrid = true;
    st.textIndentTW = 4;
    st.textFirstRowTH = 0;
    st.printedTimeBlock = true;
    return st;
}

QRect ToQRect(const Rect& r) {
    return QRect(r.Left, r.Top, r.width(), r.height());
}

void Outline(QPainter& p, const Rect& r) {
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.Left, r.Top, r.width() - 1, r.height() - 1);
}

ReportView PaintReport(QPainter& p, const FragmentReport& r, const ReportLayout& L,
                       const ReportStyle& st) {
    const ReportView v = CountView(r, L, st.specMaxStep);
    if (st.fillBackground)
        p.fillRect(0, 0, L.CW, L.CH, Qt::white);
    if (st.separators)
        drawSeparators(p, L);
    const int spill = st.textIndentTW * L.TW;  // the text blocks' names begin there
    drawAllAxes(p, L, v, spill);
    p.setPen(QPen(Qt::black, 1));
    for (const Rect* frame : {&L.R_RR, &L.R_Histo, &L.R_Spec, &L.R_SpecComp, &L.R_Scat})
        Outline(p, *frame);
    drawRhythm(p, L.R_RR, v);
    drawColumns(p, L.R_Histo, v.FrViewHistoBuf, 0, [](int) { return 0; }, {Qt::black});
    drawColumns(p, L.R_Spec, v.FrViewSpecBuf, 1, [&v](int j) { return SpecColumnBand(v, j); },
                {kVLF, kLF, kHF});
    drawScatter(p, L.R_Scat, r, st.scatterRadius);
    drawComponents(p, L, r, st.dottedComponentGrid, spill);
    drawTextBlock(p, L.R_TextStat, TimeBlockLines(r, st.printedTimeBlock), L, st);
    drawTextBlock(p, L.R_TextSpec, SpecBlockLines(r), L, st);
    p.setPen(QPen(Qt::black, 1));
    return v;
}

void PaintReportPage(QPainter& p, const FragmentReport& r, const QString& caption,
                     const QString& comment, int pageW, int pageH, bool landscape) {
    const QFontMetrics fm = p.fontMetrics();
    const int th = fm.height();
    const int tw = fm.horizontalAdvance(QChar('0'));
    p.setPen(Qt::black);
    TextAt(p, 10 * tw, 5 * th, caption);
    TextAt(p, 10 * tw, 6 * th, comment);
    PaintReport(p, r, ComputePrintLayout(pageW, pageH, th, tw, landscape), PaperReportStyle());
}

}  // namespace trivant
