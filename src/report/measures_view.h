// What the windows of whole-recording measures offer the main window: their rows as CSV
// and a printed page.
#pragma once

#include <string>

class QPagedPaintDevice;

namespace trivant {

class MeasuresView {
public:
    virtual ~MeasuresView() = default;
    // The rows as trivant-cli writes them for this recording.
    virtual std::string MeasuresCsv() const = 0;
    // One page on device, oriented as asked; false when the device cannot be painted on.
    virtual bool MyPrint(QPagedPaintDevice& device, bool landscape) = 0;
};

}  // namespace trivant
