// A curve over time with its scales: value numbers left of it, time numbers under it, grid
// lines through it. The training window and its printed page draw their curves with it.
#pragma once

#include "training_geometry.h"

#include <QColor>
#include <QPointF>
#include <QString>

#include <vector>

class QFontMetrics;
class QPainter;

namespace trivant {

inline const QColor kHeartColor{200, 40, 40}, kCoherenceColor{Qt::darkGreen};

struct CurvePanel {
    QRect area;                   // the plot; the numbers go outside it
    std::vector<QPointF> points;  // (time s, value)
    double t0 = 0, t1 = 1;        // the time across the area
    double fromS = 0;             // the time the time numbers count from
    ValueScale scale;             // its numbers have the decimals its step needs
    QColor color;
    int penWidth = 1;
    QString caption;  // at the plot's top left
};

// The width of value numbers left of a plot, and the lines a plot of height holds.
int ScaleNumbersWidth(const QFontMetrics& fm);
int ValueTicksFor(int height, const QFontMetrics& fm);
int TimeMarksFor(int width, const QFontMetrics& fm);

// Grid and numbers, frame, curve and caption, over whatever is already drawn in the area.
void PaintCurvePanel(QPainter& p, const CurvePanel& c);

}  // namespace trivant
