// Painting of the fragment report with QPainter on any paint device. The window, a QImage
// and the printer go through PaintReport; where paper differs, ReportStyle says how.
#pragma once

#include "report_view.h"

#include <QColor>
#include <QRect>
#include <QString>

class QPainter;

namespace trivant {

// The colours of the spectral bands on both pages.
inline const QColor kVLF{0, 0, 128};
inline const QColor kLF{0, 0, 255};
inline const QColor kHF{0, 128, 128};

struct ReportStyle {
    int specMaxStep = kScreenSpecMaxStep;
    bool fillBackground = true;  // the window clears its client area; paper is white already
    bool separators = true;      // lines between the bands and columns of the window
    int scatterRadius = 0;       // 0: 2-pixel dots; otherwise filled circles of this radius
    bool dottedComponentGrid = false;
    int textIndentTW = 1;           // a text block's names start this many digit widths in
    int textFirstRowTH = -1;        // and its first line this many text rows below its top
    bool printedTimeBlock = false;  // no "IB" line, an empty line before "Moda"
};
ReportStyle ScreenReportStyle();
ReportStyle PaperReportStyle();

// The whole report in the layout's rectangles; returns the view buffers it drew from.
ReportView PaintReport(QPainter& p, const FragmentReport& r, const ReportLayout& layout,
                       const ReportStyle& style);

// The printed page of pageW x pageH device pixels: caption, comment and the report, with
// the metrics of the painter's font.
void PaintReportPage(QPainter& p, const FragmentReport& r, const QString& caption,
                     const QString& comment, int pageW, int pageH, bool landscape);

// The pixels Left .. Right - 1 and Top .. Bottom - 1 of r.
QRect ToQRect(const Rect& r);
// A one-pixel frame on the border of ToQRect(r), in the current pen.
void Outline(QPainter& p, const Rect& r);

}  // namespace trivant
