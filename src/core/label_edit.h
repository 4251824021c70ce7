// Labels put on and taken off a finished recording, as the recording window's menu and
// trivant-cli label do. A labelled beat's word holds the label mark in place of its SpO2,
// which LabelSpO2 then keeps, so taking the label off gives the SpO2 back.
#pragma once

#include "recording.h"

#include <cstdint>
#include <string>

namespace trivant {

// A name as a label keeps it: control characters (line ends, tabs) made spaces, the spaces
// at either end dropped. "0" and "1", which a CSV's label column reads as no label and an
// unnamed one, give an empty name.
std::string LabelNameText(const std::string& name);

// Puts a label named name (through LabelNameText; empty for none) on beat k (1..beats) of
// a prepared recording, or names the one there; with on false takes the label and its name
// off. False, changing nothing, when k is no beat, the recording grows, the beat is already
// so, or an unnamed label is put where one is. The caller prepares the recording again
// (PrepareLabels, or PrepareData), which renumbers the labels from 1.
bool SetLabel(Recording& rec, int k, bool on, const std::string& name = {});

// What SetLabel changes at one beat, to give it back exactly (an undo).
struct BeatLabelState {
    int beat = 0;
    SampleWord word = 0;
    uint8_t labelSpO2 = kLabelMark;  // LabelSpO2 at the beat, kLabelMark for none
    std::string name;
};
BeatLabelState SaveLabelState(const Recording& rec, int k);
// Puts back what SaveLabelState saw; the caller prepares again, as after SetLabel.
void RestoreLabelState(Recording& rec, const BeatLabelState& state);

// The beat whose interval holds time us from the start: beat 1 begins at 0, beat k where
// beat k - 1 ends, and the interval holds its beginning but not its end (exact intervals
// where the recording has them). 0 when us is negative or at or after the last beat's end.
int BeatAtUs(const Recording& rec, int64_t us);

// While recording: labels the beat being filled as Label() does and names it (through
// LabelNameText), a later name replacing an earlier one on the same beat. False when the
// recording has no slot left.
bool PutLiveLabel(Recording& rec, const std::string& name);

}  // namespace trivant
