// RecordingWindow: the ECG strip's source, its room at the bottom of the window, and the
// keys that walk the selected beat along it.
#include "recording_window.h"

#include "ecg_strip_feed.h"
#include "ecg_strip_layout.h"

#include <QKeyEvent>
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

}  // namespace trivant
