// Painting of the report's second page, the standard measures, with QPainter on any paint
// device: the window, a QImage and the printer go through PaintStandardPage.
#pragma once

#include "standard_view.h"

#include <QColor>
#include <QString>

class QPainter;

namespace trivant {

struct StandardStyle {
    bool fillBackground = true;  // the window clears its page; paper is white already
    int dotRadius = 2;           // Poincaré points and artifact marks
    int traceWidth = 1;          // spectrum and rhythmogram lines
};
StandardStyle ScreenStandardStyle();
StandardStyle PaperStandardStyle(int tw);

// The colour that fills a band's columns under the spectrum line: its own colour
// lightened to a quarter on white, opaque.
QColor BandShade(const QColor& band);
inline const QColor kArtifactColor{Qt::red};     // flagged, measured as they are
inline const QColor kCorrectedColor{0, 0, 255};  // flagged, measured as corrected
inline const QColor kEllipseColor{0, 160, 0};    // the SD1/SD2 ellipse and its axes

// The page in the layout's rectangles, or the refusal and the rhythmogram when the measures
// were refused.
void PaintStandardPage(QPainter& p, const StandardPage& page, const StandardLayout& L,
                       const StandardStyle& style);

// The printed second page of pageW x pageH device pixels: the caption and the page's title
// on top, as on the first page, and the page below them.
void PaintStandardPaperPage(QPainter& p, const StandardPage& page, const QString& caption,
                            int pageW, int pageH);

// The area of the printed page below its title rows.
Rect StandardPaperArea(int pageW, int pageH, int th, int tw);

}  // namespace trivant
