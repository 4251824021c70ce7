// The flagged beats as the window draws them: a colour per kind, the marks on the upper
// panel's NN trace and the legend that names the kinds shown. Screen and paper draw them
// through DrawBeatMarks with the trace placement, so the printout follows the window.
#pragma once

#include "beat_review.h"
#include "edited_beats.h"
#include "graph_paint.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <functional>

#include <vector>

class QPainter;

namespace trivant {

// The kinds in the legend's order; Normal stands for a flag of the threshold method.
constexpr BeatClass kMarkedKinds[] = {BeatClass::Ectopic, BeatClass::Long,  BeatClass::Short,
                                      BeatClass::Missed,  BeatClass::Extra, BeatClass::Normal};

QColor BeatMarkColor(BeatClass kind);
// The kind's name as the window shows it ("эктопический", ..., "порог"), translated.
QString BeatKindText(BeatClass kind);

constexpr int kBeatMarkRadius = 4;  // screen pixels; scaled by the placement's k on paper

// Where flagged or edited beat k's mark is centred: its column and its NN in the upper panel; false
// when the beat lies outside the columns shown.
bool BeatMarkCentre(const GraphScene& sc, const TracePlacement& pl, int k, QPoint& centre);

// One row of the legend: a swatch and the kind's name right of it; the edit mark's last.
struct LegendItem {
    BeatClass kind = BeatClass::Normal;
    bool edit = false;  // the ring of edited beats, not a kind
    QRect swatch;
    QPoint text;  // top-left of the name
};
// The legend of the kinds among flags, and of the edit mark when edits, in one row in the
// bottom right corner of room (the upper panel's visible part); textWidth gives a name's
// width. Empty without either.
std::vector<LegendItem> BeatLegendLayout(const std::vector<FlaggedBeat>& flags, const Rect& room,
                                         int th, int tw,
                                         const std::function<int(const QString&)>& textWidth,
                                         bool edits = false);
QString LegendText(const LegendItem& item);

// The marks of the scene's flagged beats, dots, and of its edited beats, rings round them:
// under the traces, which stay whole over them.
void DrawBeatMarks(QPainter& p, const GraphScene& sc, const TracePlacement& pl);
// The legend, over the traces.
void DrawBeatLegend(QPainter& p, const GraphScene& sc, const TracePlacement& pl);

}  // namespace trivant
