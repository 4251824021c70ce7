// Beats from the frame decoder into the recording, beat completion, limits and the end of
// a recording.
#include "recorder.h"

#include "tr_noop.h"

#include <algorithm>

namespace trivant {

const std::array<const char*, kStatusCodes> kStatusTexts{
    "",
    QT_TRANSLATE_NOOP("Messages", "Нет датчика"),
    QT_TRANSLATE_NOOP("Messages", "Нет пациента"),
    QT_TRANSLATE_NOOP("Messages", "Нет пульса"),
    QT_TRANSLATE_NOOP("Messages", "Ограничение"),
    QT_TRANSLATE_NOOP("Messages", "Отказ датчика")};

const char* const kCapacityMessage =
    QT_TRANSLATE_NOOP("Messages", "Максимальное количество RR-интервалов в одном фрагменте : ");
const char* const kFiveMinutesMessage =
    QT_TRANSLATE_NOOP("Messages", "Запись 5-минутного фрагмента завершена");
const char* const kNoConnectionMessage = QT_TRANSLATE_NOOP("Messages", "Нет связи с прибором");

void Recorder::Start(int maxBeats, int64_t startClockS) {
    maxBeats_ = std::clamp(maxBeats, 1, kMaxRecordingBeats);
    rec_.CurrentFileLen = 1;
    rec_.Comment.clear();
    rec_.StartClockS = startClockS;
    rec_.ExactUs.clear();
    rec_.LabelSpO2.clear();
    rec_.RREventEnabled = true;
    totalTime_ = 0;
    connectTimeout_ = 0;
    decoder_.Restart();
    started_ = true;
    stopped_ = false;
}

void Recorder::Tick(const uint8_t* bytes, size_t count, const RecorderSettings& s) {
    if (!rec_.RREventEnabled || !heard(count > 0, s.core))
        return;
    // Bytes after a limit stopped the recording are dropped with the rest of the read.
    for (size_t i = 0; i < count && rec_.RREventEnabled; ++i)
        apply(decoder_.Feed(bytes[i]), s);
}

void Recorder::TickExact(const int32_t* us, size_t count, bool arrived, const RecorderSettings& s) {
    if (!rec_.RREventEnabled || !heard(arrived, s.core))
        return;
    for (size_t i = 0; i < count && rec_.RREventEnabled; ++i) {
        const int n = rec_.CurrentFileLen;
        if (n < 1 || n > maxBeats_)
            return;
        rec_.Reserve(n + 1);
        const int rr10 = RoundUsTo10Ms(us[i]);  // as a list's is
        if (rr10 <= 0)
            continue;  // no 10 ms value: the decoder has counted it already
        rec_.DataSeries[kSerRR][n] = static_cast<uint8_t>(rr10);
        rec_.ExactUs.resize(static_cast<size_t>(n) + 1, 0);
        rec_.ExactUs[static_cast<size_t>(n)] = us[i];
        completeBeat(0, s);  // a strap has no SpO2
    }
}

bool Recorder::heard(bool arrived, const CoreSettings& core) {
    if (arrived) {
        connectTimeout_ = 0;
        return true;
    }
    if (++connectTimeout_ == kSilentTickLimit)
        stopFor(StopReason::Silence, core);
    return false;
}

void Recorder::apply(const FrameEvent& e, const RecorderSettings& s) {
    switch (e.kind) {
    case FrameEvent::Status:
        events_.StatusTextChanged(kStatusTexts[e.code]);
        return;
    case FrameEvent::RR:
        storeRR(e.rr, s);
        return;
    case FrameEvent::Beat:
        completeBeat(e.spo, s);
        return;
    case FrameEvent::None:
    case FrameEvent::Skipped:
        return;
    }
}

// The RR byte goes into the slot being filled as soon as it arrives: a stop before the SpO2
// byte packs that slot with it, and a saved file keeps it.
void Recorder::storeRR(uint8_t rr, const RecorderSettings& s) {
    if (rec_.CurrentFileLen > rec_.capacity())
        return;
    // The older model counts in 8 ms units; stored RR is always in 10 ms units.
    rec_.DataSeries[kSerRR][rec_.CurrentFileLen] =
        s.RRUnit == 10 ? rr : static_cast<uint8_t>(rr * 8 / 10);
}

void Recorder::completeBeat(uint8_t spoByte, const RecorderSettings& s) {
    const int n = rec_.CurrentFileLen;
    if (n < 1 || n > maxBeats_)
        return;
    // Overwrites a pending label mark; the label itself is kept in series 8.
    rec_.DataSeries[kSerSPO][n] = spoByte < kSpoOffset ? 0 : spoByte - kSpoOffset;
    if (n > 2) {  // the first two beats are stored without indices or time
        rec_.CalcIndices(n, s.core);
        totalTime_ += rec_.DataSeries[kSerRR][n];
    }
    rec_.CurrentFileLen = n + 1;
    events_.BeatCompleted(n);
    if (rec_.CurrentFileLen > maxBeats_)
        stopFor(StopReason::Capacity, s.core);
    else if (s.AutoStop && totalTime_ > kFiveMinuteTime)
        stopFor(StopReason::FiveMinutes, s.core);
}

void Recorder::stopFor(StopReason why, const CoreSettings& core) {
    rec_.RREventEnabled = false;  // ticks during the message do nothing
    events_.LimitReached(why);
    Stop(core);
}

void Recorder::Stop(const CoreSettings& core) {
    if (!started_ || stopped_)
        return;
    stopped_ = true;
    rec_.RREventEnabled = false;
    if (rec_.CurrentFileLen > 2)
        rec_.Pack();
    rec_.LabNum = 0;
    rec_.PrepareData(core);
    rec_.BuildHisto(1, core.Sample);
    events_.Stopped();
}

}  // namespace trivant
