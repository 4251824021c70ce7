// Window geometry and the pixel transforms. Integer arithmetic truncates toward zero;
// conversions from floating point round halves to even.
#include "graph_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace trivant {

namespace {

void placeLabelColumns(GraphLayout& g) {
    g.namesX = g.TW;
    g.valuesX = 10 * g.TW;
    g.aversX = 17 * g.TW;
    g.averHeadX = 16 * g.TW;
    g.histoNamesX = g.rHisto.Left - 21 * g.TW;
    g.histoValuesX = g.rHisto.Left - 14 * g.TW;
}

}  // namespace

GraphLayout ComputeGraphLayout(int clientW, int clientH, int outerW, int th, int tw, int sbHeight) {
    GraphLayout g;
    g.CW = clientW;
    g.CH = clientH;
    g.TH = th;
    g.TW = tw;
    g.XAxY = 10 * tw;
    g.GrTop = clientH / 3;
    g.sb = {g.XAxY, clientH - sbHeight - 1, clientW - 1, clientH - 1};
    const int h = sbHeight + 2 * th;  // the time axis strip with the scroll bar
    g.rAxX = {g.XAxY, clientH - h, outerW, clientH};
    g.GrBot = clientH - h - 1;
    const int half = (g.GrBot - g.GrTop) / 2;
    g.rGr1 = {g.XAxY, g.GrTop, outerW, g.GrBot - half - 2};
    g.rGr2 = {g.XAxY, g.GrBot - half + 3, outerW, clientH - h};
    const int e = g.XAxY / 2;
    g.rAxY1 = {0, g.rGr1.Top, g.XAxY, g.rGr1.Bottom};
    g.rAxY1_1 = {0, g.rGr1.Top, e, g.rGr1.Bottom};
    g.rAxY1_2 = {e + 1, g.rGr1.Top, g.XAxY, g.rGr1.Bottom};
    g.rAxY2_1 = {0, g.rGr2.Top, e, g.rGr2.Bottom};
    g.rAxY2_2 = {e, g.rGr2.Top, g.XAxY, g.rGr2.Bottom};
    g.rHisto = {clientW / 2, th / 2, clientW, g.rGr1.Top - 2 * th};
    placeLabelColumns(g);
    return g;
}

int ColumnToSample(int x, int xAxY, int xMult, int xPos) {
    return (x - xAxY) / std::max(1, xMult) + xPos;
}

TimeGrid ComputeTimeGrid(int panelWidth, int xMult, int xPos, int tw,
                         const std::function<int(const std::string&)>& textWidth) {
    TimeGrid t;
    const int need = textWidth(std::to_string(panelWidth * xMult + xPos)) + tw;
    while (t.XGridStep < need)
        t.XGridStep += 10;
    t.XGridTick = panelWidth / t.XGridStep;
    t.smallChange = static_cast<int16_t>(t.XGridStep);
    t.largeChange = static_cast<int16_t>(t.XGridStep * (panelWidth / t.XGridStep - 1));
    return t;
}

int LastColumn(int left, int right, int xMult, int xPos, int currentFileLen) {
    if (xMult <= 0)
        return 0;
    const int byWidth = right - left > 0 ? (right - left - 1) / xMult : 0;
    return std::max(0, std::min(byWidth, currentFileLen - 1 - xPos));
}

int RealignXPos(int panelWidth, int currentFileLen, int xMult, int xGridStep) {
    if (xMult <= 0 || xGridStep <= 0 || panelWidth <= 0)
        return 0;
    int xPos = 0;
    while (panelWidth < (currentFileLen - xPos) * xMult + xGridStep)
        xPos += panelWidth / xMult;
    return std::max(0, xGridStep * (xPos / xGridStep));
}

int FollowXPos(int width, int currentFileLen, int xPos, int xMult, int gridStep) {
    if (xMult <= 0 || gridStep <= 0)
        return xPos;
    if (width >= (currentFileLen - xPos) * xMult + gridStep)
        return xPos;
    return xPos + (width / gridStep * gridStep) / xMult - gridStep / xMult;
}

int HistoScaleIndex(int amo) {
    int i = 0;
    while (i < static_cast<int>(kHistoRanges.size()) - 1 && kHistoRanges[i] < amo)
        ++i;
    return i;
}

int HistoHeight(int count, int panelHeight, int range) {
    return static_cast<int>(std::nearbyint(double(count) * panelHeight / range));
}

}  // namespace trivant
