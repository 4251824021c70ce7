// What the windows of whole-recording measures offer the main window: their rows as CSV
// and a printed page.
#pragma once

#include "rect.h"

#include <QString>

#include <optional>
#include <string>

class QPagedPaintDevice;
class QPainter;

namespace trivant {

class MeasuresView {
public:
    virtual ~MeasuresView() = default;
    // The rows as trivant-cli writes them for this recording.
    virtual std::string MeasuresCsv() const = 0;
    // One page on device, oriented as asked; false when the device cannot be painted on.
    virtual bool MyPrint(QPagedPaintDevice& device, bool landscape) = 0;
};

// A page begun on device for such a window: turned as asked, the text in the share of the
// page the report's pages give it, the caption on top. Its digit width, line height and the
// area below the caption; nothing when the device cannot be painted on.
struct MeasuresPage {
    int tw = 0, th = 0;
    Rect area;
};
std::optional<MeasuresPage> BeginMeasuresPage(QPainter& p, QPagedPaintDevice& device,
                                              bool landscape, const QString& caption);

}  // namespace trivant
