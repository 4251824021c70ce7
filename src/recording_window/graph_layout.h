// Geometry of a recording window, computed from its client size and font metrics alone,
// and the transforms between samples, values and pixels that painting and clicks share.
#pragma once

#include "rect.h"

#include <array>
#include <functional>
#include <string>

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
GraphLayout ComputeGraphLayout(int clientW, int clientH, int outerW, int th, int tw,
                               int sbHeight = kScrollBarHeight);

// The sample under x: (x - XAxY) div XMult + XPos.
int ColumnToSample(int x, int xAxY, int xMult, int xPos);

struct TimeGrid {
    int XGridStep = 10;                    // pixels between time lines
    int XGridTick = 0;                     // intervals across a panel
    int smallChange = 0, largeChange = 0;  // the scroll bar's steps (16-bit)
};

// The step grows by 10 until the widest sample number fits with a digit to spare.
TimeGrid ComputeTimeGrid(int panelWidth, int xMult, int xPos, int tw,
                         const std::function<int(const std::string&)>& textWidth);

// The last display column drawn: columns p run while left + XMult p < right and the
// sample XPos + p exists (at most CurrentFileLen - 1).
int LastColumn(int left, int right, int xMult, int xPos, int currentFileLen);

// XPos after a resize while recording, so that the newest samples stay in view.
int RealignXPos(int panelWidth, int currentFileLen, int xMult, int xGridStep);

// The first beat to show after beat CurrentFileLen - 1 arrived: when the newest beat would
// pass the right edge (less one grid step), the view jumps forward by about a panel width.
int FollowXPos(int width, int currentFileLen, int xPos, int xMult, int gridStep);

// Histogram panel: count ranges, and count to bar height.
constexpr std::array<int, 7> kHistoRanges{10, 25, 50, 100, 150, 200, 250};
int HistoScaleIndex(int amo);
int HistoHeight(int count, int panelHeight, int range);

}  // namespace trivant
