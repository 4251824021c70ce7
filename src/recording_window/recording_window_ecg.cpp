// RecordingWindow: the ECG strip's source, its room at the bottom of the window, the keys
// that walk the selected beat along it, and the hand edits on it: a beat inserted at a
// clicked instant, deleted, or moved by dragging its R mark, each placed on the R peak.
#include "recording_window.h"

#include "ecg_strip_edit.h"
#include "ecg_strip_feed.h"
#include "ecg_strip_layout.h"
#include "ecg_strip_paint.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace trivant {

namespace {
constexpr int kMaxStripShare = 3;  // the strip takes at most a third of the window's height
}  // namespace

void RecordingWindow::SetEcgSource(std::shared_ptr<EcgSource> source, int channel) {
    const bool valid =
        source && channel >= 0 && channel < static_cast<int>(source->info().channels.size());
    ecg_ = valid ? std::make_unique<EcgStripFeed>(std::move(source), channel) : nullptr;
    // Keys walk the beats only where the strip shows them; other windows keep their focus.
    setFocusPolicy(ecg_ ? Qt::StrongFocus : Qt::NoFocus);
    relayout();
}

bool RecordingWindow::ecgShown() const {
    return ecg_ && rec_->hasEcg() && !rec_->RREventEnabled;
}

int RecordingWindow::ecgStripHeight() const {
    if (!ecgShown())
        return 0;
    return EcgStripHeight(logicalDpiX(), QFontMetrics(font()).height(), height() / kMaxStripShare);
}

void RecordingWindow::keyPressEvent(QKeyEvent* event) {
    const int step = event->key() == Qt::Key_Right ? 1 : event->key() == Qt::Key_Left ? -1 : 0;
    if (!ecgShown() || step == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int s = std::clamp(view_.HistoPoint + step, 1, std::max(1, rec_->CurrentFileLen - 1));
    ShowBeat(s);
    // The view follows a beat that walked out of it, keeping it near the middle.
    const XScale xs = view_.xScale();
    const int64_t at = xs.toPixels(s - view_.XPos);
    const int columns = layout_.rGr1.width();
    if (at < 1 || at >= columns)
        SB->setValue(static_cast<int>(std::max<int64_t>(0, xs.toPixels(s - 1) - columns / 2)));
}

void RecordingWindow::createEcgActions() {
    PopM_Ecg = new QMenu(this);
    PopM_Ecg->setObjectName("PopM_Ecg");
    A_EcgInsert = new QAction(tr("Вставить удар здесь"), this);
    A_EcgInsert->setObjectName("A_EcgInsert");
    connect(A_EcgInsert, &QAction::triggered, this, [this] { InsertBeatAtSample(ecgMenuSample_); });
    PopM_Ecg->addActions({A_EcgInsert, A_DeleteBeat, A_RevertBeat});
    PopM_Ecg->addSeparator();
    PopM_Ecg->addActions({A_UndoLabel, A_RedoLabel});
}

bool RecordingWindow::ecgStripLayout(EcgStripLayout& out) const {
    int centre = 0;
    return ecgShown() && SceneEcgStripLayout(scene(), ecgArea_, logicalDpiX(), layout_.rGr1.width(),
                                             QFontMetrics(font()).height(), out, centre);
}

int64_t RecordingWindow::ecgSampleAt(int x) const {
    EcgStripLayout L;
    if (!ecgStripLayout(L) || x < L.traceLeft || x > L.paper.Right)
        return -1;
    const double perSample = L.pxPerMm * kEcgMmPerS / L.rate;
    return L.first + static_cast<int64_t>(std::lround((x - L.traceLeft) / perSample));
}

int64_t RecordingWindow::SnapToRPeak(int64_t sample) {
    if (!ecg_ || sample < 0)
        return sample;
    const auto reach = static_cast<int64_t>(2 * kRPeakSearchS * ecg_->rate()) + 1;
    const int64_t first = std::max<int64_t>(0, sample - reach);
    int64_t n = 0;
    const float* mv = ecg_->window(first, sample + reach + 1 - first, n);
    return NearestRPeak(mv, first, n, sample, ecg_->rate());
}

bool RecordingWindow::InsertBeatAtSample(int64_t sample) {
    if (rec_->RREventEnabled || !rec_->hasEcg() || sample < 0)
        return false;
    const int64_t at = SnapToRPeak(sample);
    const int k = EcgIntervalAt(rec_->BeatSamples, at);
    if (k < 1)
        return false;
    const double afterS =
        double(at - rec_->BeatSamples[static_cast<size_t>(k) - 1]) / rec_->EcgRate;
    const auto firstUs = static_cast<int32_t>(std::lround(afterS * 1e6));
    return ApplyBeatChange(InsertBeat(*rec_, k, firstUs, at), tr("вставку удара"));
}

bool RecordingWindow::MoveBeatToSample(int k, int64_t sample) {
    if (rec_->RREventEnabled || !rec_->hasEcg() || sample < 0)
        return false;
    return ApplyBeatChange(MoveBeat(*rec_, k, SnapToRPeak(sample)), tr("перемещение удара"));
}

void RecordingWindow::prepareEcgActions(const QPoint& pos) {
    EcgStripLayout L;
    const bool on = !rec_->RREventEnabled && ecgStripLayout(L);
    ecgMenuSample_ = on ? ecgSampleAt(pos.x()) : -1;
    const int mark = on ? EcgMarkAt(rec_->BeatSamples, L, pos.x(), L.mmToPx(kEcgGrabMm)) : -1;
    menuBeat_ = std::max(0, mark);  // position 0 is the first R peak, no interval's end
    A_EcgInsert->setEnabled(ecgMenuSample_ >= 0 && mark < 0);
    prepareReviewActions();
}

bool RecordingWindow::ecgPress(const QPoint& pos) {
    EcgStripLayout L;
    if (rec_->RREventEnabled || !ecgStripLayout(L) || !ecgArea_.contains(pos.x(), pos.y()))
        return false;
    dragBeat_ = EcgMarkAt(rec_->BeatSamples, L, pos.x(), L.mmToPx(kEcgGrabMm));
    if (dragBeat_ >= 1)
        setCursor(Qt::SizeHorCursor);
    return true;
}

bool RecordingWindow::ecgRelease(const QPoint& pos) {
    const int k = dragBeat_;
    dragBeat_ = -1;
    if (k < 1)
        return ecgArea_.contains(pos.x(), pos.y());
    setCursor(Qt::ArrowCursor);
    const int64_t sample = ecgSampleAt(pos.x());
    if (sample >= 0 && sample != rec_->BeatSamples[static_cast<size_t>(k)])
        MoveBeatToSample(k, sample);
    return true;
}

void RecordingWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !ecgPress(event->position().toPoint()))
        QWidget::mousePressEvent(event);
}

}  // namespace trivant
