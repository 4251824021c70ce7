// The recording's two forms, packed words and unpacked series, and the label operation.
#include "recording.h"

#include <algorithm>

namespace trivant {

const std::array<const char*, kSeriesCount> SeriesNames{"NN/10,мс", "SpO2,%", "СИМ,ед", "ПАР,ед",
                                                        "SDNN",     "ИБ",     "ИБ_Lo",  "lbl"};

namespace {
// Label ordinals are bytes; past the 255th they stay at 255 so no label turns into 0.
uint8_t labelOrdinal(int32_t n) {
    return static_cast<uint8_t>(std::clamp(n, 0, 255));
}
}  // namespace

Recording::Recording() : DataBuf(kCapacity + 1, 0) {
    for (auto& s : DataSeries)
        s.assign(kCapacity + 1, 0);
}

void Recording::Reserve(int positions) {
    positions = std::min(positions, kMaxRecordingBeats + 1);
    if (positions <= capacity())
        return;
    // Geometric growth, so a strap recording beat by beat copies each beat a few times only.
    const size_t size = static_cast<size_t>(std::max(positions, capacity() + capacity() / 2)) + 1;
    const size_t cap = std::min(size, static_cast<size_t>(kMaxRecordingBeats) + 2);
    DataBuf.resize(cap, 0);
    for (auto& s : DataSeries)
        s.resize(cap, 0);
}

int64_t Recording::intervalUs(int k) const {
    if (k >= 1 && static_cast<size_t>(k) < ExactUs.size())
        return ExactUs[static_cast<size_t>(k)];
    return int64_t{DataSeries[kSerRR][k]} * 10000;
}

int Recording::labelSpO2(int k) const {
    const bool kept = k >= 1 && static_cast<size_t>(k) < LabelSpO2.size() &&
                      LabelSpO2[static_cast<size_t>(k)] != kLabelMark;
    return kept ? LabelSpO2[static_cast<size_t>(k)] : -1;
}

const std::string& Recording::labelName(int k) const {
    static const std::string none;
    const auto it = LabelNames.find(k);
    return it == LabelNames.end() ? none : it->second;
}

int Recording::RoundedIntervals() const {
    int n = 0;
    const int last = std::min<int>(beats(), static_cast<int>(ExactUs.size()) - 1);
    for (int k = 1; k <= last; ++k)
        n += ExactUs[static_cast<size_t>(k)] != int64_t{sampleRR(DataBuf[k])} * 10000;
    return n;
}

bool Recording::HasSpO2() const {
    const auto& spo = DataSeries[kSerSPO];
    const int last = std::min(beats(), capacity());
    const auto some = [](uint8_t v) { return v != 0 && v != kLabelMark; };
    return std::any_of(spo.begin() + 1, spo.begin() + 1 + last, some) ||
           std::any_of(LabelSpO2.begin(), LabelSpO2.end(), some);
}

void Recording::Label() {
    if (CurrentFileLen < 1 || CurrentFileLen > capacity())
        return;
    ++LabNum;
    DataSeries[kSerLbl][CurrentFileLen] = labelOrdinal(LabNum);
    DataSeries[kSerSPO][CurrentFileLen] = kLabelMark;
}

void Recording::Pack() {
    if (CurrentFileLen <= 2)
        return;
    const int last = std::min(CurrentFileLen, capacity());
    LabelSpO2.clear();
    // The slot being filled is packed too, so a pending label is not lost.
    for (int k = 1; k <= last; ++k) {
        const uint8_t spo = DataSeries[kSerSPO][k];
        if (DataSeries[kSerLbl][k] != 0 && k < CurrentFileLen && spo != kLabelMark) {
            // The frame's SpO2 overwrote the pending label's mark: the beat has both.
            LabelSpO2.resize(static_cast<size_t>(CurrentFileLen), kLabelMark);
            LabelSpO2[static_cast<size_t>(k)] = spo;
        }
        if (DataSeries[kSerLbl][k] != 0)
            DataSeries[kSerSPO][k] = kLabelMark;
        DataBuf[k] = packSample(DataSeries[kSerRR][k], DataSeries[kSerSPO][k]);
    }
}

void Recording::Unpack() {
    const int last = std::min(CurrentFileLen - 1, capacity());
    for (int k = 1; k <= last; ++k) {
        const SampleWord w = DataBuf[k];
        DataSeries[kSerRR][k] = sampleRR(w);
        if (sampleIsLabel(w)) {
            ++LabNum;
            DataSeries[kSerLbl][k] = labelOrdinal(LabNum);
            // A labelled beat shows the SpO2 of the beat before; position 0 holds 0.
            DataSeries[kSerSPO][k] = DataSeries[kSerSPO][k - 1];
        } else {
            DataSeries[kSerSPO][k] = sampleLow(w);
        }
    }
}

}  // namespace trivant
