// The ECG strip's painting.
#include "ecg_strip_paint.h"

#include "beat_marks.h"
#include "clock_time.h"
#include "ecg_strip_feed.h"
#include "paint_kit.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace trivant {

namespace {

struct EcgStripText {
    Q_DECLARE_TR_FUNCTIONS(EcgStrip)
};

constexpr int kMajorMm = 5;          // a bold line every 5 mm
constexpr double kMinMinorPx = 2.5;  // 1 mm lines closer than this are left out
constexpr int kCaptionGap = 2;       // pixels between the paper and the caption

// Paper lines: light 1 mm, darker 5 mm, in shades of the windows' own grid colour.
QColor paperColor(bool major) {
    const double w = major ? 0.45 : 0.18;  // share of the grid colour over white
    auto mix = [w](int c) { return static_cast<int>(std::lround(255 - w * (255 - c))); };
    return {mix(kGridColor.red()), mix(kGridColor.green()), mix(kGridColor.blue())};
}

void drawPaper(QPainter& p, const EcgStripLayout& L) {
    const Rect& r = L.paper;
    p.fillRect(QRect(r.Left, r.Top, r.width(), r.height()), Qt::white);
    const bool minor = L.pxPerMm >= kMinMinorPx;
    for (int pass = minor ? 0 : 1; pass < 2; ++pass) {
        const bool major = pass == 1;
        p.setPen(paperColor(major));
        const int step = major ? kMajorMm : 1;
        for (int mm = 0; L.paper.Left + L.mmToPx(mm) < r.Right; mm += step)
            p.drawLine(QPointF(r.Left + L.mmToPx(mm), r.Top),
                       QPointF(r.Left + L.mmToPx(mm), r.Bottom));
        // Horizontal lines run from 0 mV, so the baseline lies on a bold one.
        const int up = static_cast<int>((L.baselineY - r.Top) / L.pxPerMm);
        const int down = static_cast<int>((r.Bottom - L.baselineY) / L.pxPerMm);
        for (int mm = -(up / step) * step; mm <= down; mm += step)
            p.drawLine(QPointF(r.Left, L.baselineY + L.mmToPx(mm)),
                       QPointF(r.Right, L.baselineY + L.mmToPx(mm)));
    }
}

// The standard pulse: 1 mV for 0.2 s, centred in the margin left of the trace.
void drawCalibration(QPainter& p, const EcgStripLayout& L, const QPen& pen) {
    const double x0 = L.paper.Left + L.mmToPx((kEcgCalMm - kEcgCalPulseMm) / 2);
    const double x1 = x0 + L.mmToPx(kEcgCalPulseMm);
    const double y0 = L.baselineY, y1 = L.mvToY(1);
    const QPointF pts[] = {{double(L.paper.Left), y0}, {x0, y0}, {x0, y1}, {x1, y1}, {x1, y0},
                           {double(L.traceLeft), y0}};
    p.setPen(pen);
    p.drawPolyline(pts, 6);
}

// The median of the samples shown: the trace's baseline, whatever the record's offset.
float medianOf(const float* mv, int64_t n) {
    std::vector<float> v(mv, mv + n);
    std::nth_element(v.begin(), v.begin() + n / 2, v.end());
    return v[n / 2];
}

void drawTrace(QPainter& p, const EcgStripLayout& L, const EcgStripData& d, const QPen& pen) {
    if (!d.mv || d.n < 2)
        return;
    const float offset = medianOf(d.mv, d.n);
    QPolygonF line;
    line.reserve(static_cast<int>(d.n));
    for (int64_t i = 0; i < d.n; ++i)
        line << QPointF(L.sampleToX(L.first + i), L.mvToY(d.mv[i] - offset));
    p.setPen(pen);
    p.drawPolyline(line);
}

void drawMarks(QPainter& p, const EcgStripLayout& L, const EcgStripData& d,
               const EcgStripStyle& st) {
    const double h = L.mmToPx(kEcgMarkMm), top = L.paper.Top + 1;
    p.setPen(Qt::NoPen);
    for (size_t i = 0; i < d.beats.size(); ++i) {
        const int64_t s = d.beats[i];
        const double x = L.sampleToX(s);
        const QColor c = s == d.selected ? st.selected : st.mark;
        const bool edited = i < d.edited.size() && d.edited[i];
        // An edited beat's mark is an outline, so it reads as not recorded that way.
        p.setPen(edited ? QPen(c, st.penScale) : QPen(Qt::NoPen));
        p.setBrush(edited ? QBrush(Qt::white) : QBrush(c));
        const QPointF tri[] = {{x - h / 2, top}, {x + h / 2, top}, {x, top + h}};
        p.drawPolygon(tri, 3);
        p.setPen(Qt::NoPen);
        // A flagged beat's kind in a square under its mark, the selection still on top.
        if (i < d.flagged.size() && d.flagged[i].isValid()) {
            p.setBrush(d.flagged[i]);
            p.drawRect(QRectF(x - h / 2, top + h + 1, h, h));
        }
    }
    // Where a deleted beat was, a small cross at the marks' height.
    p.setPen(QPen(EditMarkColor(), 2 * st.penScale));
    p.setBrush(Qt::NoBrush);
    for (int64_t s : d.deleted) {
        const double x = L.sampleToX(s), y = top + h / 2, a = h / 2;
        p.drawLine(QPointF(x - a, y - a), QPointF(x + a, y + a));
        p.drawLine(QPointF(x - a, y + a), QPointF(x + a, y - a));
    }
}

}  // namespace

void DrawEcgStrip(QPainter& p, const EcgStripLayout& L, const EcgStripData& d,
                  const EcgStripStyle& st) {
    p.save();
    drawPaper(p, L);
    const QPen pen(st.trace, st.penScale);
    p.setClipRect(QRect(L.paper.Left, L.paper.Top, L.paper.width(), L.paper.height()));
    drawCalibration(p, L, pen);
    drawTrace(p, L, d, pen);
    drawMarks(p, L, d, st);
    p.setClipping(false);
    p.setPen(Qt::black);
    TextAt(p, L.paper.Left, L.paper.Bottom + kCaptionGap, d.caption);
    p.restore();
}

int EcgCentreBeat(const GraphScene& sc, int columns) {
    const int beats = sc.rec->beats();
    const int first = sc.view.XPos + 1;
    const int last = static_cast<int>(
        std::min<int64_t>(beats, sc.view.XPos + sc.view.xScale().toBeats(columns)));
    if (sc.view.HistoPoint >= first && sc.view.HistoPoint <= last)
        return sc.view.HistoPoint;
    return std::clamp((first + last) / 2, 1, std::max(1, beats));
}

namespace {

QString caption(const GraphScene& sc, const EcgStripLayout& L, int beat, EcgStripFeed& feed) {
    const int64_t r = sc.rec->BeatSamples[beat];
    const auto secs = static_cast<int64_t>(double(r) / L.rate);
    return EcgStripText::tr("Удар %1, %2 · %3 · %4 мм/с, %5 мм/мВ")
        .arg(beat)
        .arg(QString::fromStdString(ClockOrElapsedText(sc.rec->StartClockS, secs)),
             QString::fromStdString(feed.label()))
        .arg(kEcgMmPerS)
        .arg(L.mmPerMv);
}

}  // namespace

bool SceneEcgStripLayout(const GraphScene& sc, const Rect& area, double dpi, int columns,
                         int captionH, EcgStripLayout& out, int& centreBeat) {
    const auto& beats = sc.rec->BeatSamples;
    if (!sc.ecg || beats.empty())
        return false;
    centreBeat = std::min<int>(EcgCentreBeat(sc, columns), int(beats.size()) - 1);
    out = ComputeEcgStripLayout(area, captionH, dpi, sc.ecg->rate(), beats[centreBeat],
                                sc.ecg->samples());
    return true;
}

void PaintEcgStrip(QPainter& p, const GraphScene& sc, const Rect& area, double dpi, int columns,
                   const EcgStripStyle& st) {
    EcgStripLayout L;
    int beat = 0;
    if (!SceneEcgStripLayout(sc, area, dpi, columns, p.fontMetrics().height(), L, beat))
        return;
    const auto& beats = sc.rec->BeatSamples;
    EcgStripFeed& feed = *sc.ecg;
    EcgStripData d;
    d.mv = feed.window(L.first, L.count, d.n);
    auto from = std::lower_bound(beats.begin(), beats.end(), L.first);
    auto to = std::lower_bound(from, beats.end(), L.first + L.count);
    d.beats.assign(from, to);
    d.selected = beats[beat];
    // Position k of the beat samples ends interval k, the beat flagged as k.
    const int first = static_cast<int>(from - beats.begin());
    if (sc.flags) {
        d.flagged.resize(d.beats.size());
        for (const FlaggedBeat& f : *sc.flags)
            if (f.beat >= first && f.beat < first + static_cast<int>(d.beats.size()))
                d.flagged[static_cast<size_t>(f.beat - first)] = BeatMarkColor(f.kind);
    }
    d.edited.resize(d.beats.size());
    if (sc.edits)
        for (const EditedBeat& e : *sc.edits)
            if (e.edit != BeatEdit::None && e.beat >= first &&
                e.beat < first + static_cast<int>(d.beats.size()))
                d.edited[static_cast<size_t>(e.beat - first)] = true;
    for (const auto& before : sc.rec->DeletedBeats)
        for (const DeletedBeat& b : before.second)
            if (b.sample >= L.first && b.sample < L.first + L.count)
                d.deleted.push_back(b.sample);
    // A record that can't be read where the strip is says why in place of the caption.
    d.caption = d.mv ? caption(sc, L, beat, feed) : QString::fromStdString(feed.error());
    DrawEcgStrip(p, L, d, st);
}

}  // namespace trivant
