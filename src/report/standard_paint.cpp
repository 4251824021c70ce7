// Page two: the table, the Poincaré plot with its SD1/SD2 ellipse, Welch's spectrum over its
// shaded bands and the rhythmogram with the artifacts in red. Grids come from the painting kit.
#include "standard_paint.h"

#include "grid_paint.h"
#include "measure_controls.h"
#include "paint_kit.h"
#include "plot_axes.h"
#include "report_paint.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace trivant {

namespace {

constexpr int kValueGapTW = 2;            // between the longest name and the values
constexpr double kThousandsFrom = 10000;  // ms^2/Hz
constexpr double kRhythmMinS = 300;       // the time axis spans at least the 5-minute fragment

// The page's texts: translated in the application, Russian in trivant-cli (no translator).
struct StandardPaintText {
    Q_DECLARE_TR_FUNCTIONS(StandardPage)
};

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

void drawDot(QPainter& p, const QPointF& c, int radius) {
    p.drawEllipse(c, radius, radius);
}

void drawTable(QPainter& p, const StandardPage& page, const StandardLayout& L) {
    const std::vector<TextLine> lines = StandardTableLines(page.m);
    const QFontMetrics fm = p.fontMetrics();
    int widest = 0;
    for (const TextLine& l : lines)
        widest = std::max(widest, fm.horizontalAdvance(q(l.name)));
    const Rect& t = L.R_Table;
    const int x0 = t.Left + L.TW;
    const std::vector<int> rows = TextLineRows(lines, t.Top + L.TH, t.Bottom, L.TH);
    p.setPen(Qt::black);
    for (size_t i = 0; i < rows.size(); ++i) {
        TextAt(p, x0, rows[i], q(lines[i].name));
        TextAt(p, x0 + widest + kValueGapTW * L.TW, rows[i], q(lines[i].value));
    }
    int y = (rows.empty() ? t.Top : rows.back()) + 2 * L.TH;
    for (const std::string& s : ArtifactLines(page.m.artifacts, page.m.exact_intervals)) {
        if (y + L.TH > t.Bottom)
            break;
        TextAt(p, x0, y, q(s));
        y += L.TH;
    }
}

// Flagged beats are marked in the colour that tells whether they were measured corrected.
QColor markColor(const ArtifactReport& a) {
    return a.corrected ? kCorrectedColor : kArtifactColor;
}

bool flaggedAt(const std::vector<bool>& flags, size_t i) {
    return i < flags.size() && flags[i];
}

// What the marks stand for, when there are any.
const char* markLegend(const ArtifactReport& a) {
    if (a.flagged == 0)
        return nullptr;
    return a.corrected ? QT_TRANSLATE_NOOP("StandardPage", "● скорректированы")
                       : QT_TRANSLATE_NOOP("StandardPage", "● артефакты");
}

void drawPoincare(QPainter& p, const StandardMeasures& m, const std::vector<bool>& flags,
                  const StandardLayout& L, const StandardStyle& st) {
    const Rect& r = L.R_Poinc;
    const ValueRange v = IntervalRange(m.rr);
    DrawPlotAxes(p, r, v, v, 0,
                 {QT_TRANSLATE_NOOP("StandardPage", "Диаграмма Пуанкаре"),
                  QT_TRANSLATE_NOOP("StandardPage", "RRi+1, мс"),
                  QT_TRANSLATE_NOOP("StandardPage", "RRi, мс"), markLegend(m.artifacts),
                  markColor(m.artifacts)},
                 L.TW, L.TH);
    auto at = [&](double x, double y) {
        return QPointF(ValueToPixel(x, v.lo, v.hi, r.Left, r.Right),
                       ValueToPixel(y, v.lo, v.hi, r.Bottom, r.Top));
    };
    // The measured pairs; those with a flagged beat in the marks' colour, drawn last.
    for (const bool marked : {false, true}) {
        const QColor c = marked ? markColor(m.artifacts) : QColor(Qt::black);
        p.setPen(c);
        p.setBrush(c);
        for (size_t i = 1; i < m.rr.size(); ++i)
            if ((flaggedAt(flags, i - 1) || flaggedAt(flags, i)) == marked)
                drawDot(p, at(m.rr[i - 1], m.rr[i]), st.dotRadius);
    }
    p.setBrush(Qt::NoBrush);
    if (!m.mean_rr || !m.sd1 || !m.sd2)
        return;
    // One scale on both axes: the identity line is at 45 degrees on the device too.
    const double scale = r.width() / (v.hi - v.lo);
    p.save();
    p.setClipRect(ToQRect(r));
    p.translate(at(*m.mean_rr, *m.mean_rr));
    p.rotate(-45);
    p.setPen(QPen(kEllipseColor, std::max(2, st.traceWidth)));
    const double a = *m.sd2 * scale, b = *m.sd1 * scale;
    p.drawEllipse(QPointF(0, 0), a, b);
    p.drawLine(QPointF(-a, 0), QPointF(a, 0));  // along the identity line: SD2
    p.drawLine(QPointF(0, -b), QPointF(0, b));  // across it: SD1
    p.restore();
}

constexpr double kSmallestMethodFont = 0.75;  // of the page's font, before cutting
const char* const kWelchMethod =
    QT_TRANSLATE_NOOP("StandardPage", "Уэлч: кубический сплайн 4 Гц, окна Ханна по 256 точек");

void drawWelch(QPainter& p, const StandardMeasures& m, const StandardLayout& L,
               const StandardStyle& st) {
    const Rect& r = L.R_Welch;
    const double maxHz = WelchAxisHz(m.bands);
    double top = 0;
    for (size_t j = 0; j < m.welch.freq.size() && m.welch.freq[j] <= maxHz; ++j)
        top = std::max(top, m.welch.power[j]);
    const double yMax = NiceCeil(top);
    // Numbers of six digits would not fit left of the plot: thousands from 10^4 on.
    const double unit = yMax >= kThousandsFrom ? 1000 : 1;
    const ValueRange y{0, yMax / unit, yMax / unit / kPlotYTicks};
    const QColor colors[] = {kVLF, kLF, kHF};
    const BandEdges& e = m.bands;
    const double edges[] = {e.vlfLo, e.lfLo, e.hfLo, e.hfHi};
    for (int b = 0; b < 3; ++b) {
        const ColumnSpan s = BandColumns(edges[b], edges[b + 1], r, maxHz);
        p.fillRect(s.first, r.Top, s.last - s.first, r.height(), BandShade(colors[b]));
    }
    DrawPlotAxes(p, r, {0, maxHz, maxHz / kWelchXTicks}, y, 2,
                 {QT_TRANSLATE_NOOP("StandardPage", "Спектр (Уэлч)"),
                  unit > 1 ? QT_TRANSLATE_NOOP("StandardPage", "10³ мс²/Гц")
                           : QT_TRANSLATE_NOOP("StandardPage", "мс²/Гц"),
                  QT_TRANSLATE_NOOP("StandardPage", "F, Гц")},
                 L.TW, L.TH);
    // The method on a line of its own under the unit: these band powers are not the first
    // page's, which keep the original method and scale. A narrow page sets it smaller
    // before it cuts it.
    const int left = r.Left - kAxisNumbersTW * L.TW, room = r.Right - left;
    // The bands first: a narrow page cuts the method's end rather than the edges chosen.
    const QString method = StandardPaintText::tr("VLF, LF, HF: %1 Гц; %2")
                               .arg(BandText(e, "–"), StandardPaintText::tr(kWelchMethod));
    p.save();
    const int full = p.fontMetrics().horizontalAdvance(method);
    if (full > room && room > 0) {
        const double k = std::max(kSmallestMethodFont, double(room) / full);
        QFont f = p.font();
        if (f.pixelSize() > 0)
            f.setPixelSize(std::max(1, int(f.pixelSize() * k)));
        else
            f.setPointSizeF(f.pointSizeF() * k);
        p.setFont(f);
    }
    const QString shown = p.fontMetrics().elidedText(method, Qt::ElideRight, room);
    p.setPen(Qt::black);
    if (shown != QStringLiteral("…"))
        TextAt(p, left, r.Bottom + 2 * L.TH + 2, shown);
    p.restore();
    QPolygonF line;
    for (size_t j = 0; j < m.welch.freq.size() && m.welch.freq[j] <= maxHz; ++j)
        line << QPointF(ValueToPixel(m.welch.freq[j], 0, maxHz, r.Left, r.Right),
                        ValueToPixel(m.welch.power[j], 0, yMax, r.Bottom, r.Top));
    p.setPen(QPen(Qt::black, st.traceWidth));
    p.drawPolyline(line);
}

void drawRhythm(QPainter& p, const StandardPage& page, const StandardLayout& L,
                const StandardStyle& st) {
    const Rect& r = L.R_Rhythm;
    // The series measured (corrected when correction is on), or the fragment's own when the
    // measures were refused; the times stay those of the fragment's beats.
    const std::vector<double>& rr = page.m.rr.empty() ? page.rrMs : page.m.rr;
    const std::vector<double> t = BeatTimesS(page.rrMs);
    // A series that lost or gained beats (the automatic correction) keeps times of its own.
    const std::vector<double> tRR = rr.size() == t.size() ? t : BeatTimesS(rr);
    // Lines every 30 s; the axis ends with the fragment's last beat, at 300 s or a little later.
    const double stepS = kRhythmMinS / kRhythmXTicks;
    const double tMax = std::max(kRhythmMinS, t.empty() ? 0.0 : t.back());
    const ValueRange x{0, tMax, stepS};
    const ValueRange v = IntervalRange(rr);
    DrawPlotAxes(p, r, x, v, 0,
                 {QT_TRANSLATE_NOOP("StandardPage", "Ритмограмма"),
                  QT_TRANSLATE_NOOP("StandardPage", "RR, мс"),
                  QT_TRANSLATE_NOOP("StandardPage", "t, с"), markLegend(page.m.artifacts),
                  markColor(page.m.artifacts)},
                 L.TW, L.TH);
    auto point = [&](double ti, double value) {
        return QPointF(ValueToPixel(ti, 0, tMax, r.Left, r.Right),
                       ValueToPixel(value, v.lo, v.hi, r.Bottom, r.Top));
    };
    QPolygonF line;
    for (size_t i = 0; i < std::min(tRR.size(), rr.size()); ++i)
        line << point(tRR[i], rr[i]);
    p.setPen(QPen(Qt::black, st.traceWidth));
    p.drawPolyline(line);
    const ArtifactReport& a = page.m.artifacts;
    p.setPen(markColor(a));
    p.setBrush(markColor(a));
    const std::vector<bool> flags = MeasuredFlags(page);
    for (size_t i = 0; i < std::min(tRR.size(), rr.size()); ++i)
        if (flaggedAt(flags, i))
            drawDot(p, point(tRR[i], rr[i]), st.dotRadius + 1);
    p.setBrush(Qt::NoBrush);
}

}  // namespace

StandardStyle ScreenStandardStyle() {
    return StandardStyle{};
}

StandardStyle PaperStandardStyle(int tw) {
    StandardStyle st;
    st.fillBackground = false;
    st.dotRadius = std::max(2, tw / 4);
    st.traceWidth = std::max(1, tw / 8);
    return st;
}

QColor BandShade(const QColor& band) {
    auto mix = [](int c) { return (c + 3 * 255) / 4; };
    return QColor(mix(band.red()), mix(band.green()), mix(band.blue()));
}

void PaintStandardPage(QPainter& p, const StandardPage& page, const StandardLayout& L,
                       const StandardStyle& st) {
    if (st.fillBackground)
        p.fillRect(ToQRect(L.area), Qt::white);
    if (!page.m.ok) {
        p.setPen(Qt::black);
        TextAt(p, L.R_Table.Left + L.TW, L.R_Table.Top + L.TH, q(RefusalText(page.m)));
    } else {
        drawTable(p, page, L);
        drawPoincare(p, page.m, MeasuredFlags(page), L, st);
        drawWelch(p, page.m, L, st);
    }
    drawRhythm(p, page, L, st);
    p.setPen(QPen(Qt::black, 1));
}

Rect StandardPaperArea(int pageW, int pageH, int th, int tw) {
    return {5 * tw, 8 * th, pageW - 5 * tw, pageH - 5 * th};
}

void PaintStandardPaperPage(QPainter& p, const StandardPage& page, const QString& caption,
                            int pageW, int pageH) {
    const QFontMetrics fm = p.fontMetrics();
    const int th = fm.height();
    const int tw = fm.horizontalAdvance(QChar('0'));
    p.setPen(Qt::black);
    TextAt(p, 10 * tw, 5 * th, caption);
    TextAt(p, 10 * tw, 6 * th, StandardPaintText::tr("Стандартные показатели"));
    PaintStandardPage(p, page,
                      ComputeStandardLayout(StandardPaperArea(pageW, pageH, th, tw), th, tw),
                      PaperStandardStyle(tw));
}

}  // namespace trivant
