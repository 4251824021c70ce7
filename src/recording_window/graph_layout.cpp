// Window geometry and the pixel transforms. Integer arithmetic truncates toward zero;
// conversions from floating point round halves to even.
#include "graph_layout.h"

#include "recording.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>

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

GraphLayout ComputeGraphLayout(int clientW, int clientH, int outerW, int th, int tw, int sbHeight,
                               int timeRows) {
    GraphLayout g;
    g.CW = clientW;
    g.CH = clientH;
    g.TH = th;
    g.TW = tw;
    g.XAxY = 10 * tw;
    g.GrTop = clientH / 3;
    g.sb = {g.XAxY, clientH - sbHeight - 1, clientW - 1, clientH - 1};
    const int h = sbHeight + (2 + timeRows) * th;  // the time axis strip with the scroll bar
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

XScale ZoomScale(int level, int beats, int columns) {
    if (level > 0)
        return {level, 1};
    if (level < 0)
        return {1, -level};
    const int cols = std::max(1, columns);
    return {1, std::max(1, (beats + cols - 1) / cols)};
}

int ScrollRange(int beats, const XScale& scale) {
    if (beats <= kMaxBeats)
        return kScrollRange;
    return static_cast<int>(std::clamp<int64_t>(scale.toPixels(beats), kScrollRange, INT_MAX));
}

int ColumnToSample(int x, int xAxY, int xMult, int xPos) {
    return (x - xAxY) / std::max(1, xMult) + xPos;
}

std::pair<int, int> ColumnBeats(int x, int xAxY, int xPos, const XScale& scale) {
    const int p = (x - xAxY) / std::max(1, scale.mult);
    return {xPos + (p - 1) * scale.div + 1, xPos + p * scale.div};
}

int NearestBeat(const uint8_t* values, int first, int last, int y, int lower, int upper,
                const Rect& panel) {
    int best = first, bestDistance = INT_MAX;
    for (int k = first; k <= last; ++k)
        if (const int d = std::abs(ValueToRow(values[k], lower, upper, panel) - y);
            d < bestDistance) {
            best = k;
            bestDistance = d;
        }
    return best;
}

TimeGrid ComputeTimeGrid(int panelWidth, int xMult, int xPos, int tw,
                         const std::function<int(const std::string&)>& textWidth, int xDiv) {
    TimeGrid t;
    const int64_t widest = xDiv > 1 ? int64_t(panelWidth) * xDiv + xPos : panelWidth * xMult + xPos;
    const int need = textWidth(std::to_string(widest)) + tw;
    while (t.XGridStep < need)
        t.XGridStep += 10;
    t.XGridTick = panelWidth / t.XGridStep;
    t.smallChange = static_cast<int16_t>(t.XGridStep);
    t.largeChange = static_cast<int16_t>(t.XGridStep * (panelWidth / t.XGridStep - 1));
    return t;
}

int LastColumn(int left, int right, int xMult, int xPos, int currentFileLen, int xDiv) {
    if (xMult <= 0 || xDiv <= 0)
        return 0;
    const int byWidth = right - left > 0 ? (right - left - 1) / xMult : 0;
    const int rest = currentFileLen - 1 - xPos;  // beats after the view's start
    const int byBeats = rest > 0 ? (rest + xDiv - 1) / xDiv : 0;
    return std::max(0, std::min(byWidth, byBeats));
}

int RealignXPos(int panelWidth, int currentFileLen, int xMult, int xGridStep, int xDiv) {
    const XScale sc{xMult, xDiv};
    if (xMult <= 0 || xDiv <= 0 || xGridStep <= 0 || sc.toBeats(panelWidth) <= 0)
        return 0;
    int64_t xPos = 0;
    while (panelWidth < sc.toPixels(currentFileLen - xPos) + xGridStep)
        xPos += sc.toBeats(panelWidth);
    const int64_t snap = xDiv > 1 ? int64_t(xGridStep) * xDiv : xGridStep;
    return static_cast<int>(std::max<int64_t>(0, snap * (xPos / snap)));
}

int FollowXPos(int width, int currentFileLen, int xPos, int xMult, int gridStep, int xDiv) {
    if (xMult <= 0 || xDiv <= 0 || gridStep <= 0)
        return xPos;
    const XScale sc{xMult, xDiv};
    if (width >= sc.toPixels(currentFileLen - xPos) + gridStep)
        return xPos;
    return static_cast<int>(xPos + sc.toBeats(width / gridStep * gridStep) - sc.toBeats(gridStep));
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
