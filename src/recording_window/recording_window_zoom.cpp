// RecordingWindow: the horizontal zoom, from x4 down to the whole recording, the scroll bar
// that covers it, the time axis, and which beat a click picks at each level.
#include "recording_window.h"

#include "graph_grid.h"

#include <QAction>
#include <QMenu>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

namespace trivant {

void RecordingWindow::SetZoom(int level) {
    view_.Zoom = level;
    if (level == kZoomWhole) {
        view_.XPos = 0;
        const QSignalBlocker quiet(SB);
        SB->setValue(0);
    }
    applyZoom();
}

void RecordingWindow::applyZoom() {
    const XScale xs = ZoomScale(view_.Zoom, rec_->beats(), layout_.CW - layout_.XAxY - 1);
    view_.XMult = xs.mult;
    view_.XDiv = xs.div;
    // A shorter range clamps the position without moving the view: XPos follows the bar only
    // when the user moves it.
    const QSignalBlocker quiet(SB);
    SB->setRange(0, ScrollRange(rec_->beats(), xs));
}

void RecordingWindow::SetTimeAxis(bool shown) {
    view_.TimeAxis = shown;
    relayout();
}

void RecordingWindow::addTimeAxisItem() {
    PopM_ScaleX->addSeparator();
    i_TimeAxis = PopM_ScaleX->addAction(tr("Ось времени"));
    i_TimeAxis->setObjectName("i_TimeAxis");
    i_TimeAxis->setCheckable(true);
    connect(PopM_ScaleX, &QMenu::aboutToShow, this,
            [this] { i_TimeAxis->setChecked(view_.TimeAxis); });
    connect(i_TimeAxis, &QAction::triggered, this, &RecordingWindow::SetTimeAxis);
}

int RecordingWindow::columnBeatAt(const QPoint& pos) const {
    if (view_.XDiv <= 1)
        return ColumnToSample(pos.x(), layout_.XAxY, view_.XMult, view_.XPos);
    auto [first, last] = ColumnBeats(pos.x(), layout_.XAxY, view_.XPos, view_.xScale());
    first = std::max(1, first);
    last = std::min(last, rec_->CurrentFileLen - 1);
    if (last < first)
        return first;
    if (!layout_.rGr1.contains(pos.x(), pos.y()))
        return last;
    const ScaleRange r = SeriesRange(kSerRR, scene());
    return NearestBeat(rec_->DataSeries[kSerRR].data(), first, last, pos.y(), r.lower, r.upper,
                       layout_.rGr1);
}

}  // namespace trivant
