// Painting of a recording window with QPainter on any paint device: the grid and scale
// numbers, the traces column by column, label marks, and the histogram panel. The printout
// draws its traces through the same code with another placement.
#pragma once

#include "graph_layout.h"
#include "paint_kit.h"
#include "recording.h"

#include <QColor>
#include <QRect>

#include <array>
#include <vector>

class QPainter;

namespace trivant {

struct Setup;
class EcgStripFeed;
struct FlaggedBeat;
struct EditedBeat;

// The application-wide trace settings as painting needs them.
struct TraceStyle {
    std::array<QColor, kSeriesCount> colors;
    std::array<bool, kSeriesCount> shown{};
    int lineWidth = 2;  // pixels
    int barWidth = 10;  // pixels per histogram class
    int sample = 100;   // beats in the histogram's window
};
TraceStyle TraceStyleFrom(const Setup& setup);

// What part of the recording a window shows: pixels per beat, the beat before the first
// column, and the beat whose histogram is shown.
struct ViewState {
    int XMult = 1, XPos = 0, HistoPoint = 0;
    bool AutoRR = false;    // the NN range fitted to the recording's intervals, not ScRR's row
    int XDiv = 1;           // beats per pixel column, above 1 only zoomed out (XMult is then 1)
    int Zoom = 1;           // the level chosen from kZoomLevels; XMult and XDiv follow from it
    bool TimeAxis = false;  // a row of times under the beat numbers
    XScale xScale() const { return {XMult, XDiv}; }
};

// Everything a paint reads.
struct GraphScene {
    const Recording* rec = nullptr;
    GraphLayout layout;
    TraceStyle style;
    ViewState view;
    EcgStripFeed* ecg = nullptr;  // the ECG record's samples, when the window has them
    const std::vector<FlaggedBeat>* flags = nullptr;  // beats to mark by kind, ascending
    const std::vector<EditedBeat>* edits = nullptr;   // beats the review changed, ascending
};

// Where and how traces land: on screen each column's segment runs from column p - 1 to p;
// on paper it is scaled by k, shifted one column right and drawn with a wider pen.
struct TracePlacement {
    Rect p1, p2;                        // panel of the NN and SpO2 traces, and of the indices
    int limitLeft = 0, limitRight = 0;  // columns are drawn while limitLeft + XMult p < limitRight
    double k = 1.0;                     // device pixels per screen pixel
    int segmentShift = 0;               // 1 on paper
    int penScale = 1;                   // 2 on paper
    int tw = 0, th = 0;                 // text metrics for the label numbers
    std::vector<QRect> keepClear;       // texts a label number may not cover: it is left out
    int legendRight = 0;  // where the flags' legend ends; 0: the upper panel's right edge
};
TracePlacement ScreenPlacement(const GraphLayout& layout);

// Grid, time and value numbers, and the comment.
void RedrawGraph(QPainter& p, const GraphScene& scene, const TimeGrid& grid);
// Every visible column of every shown trace, and the label marks.
void DrawSamples(QPainter& p, const GraphScene& scene, const TracePlacement& place);
// The histogram panel and the mark of the beats it covers; nothing while Moda is 0.
void PaintHisto(QPainter& p, const GraphScene& scene);
// The whole window, as FormPaint draws it.
void PaintGraph(QPainter& p, const GraphScene& scene, const TimeGrid& grid);
// Where the row of times lands: under the beat numbers on screen, the same scaled by k on
// paper.
struct TimeRow {
    int left = 0;     // the panels' left edge
    int columns = 0;  // screen columns shown
    int y = 0;        // the row's top
    int tw = 0;       // text width of "1" or "0"
    double k = 1.0;   // device pixels per screen pixel
};
TimeRow ScreenTimeRow(const GraphLayout& layout);
// The row of times (time_axis.cpp).
void DrawTimeAxis(QPainter& p, const GraphScene& scene, const TimeRow& row);

}  // namespace trivant
