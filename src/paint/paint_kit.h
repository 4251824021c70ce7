// What every drawn view shares: text on an opaque cell, the grid's colour, colours from the
// settings, and a widget rendered into an image.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>

#include <cstdint>
#include <vector>

class QImage;
class QPainter;
class QWidget;

namespace trivant {

// The colour of grid lines on screen and paper.
inline const QColor kGridColor{128, 128, 128};

QColor ColorFromBgr(int32_t bgr);  // the settings keep colours as 0x00BBGGRR

// Text by its top-left corner on an opaque white cell, as every text of the windows.
void TextAt(QPainter& p, int x, int y, const QString& text);

// The cell TextAt paints for text at (x, y) in the painter's font, in device pixels.
QRect TextCell(const QPainter& p, int x, int y, const QString& text);

// Whether cell meets any of others: a text that would cover one of them is moved or left out.
bool CoversAny(const QRect& cell, const std::vector<QRect>& others);

// While one lives, TextAt on its thread records the cell of every non-empty text it draws,
// so that a check can tell whether texts cover one another.
class TextCollector {
public:
    struct Entry {
        QRect cell;
        QString text;
    };
    TextCollector();
    ~TextCollector();
    TextCollector(const TextCollector&) = delete;
    TextCollector& operator=(const TextCollector&) = delete;

    void add(const QRect& cell, const QString& text) { entries_.push_back({cell, text}); }
    const std::vector<Entry>& entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
    TextCollector* outer_;
};

// A widget and its children drawn into an image of its size, on white.
QImage RenderToImage(QWidget& widget);

}  // namespace trivant
