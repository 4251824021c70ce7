// The printed page of a recording window: title, comment, headings, both panels with their
// grids and scale numbers, the traces at twice the line width, labels, the means and, for a
// recording from an ECG record, its strip. The
// traces are drawn by the screen's own code with the page's placement.
#pragma once

#include "graph_paint.h"

#include <string>

class QPainter;

namespace trivant {

// Page geometry in device pixels, from the page size and the text metrics of "0".
struct PrintLayout {
    int PW = 0, PH = 0, tw = 0, th = 0;
    int L = 0, cm = 0, GL = 0, GR = 0;
    Rect P1, P2;
    double k = 1;  // device pixels per screen pixel
};
PrintLayout ComputePrintLayout(int pageW, int pageH, int tw, int th, int screenZeroWidth);

// The time grid's step in screen pixels: the smallest from 3 tw (or minStep) on whose first
// sample number is a multiple of 10, or the first when zoomed out to a scale none reaches one.
int PrintTimeStep(int tw, int xMult, int xPos, int xDiv = 1, int minStep = 0);

// Draws the page with painter p (its device gives the page size). caption is the window's.
void PrintGraphPage(QPainter& p, const GraphScene& scene, const std::string& caption,
                    int screenZeroWidth);

}  // namespace trivant
