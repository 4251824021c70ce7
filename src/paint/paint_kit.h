// What every drawn view shares: text on an opaque cell, the grid's colour, colours from the
// settings, and a widget rendered into an image.
#pragma once

#include <QColor>

#include <cstdint>

class QImage;
class QPainter;
class QString;
class QWidget;

namespace trivant {

// The colour of grid lines on screen and paper.
inline const QColor kGridColor{128, 128, 128};

QColor ColorFromBgr(int32_t bgr);  // the settings keep colours as 0x00BBGGRR

// Text by its top-left corner on an opaque white cell, as every text of the windows.
void TextAt(QPainter& p, int x, int y, const QString& text);

// A widget and its children drawn into an image of its size, on white.
QImage RenderToImage(QWidget& widget);

}  // namespace trivant
