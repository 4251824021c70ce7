// The trend: each measure's windows as a line through their middles, broken where a window
// has no value, over the axes every plot of the report has.
#include "trend_paint.h"

#include "clock_time.h"
#include "paint_kit.h"
#include "plot_axes.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <array>
#include <cmath>

namespace trivant {

namespace {

constexpr int kImageFontPixels = 11;
const std::array<QColor, kMaxTrendPanels> kTrendColors{QColor(0, 0, 0), QColor(200, 0, 0),
                                                       QColor(0, 0, 200), QColor(0, 128, 0)};
const char* const kMinutes = QT_TRANSLATE_NOOP("StandardPage", "t, мин");
const char* const kClockTime = QT_TRANSLATE_NOOP("StandardPage", "время");

// The time axis's texts: minutes from the start, or the clock's "hh:mm" where it is known.
AxisText timeAxisText(const TrendMeasure& measure, int64_t startClockS) {
    AxisText text{measure.title, measure.unit, kMinutes};
    if (startClockS == kNoClock)
        return text;
    text.unitX = kClockTime;
    text.xNumber = [startClockS](double minute) { return TrendClockText(startClockS, minute); };
    return text;
}

void paintPanel(QPainter& p, const Rect& r, const ValueRange& time,
                const std::vector<TrendPoint>& points, const TrendMeasure& measure,
                const TrendLayout& L, const QPen& pen, const char* note, int64_t startClockS) {
    std::vector<std::optional<double>> values;
    for (const TrendPoint& t : points)
        values.push_back(t.value);
    const ValueRange y = SeriesRange(values);
    DrawPlotAxes(p, r, time, y, AxisDecimals(time.step), timeAxisText(measure, startClockS), L.TW,
                 L.TH);
    p.save();
    p.setClipRect(r.Left, r.Top, r.width() + 1, r.height() + 1);
    if (note) {
        p.setPen(kGridColor.darker(150));
        p.drawText(QRect(r.Left, r.Top, r.width(), r.height()), Qt::AlignCenter | Qt::TextWordWrap,
                   QCoreApplication::translate("StandardPage", note));
    }
    p.setPen(pen);
    QPolygonF line;
    auto flush = [&] {
        if (line.size() == 1)
            p.drawPoint(line.front());
        else if (line.size() > 1)
            p.drawPolyline(line);
        line.clear();
    };
    for (const TrendPoint& t : points) {
        if (!t.value) {
            flush();
            continue;
        }
        line << QPointF(ValueToPixel(t.minute, time.lo, time.hi, r.Left, r.Right),
                        ValueToPixel(*t.value, y.lo, y.hi, r.Bottom, r.Top));
    }
    flush();
    p.restore();
}

}  // namespace

QString TrendClockText(int64_t startClockS, double minute) {
    const int64_t clockMinute = std::llround((static_cast<double>(startClockS) + minute * 60) / 60);
    return QString::fromStdString(ClockText(clockMinute * 60).substr(0, 5));
}

void PaintTrend(QPainter& p, const TrendPicture& t, const TrendLayout& L, int lineWidth) {
    const ValueRange time = TrendTimeRange(t.durationS / 60);
    for (size_t i = 0; i < L.panels.size() && i < t.keys.size(); ++i)
        if (const TrendMeasure* m = FindTrendMeasure(t.keys[i]))
            paintPanel(p, L.panels[i], time, TrendSeries(t.rows, t.keys[i]), *m, L,
                       QPen(kTrendColors[i], lineWidth), TrendPanelNote(t.rows, t.keys[i]),
                       t.startClockS);
}

QImage RenderTrendImage(const TrendPicture& t, const QString& caption, int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    QFont f = p.font();
    f.setPixelSize(kImageFontPixels);
    p.setFont(f);
    const QFontMetrics fm(f);
    const int th = fm.height(), tw = fm.horizontalAdvance(QChar('0'));
    TextAt(p, tw, th / 2, caption);
    const TrendLayout L =
        ComputeTrendLayout({0, 2 * th, w, h}, th, tw, static_cast<int>(t.keys.size()));
    PaintTrend(p, t, L, 1);
    return image;
}

}  // namespace trivant
