// The grid of plotted panels: time lines through every panel with their numbers underneath,
// and value lines with the numbers of each scale beside them. Screen, paper and dialogs say
// where things land; the order of drawing is the same for all of them.
#pragma once

#include "rect.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <optional>
#include <vector>

class QPainter;

namespace trivant {

// A line's position and the number written at it.
struct GridMark {
    int at = 0;
    QString text;
};

// Vertical lines through every panel, each numbered 2 pixels under the last panel.
struct TimeLines {
    std::vector<Rect> panels;       // top to bottom
    std::vector<GridMark> marks;    // x of each line, left to right
    int numberShift = 0;            // the numbers begin this far left of their line
    QColor numberColor{Qt::black};  // set before each number
    std::optional<int> closingX;    // a last line from the first panel's top to the last's bottom
};

// One scale's numbers beside a panel's value lines, bottom up; lines above the last number
// go without.
struct ScaleNumbers {
    int x = 0;  // left edge of the numbers
    QColor color;
    std::vector<QString> texts;
    bool ownLine = false;  // the line is drawn again in the scale's colour before its number
};

// Value lines across a panel at ticks + 1 rows from its bottom to its top.
struct ValueLines {
    Rect panel;
    std::vector<ScaleNumbers> scales;  // in drawing order
};

struct GridPlacement {
    TimeLines time;
    std::vector<ValueLines> value;  // row by row: every panel's line before the next row
    int ticks = 5;                  // intervals between value lines
    int textHeight = 0;             // value numbers are centred on their line
    std::vector<QRect> keepClear;   // texts a value number may not cover: it is left out
};

// The time lines, then the value lines; lines in kGridColor, numbers on opaque cells.
void DrawGrid(QPainter& p, const GridPlacement& grid);

}  // namespace trivant
