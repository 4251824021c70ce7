// The axes of a plot on the report's pages and in the trend: grid lines, numbers, title
// and units around its rectangle, with QPainter on any paint device.
#pragma once

#include "rect.h"
#include "standard_view.h"

#include <QColor>
#include <QString>

#include <functional>

class QPainter;

namespace trivant {

// Texts in the "StandardPage" context (QT_TRANSLATE_NOOP), translated when drawn.
struct AxisText {
    const char *title, *unitY, *unitX;
    const char* legend = nullptr;  // at the title row's right end, in legendColor
    QColor legendColor = Qt::black;
    // The text of an x value in place of its number (the trend's clock times); empty: numbers.
    std::function<QString(double)> xNumber = {};
};

// "0,05": a number with the decimal sign of the page-one axes.
QString AxisNumber(double v, int decimals);

// The grid of the plot in r through the painting kit (x and y its ranges), its value
// numbers left of it, its title and y unit above, its x numbers and unit below; tw and th
// are a digit's width and a text line's height.
void DrawPlotAxes(QPainter& p, const Rect& r, const ValueRange& x, const ValueRange& y,
                  int xDecimals, const AxisText& text, int tw, int th);

}  // namespace trivant
