#include "training_canvas.h"

#include "curve_panel.h"
#include "training_geometry.h"

#include <QPainter>

namespace trivant {

namespace {
constexpr double kHeartSpanS = 60;
const QColor kInhale(200, 225, 250), kBar(40, 120, 200);
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
    const QFontMetrics fm = p.fontMetrics();
    // Room on the right for half of the last time number, centred on the plots' right edge.
    const int rightRoom = fm.horizontalAdvance(QStringLiteral("-00 с")) / 2;
    const CanvasLayout l =
        LayoutCanvas(rect().adjusted(0, 0, -rightRoom, 0), ScaleNumbersWidth(fm), fm.height());
    const PacerState now = PacerAt(s.pacer, s.pacerS);
    p.setPen(Qt::gray);
    p.drawRect(l.bar.adjusted(0, 0, -1, -1));
    p.fillRect(BarFill(l.bar, now.height), kBar);
    p.setPen(Qt::black);
    p.drawText(l.bar.adjusted(0, 4, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
               now.inhale ? tr("Вдох") : tr("Выдох"));

    const double t1 = std::max(s.latestS, kHeartSpanS), t0 = t1 - kHeartSpanS;
    // In the recording's first minute the numbers count from its start, so the latest beat
    // is not read as seconds ago.
    const double heartFromS = s.latestS < kHeartSpanS ? 0 : t1;
    for (const TimeSpan& span : InhaleSpans(s.pacer, s.pacerOriginS, t0, t1)) {
        const double a = XOfTime(l.heart, span.fromS, t0, t1);
        const double b = XOfTime(l.heart, span.toS, t0, t1);
        p.fillRect(QRectF(a, l.heart.top(), b - a, l.heart.height()), kInhale);
    }
    // Both curves count their time back from the latest beat.
    CurvePanel heart{
        l.heart,     s.heart,    t0,
        t1,          heartFromS, HeartScale(s.heart, ValueTicksFor(l.heart.height(), fm)),
        kHeartColor, 2,          tr("ЧСС, уд/мин")};
    PaintCurvePanel(p, heart);
    const double c0 = s.coherence.empty() ? t0 : s.coherence.front().x();
    const double c1 = s.coherence.empty() ? t1 : std::max(s.coherence.back().x(), c0 + 1);
    CurvePanel coherence{l.coherence,
                         s.coherence,
                         c0,
                         c1,
                         c1,
                         CoherenceScale(s.coherence, ValueTicksFor(l.coherence.height(), fm)),
                         kCoherenceColor,
                         2,
                         tr("Когерентность")};
    PaintCurvePanel(p, coherence);
}

}  // namespace trivant
