// The beats a review changed, as the window shows them after an edit or after reopening a
// saved one: a neutral ring on the rhythmogram, an outlined R mark and a grey cross where a
// deleted beat was on the ECG strip, and rows of the review panel.
#pragma once

#include "recording.h"

#include <QColor>
#include <QString>

#include <vector>

namespace trivant {

struct EditedBeat {
    int beat = 0;                    // 1-based, the row of the reviewed series
    BeatEdit edit = BeatEdit::None;  // its own edit
    int deleted = 0;                 // deleted beats kept in front of it
};

// Every beat edited or with deleted beats before it, ascending.
std::vector<EditedBeat> EditedBeatList(const Recording& rec);

// One colour for every edit, apart from the artifact kinds and the default traces.
QColor EditMarkColor();
// The legend's name of the edit mark, translated.
QString EditMarkText();
// What was done to the beat ("вставлен", "удалён перед ним", ...), translated.
QString EditedBeatText(const EditedBeat& e);

constexpr int kEditRingRadius = 7;  // screen pixels, outside a flag's dot

}  // namespace trivant
