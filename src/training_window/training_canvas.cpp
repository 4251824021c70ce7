#include "training_canvas.h"

#include "training_geometry.h"

#include <QPainter>

namespace trivant {

namespace {
constexpr double kHeartSpanS = 60;
const QColor kInhale(200, 225, 250), kBar(40, 120, 200), kCurve(200, 40, 40);
}  // namespace

TrainingCanvas::TrainingCanvas(const CanvasState& state, QWidget* parent)
    : QWidget(parent), state_(state) {
    setMinimumSize(480, 280);
    setAutoFillBackground(true);
    setPalette(QPalette(Qt::white));
}

void TrainingCanvas::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const CanvasState& s = state_;
    const CanvasLayout l = LayoutCanvas(rect());
    const PacerState now = PacerAt(s.pacer, s.pacerS);
    p.setPen(Qt::gray);
    p.drawRect(l.bar.adjusted(0, 0, -1, -1));
    p.fillRect(BarFill(l.bar, now.height), kBar);
    p.setPen(Qt::black);
    p.drawText(l.bar.adjusted(0, 4, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
               now.inhale ? tr("Вдох") : tr("Выдох"));

    const double t1 = std::max(s.latestS, kHeartSpanS), t0 = t1 - kHeartSpanS;
    for (const TimeSpan& span : InhaleSpans(s.pacer, s.pacerOriginS, t0, t1)) {
        const double a = XOfTime(l.heart, span.fromS, t0, t1);
        const double b = XOfTime(l.heart, span.toS, t0, t1);
        p.fillRect(QRectF(a, l.heart.top(), b - a, l.heart.height()), kInhale);
    }
    p.setPen(Qt::gray);
    p.drawRect(l.heart.adjusted(0, 0, -1, -1));
    p.drawRect(l.coherence.adjusted(0, 0, -1, -1));
    p.setPen(QPen(kCurve, 2));
    p.drawPolyline(CurvePolygon(s.heart, l.heart, t0, t1, RangeOf(s.heart, 10)));
    if (!s.coherence.empty()) {
        const double c0 = s.coherence.front().x(), c1 = std::max(s.coherence.back().x(), c0 + 1);
        p.setPen(QPen(Qt::darkGreen, 2));
        p.drawPolyline(CurvePolygon(s.coherence, l.coherence, c0, c1,
                                    {0, std::max(6.0, RangeOf(s.coherence, 1).hi)}));
    }
    p.setPen(Qt::black);
    p.drawText(l.heart.adjusted(4, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop, tr("ЧСС, уд/мин"));
    p.drawText(l.coherence.adjusted(4, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop, tr("Когерентность"));
}

}  // namespace trivant
