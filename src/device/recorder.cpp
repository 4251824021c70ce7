// Frame state machine, beat completion, limits and the end of a recording.
#include "recorder.h"

#include "setup.h"

namespace trivant {

const std::array<const char*, kStatusCodes> kStatusTexts{
    "", "Нет датчика", "Нет пациента", "Нет пульса", "Ограничение", "Отказ датчика"};

const char* const kCapacityMessage = "Максимальное количество RR-интервалов в одном фрагменте : ";
const char* const kFiveMinutesMessage = "Запись 5-минутного фрагмента завершена";
const char* const kNoConnectionMessage = "Нет связи с прибором";

RecorderSettings RecorderSettingsFrom(const Setup& setup) {
    return {ToCoreSettings(setup), RRUnit(setup), setup.AutoStop};
}

void Recorder::Start() {
    rec_.CurrentFileLen = 1;
    rec_.Comment.clear();
    rec_.RREventEnabled = true;
    TotalTime = 0;
    ConnectTimeout = 0;
    ByteNum = 0;
    started_ = true;
    stopped_ = false;
}

void Recorder::Tick(const uint8_t* bytes, size_t count, const RecorderSettings& s) {
    if (!rec_.RREventEnabled)
        return;
    if (count == 0) {
        if (++ConnectTimeout == kSilentTickLimit)
            stopFor(StopReason::Silence, s.core);
        return;
    }
    ConnectTimeout = 0;
    // Bytes after a limit stopped the recording are dropped with the rest of the read.
    for (size_t i = 0; i < count && rec_.RREventEnabled; ++i)
        feed(bytes[i], s);
}

void Recorder::feed(uint8_t b, const RecorderSettings& s) {
    switch (ByteNum) {
    case 0:
        if (b >= kStatusCodes)
            return;  // not a frame start
        ByteNum = 1;
        ElStatus = b;
        events_.StatusTextChanged(kStatusTexts[b]);
        return;
    case 1:
        ByteNum = 2;
        // The older model counts in 8 ms units; stored RR is always in 10 ms units.
        if (ElStatus == 0 && rec_.CurrentFileLen <= kCapacity)
            rec_.DataSeries[kSerRR][rec_.CurrentFileLen] =
                s.RRUnit == 10 ? b : static_cast<uint8_t>(b * 8 / 10);
        return;
    default:
        ByteNum = 0;
        if (ElStatus == 0)
            completeBeat(b, s);
    }
}

void Recorder::completeBeat(uint8_t spoByte, const RecorderSettings& s) {
    const int n = rec_.CurrentFileLen;
    if (n < 1 || n > kMaxBeats)
        return;
    // Overwrites a pending label mark; the label itself is kept in series 8.
    rec_.DataSeries[kSerSPO][n] = spoByte < kSpoOffset ? 0 : spoByte - kSpoOffset;
    if (n > 2) {  // the first two beats are stored without indices or time
        rec_.CalcIndices(n, s.core);
        TotalTime += rec_.DataSeries[kSerRR][n];
    }
    rec_.CurrentFileLen = n + 1;
    events_.BeatCompleted(n);
    if (rec_.CurrentFileLen > kMaxBeats)
        stopFor(StopReason::Capacity, s.core);
    else if (s.AutoStop && TotalTime > kFiveMinuteTime)
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

int FollowXPos(int width, int currentFileLen, int xPos, int xMult, int gridStep) {
    if (xMult <= 0 || gridStep <= 0)
        return xPos;
    if (width >= (currentFileLen - xPos) * xMult + gridStep)
        return xPos;
    return xPos + (width / gridStep * gridStep) / xMult - gridStep / xMult;
}

}  // namespace trivant
