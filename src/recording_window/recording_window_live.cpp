// RecordingWindow: recording live on the 100 ms timer, stopping, closing, and showing a loaded
// file.
#include "recording_window.h"

#include "port_layer.h"
#include "translation.h"

#include <QCloseEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace trivant {

namespace {
const char* const kRecordingTitle = QT_TRANSLATE_NOOP("trivant::RecordingWindow", "Идет запись...");
const char* const kNewRecordingTitle =
    QT_TRANSLATE_NOOP("trivant::RecordingWindow", "Новая запись");
}  // namespace

void RecordingWindow::StartRecording(const std::string& journal) {
    fromStrap_ = host_.StrapDevice();
    if (!journal.empty())
        startJournal(journal);
    host_.PurgePort();  // beats from before the start are not part of this recording
    recorder_.Start(fromStrap_ ? kMaxRecordingBeats : kMaxBeats, host_.ClockNow());
    liveHRV_ = LiveScale(rec_->ScHRV);
    liveIB_ = LiveScale(rec_->ScIB);
    setTitle(kRecordingTitle);
    readyForPaint_ = true;
    Timer1->start();
    SB->hide();
    setAveragesVisible(false);
    update();
}

void RecordingWindow::Timer1Timer() {
    if (!rec_->RREventEnabled)
        return;
    const RecorderSettings settings = RecorderSettingsFrom(host_.setup());
    if (fromStrap_) {
        // A strap chosen away from while recording is silent to this recording.
        bool arrived = false;
        if (!host_.ReadStrap(strapUs_, arrived))
            strapUs_.clear();
        recorder_.TickExact(strapUs_.data(), strapUs_.size(), arrived, settings);
    } else {
        static std::array<uint8_t, kReceiveBufferBytes> buffer;  // one for all windows
        const size_t n = host_.ReadPort(buffer.data(), buffer.size());
        recorder_.Tick(buffer.data(), n, settings);
    }
    checkJournal();
}

void RecordingWindow::StopRecording() {
    Timer1->stop();
    recorder_.Stop(ToCoreSettings(host_.setup()));
}

void RecordingWindow::ShowLoadedRecording() {
    saved_ = true;
    rec_->BuildHisto(1, host_.setup().Sample);
    view_.HistoPoint = 1;
    readyForPaint_ = true;
    applyZoom();  // the scroll bar's range follows the recording's length
    setHistoTexts();
    setAverageTexts();
    setAveragesVisible(rec_->AveragesValid);
    refreshFlags();
    update();
}

void RecordingWindow::StatusTextChanged(const std::string& text) {
    SetLabel(L_Status, TrMessage(text));
}

void RecordingWindow::BeatCompleted(int n) {
    journalBeat(n);
    const Recording& r = *rec_;
    if (n > 2) {
        SetLabel(L_N, QString::number(n));
        SetLabel(L_SYM, QString::number(r.SYM));
        SetLabel(L_PAR, QString::number(r.PAR));
        SetLabel(L_SDNN, QString::number(r.SDNN));
        SetLabel(L_IB50, QString::number(r.IB50));
        setHistoTexts();
        if (r.at(kSerSPO, n) != 0)
            SetLabel(L_SPO, QString::number(r.at(kSerSPO, n)));
        SetLabel(L_RR, QString::number(r.at(kSerRR, n) * 10));
        // TotalTime leaves out the first two beats; the clock counts them.
        const bool clock = r.StartClockS != kNoClock;
        setTimeText(recorder_.TotalTime() + (clock ? r.at(kSerRR, 1) + r.at(kSerRR, 2) : 0));
        view_.HistoPoint = n;
        if (followScales(n))
            update();  // the scale's numbers and every curve under them
        const Rect& h = layout_.rHisto;
        update(QRect(h.Left - 6 * layout_.TW, h.Top, h.width() + 6 * layout_.TW,
                     h.height() + layout_.TH + 2));
        const Rect& g1 = layout_.rGr1;
        update(QRect(g1.Left, g1.Top - 2 * layout_.TW, g1.width(),
                     layout_.rGr2.Bottom - g1.Top + 2 * layout_.TW + 1));
    }
    const int follow = FollowXPos(layout_.rGr1.width(), r.CurrentFileLen, view_.XPos, view_.XMult,
                                  grid_.XGridStep, view_.XDiv);
    if (follow != view_.XPos) {
        view_.XPos = follow;
        update();
    }
}

bool RecordingWindow::followScales(int n) {
    Recording& r = *rec_;
    const CoreSettings cfg = ToCoreSettings(host_.setup());
    // The series SetScales fits the shared scale to at Stop, and IB once its window is full.
    int32_t hrv = 0;
    for (const int s : {kSerSYM, kSerPAR, kSerSDNN})
        if (cfg.Shown[static_cast<size_t>(s)])
            hrv = std::max<int32_t>(hrv, r.at(s, n));
    const int32_t scHRV = liveHRV_.Follow(ScaleRanges::HRV, r.ScHRV, hrv);
    const int32_t scIB =
        n > ClampSample(cfg.Sample) ? liveIB_.Follow(ScaleRanges::IB, r.ScIB, r.ibAt(n)) : r.ScIB;
    const bool changed = scHRV != r.ScHRV || scIB != r.ScIB;
    r.ScHRV = scHRV;
    r.ScIB = scIB;
    return changed;
}

void RecordingWindow::LimitReached(StopReason why) {
    host_.ShowLimitMessage(why, recorder_.maxBeats());
}

void RecordingWindow::Stopped() {
    Timer1->stop();
    setTitle(kNewRecordingTitle);
    SetLabel(L_Status, QString());
    view_.XPos = 0;
    view_.HistoPoint = 1;  // the histogram shown is that of beat 1
    setHistoTexts();
    setAverageTexts();
    applyZoom();
    SB->show();
    setAveragesVisible(host_.setup().Sample < rec_->CurrentFileLen);
    saved_ = rec_->beats() == 0;  // nothing to lose in an empty recording
    finishJournal();
    refreshFlags();
    update();
    host_.RecordingStopped();
}

void RecordingWindow::closeEvent(QCloseEvent* event) {
    // The host asks first; a refusal leaves a running recording running.
    if (!host_.MayClose(*this)) {
        event->ignore();
        return;
    }
    if (rec_->RREventEnabled)
        StopRecording();
    RemoveJournal();  // the host let it close: saved, or the user discarded it
    event->accept();
}

}  // namespace trivant
