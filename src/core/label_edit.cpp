// Label edits on a finished recording's packed words, its SpO2 beside labels and its names.
#include "label_edit.h"

#include <algorithm>

namespace trivant {

namespace {

bool isBeat(const Recording& rec, int k) {
    return !rec.RREventEnabled && k >= 1 && k <= std::min(rec.beats(), rec.capacity() - 1);
}

// LabelSpO2 holds positions 0..beats once any beat keeps an SpO2 beside its label.
void keepLabelSpO2(Recording& rec, int k, uint8_t spo) {
    const size_t need = static_cast<size_t>(rec.CurrentFileLen);
    if (rec.LabelSpO2.size() < need)
        rec.LabelSpO2.resize(need, kLabelMark);
    rec.LabelSpO2[static_cast<size_t>(k)] = spo;
}

void setName(Recording& rec, int k, const std::string& name) {
    if (name.empty())
        rec.LabelNames.erase(k);
    else
        rec.LabelNames[k] = name;
}

}  // namespace

std::string LabelNameText(const std::string& name) {
    std::string out = name;
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
    const auto first = out.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    out = out.substr(first, out.find_last_not_of(' ') - first + 1);
    return out == "0" || out == "1" ? std::string() : out;
}

bool SetLabel(Recording& rec, int k, bool on, const std::string& name) {
    if (!isBeat(rec, k))
        return false;
    const SampleWord w = rec.DataBuf[static_cast<size_t>(k)];
    const std::string named = on ? LabelNameText(name) : std::string();
    // An unnamed label put where one is leaves that one and its name.
    if (sampleIsLabel(w) == on && (rec.labelName(k) == named || (on && named.empty())))
        return false;
    if (on && !sampleIsLabel(w)) {
        // The beat's own SpO2 stays beside the label; 0 where the recording has none at all.
        if (sampleLow(w) != 0 || rec.HasSpO2())
            keepLabelSpO2(rec, k, sampleLow(w));
        rec.DataBuf[static_cast<size_t>(k)] = packSample(sampleRR(w), kLabelMark);
    } else if (!on) {
        // Without an SpO2 of its own the beat keeps the one it showed: that of the beat before.
        const int own = rec.labelSpO2(k);
        const uint8_t spo = own >= 0 ? static_cast<uint8_t>(own) : rec.at(kSerSPO, k);
        if (static_cast<size_t>(k) < rec.LabelSpO2.size())
            rec.LabelSpO2[static_cast<size_t>(k)] = kLabelMark;
        rec.DataBuf[static_cast<size_t>(k)] = packSample(sampleRR(w), spo);
    }
    setName(rec, k, named);
    return true;
}

BeatLabelState SaveLabelState(const Recording& rec, int k) {
    BeatLabelState s;
    s.beat = k;
    if (k < 1 || k > rec.capacity())
        return s;
    s.word = rec.DataBuf[static_cast<size_t>(k)];
    if (static_cast<size_t>(k) < rec.LabelSpO2.size())
        s.labelSpO2 = rec.LabelSpO2[static_cast<size_t>(k)];
    s.name = rec.labelName(k);
    return s;
}

void RestoreLabelState(Recording& rec, const BeatLabelState& state) {
    const int k = state.beat;
    if (!isBeat(rec, k))
        return;
    rec.DataBuf[static_cast<size_t>(k)] = state.word;
    if (state.labelSpO2 != kLabelMark || static_cast<size_t>(k) < rec.LabelSpO2.size())
        keepLabelSpO2(rec, k, state.labelSpO2);
    setName(rec, k, state.name);
}

int BeatAtUs(const Recording& rec, int64_t us) {
    if (us < 0)
        return 0;
    int64_t end = 0;
    const int last = std::min(rec.beats(), rec.capacity() - 1);
    for (int k = 1; k <= last; ++k) {
        end += rec.intervalUs(k);
        if (us < end)
            return k;
    }
    return 0;
}

bool PutLiveLabel(Recording& rec, const std::string& name) {
    const int k = rec.CurrentFileLen;
    if (k < 1 || k > rec.capacity())
        return false;
    // One mark per beat: a second label on it only renames it, so the count stays right.
    if (rec.DataSeries[kSerLbl][static_cast<size_t>(k)] == 0)
        rec.Label();
    setName(rec, k, LabelNameText(name));
    return true;
}

}  // namespace trivant
