// Painting of the ECG strip on any paint device: millimetre paper, the 1 mV calibration
// pulse, the trace, each beat's R mark and the caption. The window and the printed page both
// draw it through PaintEcgStrip, the page with a wider pen.
#pragma once

#include "ecg_strip_layout.h"
#include "graph_paint.h"

#include <QColor>
#include <QString>

#include <cstdint>
#include <vector>

class QPainter;

namespace trivant {

// The R mark's height; a flagged beat's square of the same size lies under it.
constexpr double kEcgMarkMm = 2;

struct EcgStripStyle {
    int penScale = 1;  // 2 on paper
    QColor trace{Qt::black};
    QColor mark{0, 0, 160};    // R marks
    QColor selected{Qt::red};  // the R mark of the beat the strip is centred on
};

// What one strip shows.
struct EcgStripData {
    const float* mv = nullptr;  // samples from the layout's first on
    int64_t n = 0;
    std::vector<int64_t> beats;    // R peak samples in view
    std::vector<QColor> flagged;   // beside beats: the kind's colour of a flagged one, else invalid
    std::vector<bool> edited;      // beside beats: interpolated, inserted or moved, drawn outlined
    std::vector<int64_t> deleted;  // samples of deleted beats in view, a grey cross each
    int64_t selected = -1;         // the centre beat's R peak
    QString caption;
};

void DrawEcgStrip(QPainter& p, const EcgStripLayout& L, const EcgStripData& d,
                  const EcgStripStyle& st);

// The beat the strip centres on: the selected one while it is among the columns shown,
// else the middle beat of them.
int EcgCentreBeat(const GraphScene& sc, int columns);

// The layout PaintEcgStrip gives the strip in area, with captionH pixels for the caption, and
// the beat it is centred on; false without a feed or beat samples.
bool SceneEcgStripLayout(const GraphScene& sc, const Rect& area, double dpi, int columns,
                         int captionH, EcgStripLayout& out, int& centreBeat);

// The strip of the scene's recording in area, at dpi dots per inch (the window's or the
// printer's): laid out around the centre beat, read from the scene's feed and drawn.
// Nothing without a feed.
void PaintEcgStrip(QPainter& p, const GraphScene& sc, const Rect& area, double dpi, int columns,
                   const EcgStripStyle& st);

}  // namespace trivant
