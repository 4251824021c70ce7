// Geometry of a recording window, computed from its client size and font metrics alone,
// and the transforms between samples, values and pixels that painting and clicks share.
#pragma once

#include "rect.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace trivant {

constexpr int kScrollBarHeight = 16;
constexpr int kValueGridTicks = 5;   // intervals of the value grid in each panel
constexpr int kScrollRange = 32000;  // scroll bar positions, in pixels at the current zoom

struct GraphLayout {
    int CW = 0, CH = 0;  // client size
    int TH = 0, TW = 0;  // height and width of "1" in the window's font
    int XAxY = 0;        // left axis margin; both panels start here
    int GrTop = 0, GrBot = 0;
    Rect rAxX, rGr1, rGr2, rAxY1, rAxY1_1, rAxY1_2, rAxY2_1, rAxY2_2, rHisto;
    Rect sb;  // the scroll bar SB
    // Left edges of the label columns; rows are multiples of TH.
    int namesX = 0, valuesX = 0, aversX = 0, averHeadX = 0, histoNamesX = 0, histoValuesX = 0;
    int markRow() const { return rGr1.Bottom + 3; }  // the histogram's window mark
};

// outerW is the window's outer width: the panels reach it and are clipped by the client.
// timeRows more rows of text under the beat numbers hold the time axis.
GraphLayout ComputeGraphLayout(int clientW, int clientH, int outerW, int th, int tw,
                               int sbHeight = kScrollBarHeight, int timeRows = 0);

// The horizontal scale: mult pixels per beat (1, 2, 4) with div 1, or, zoomed out, div beats
// per pixel column with mult 1. Column p of the view holds beats XPos + (p - 1) div + 1 ..
// XPos + p div, so at div 1 it is beat XPos + p as ever.
struct XScale {
    int mult = 1, div = 1;
    // The column offset of the beat n beats after the view's start (negative before it).
    int64_t toPixels(int64_t beats) const {
        return div > 1 ? (beats >= 0 ? (beats + div - 1) / div : beats / div) : beats * mult;
    }
    // The beats that px pixels span, truncated.
    int64_t toBeats(int64_t px) const { return div > 1 ? px * div : px / mult; }
};

// Zoom levels as the menus list them: pixels per beat (1, 2, 4), beats per pixel column as
// negatives (-2 is 1/2), and kZoomWhole, which fits the recording into the panel's width.
constexpr int kZoomWhole = 0;
constexpr std::array<int, 11> kZoomLevels{1, 2, 4, -2, -4, -8, -16, -32, -64, -128, kZoomWhole};
// The scale of a level for a recording of beats beats and a panel of columns visible columns.
XScale ZoomScale(int level, int beats, int columns);

// Scroll bar positions: kScrollRange pixels for a recording the .rr format holds, whatever the
// scale; a longer one gets every column it has at this scale.
int ScrollRange(int beats, const XScale& scale);

// The sample under x: (x - XAxY) div XMult + XPos.
int ColumnToSample(int x, int xAxY, int xMult, int xPos);
// The beats of the column under x, first and last (not checked against the recording).
std::pair<int, int> ColumnBeats(int x, int xAxY, int xPos, const XScale& scale);
// The beat of first..last whose value (values[k]) lies nearest row y of panel at the range
// lower..upper, the earliest of equals: a click on a spike picks the spike.
int NearestBeat(const uint8_t* values, int first, int last, int y, int lower, int upper,
                const Rect& panel);

struct TimeGrid {
    int XGridStep = 10;                    // pixels between time lines
    int XGridTick = 0;                     // intervals across a panel
    int smallChange = 0, largeChange = 0;  // the scroll bar's steps (16-bit)
};

// The step grows by 10 until the widest sample number fits with a digit to spare.
TimeGrid ComputeTimeGrid(int panelWidth, int xMult, int xPos, int tw,
                         const std::function<int(const std::string&)>& textWidth, int xDiv = 1);

// The last display column drawn: columns p run while left + XMult p < right and the
// column's first sample exists (at most CurrentFileLen - 1).
int LastColumn(int left, int right, int xMult, int xPos, int currentFileLen, int xDiv = 1);

// XPos after a resize while recording, so that the newest samples stay in view.
int RealignXPos(int panelWidth, int currentFileLen, int xMult, int xGridStep, int xDiv = 1);

// The first beat to show after beat CurrentFileLen - 1 arrived: when the newest beat would
// pass the right edge (less one grid step), the view jumps forward by about a panel width.
int FollowXPos(int width, int currentFileLen, int xPos, int xMult, int gridStep, int xDiv = 1);

// Histogram panel: count ranges, and count to bar height.
constexpr std::array<int, 7> kHistoRanges{10, 25, 50, 100, 150, 200, 250};
int HistoScaleIndex(int amo);
int HistoHeight(int count, int panelHeight, int range);

}  // namespace trivant
