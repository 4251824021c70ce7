// Geometry and pixel buffers of the fragment report, on screen and on paper, and the lines of
// its two text blocks. Plain functions of sizes, font metrics and the report's numbers.
#pragma once

#include "fragment_analysis.h"
#include "rect.h"

#include <string>
#include <vector>

namespace trivant {

// Grid intervals of the four plots.
constexpr int RRXGridTick = 10, RRYGridTick = 4;
constexpr int HistoXGridTick = 4, HistoYGridTick = 4;
constexpr int ScatXGridTick = 4, ScatYGridTick = 4;
constexpr int SpecXGridTick = 10, SpecYGridTick = 5;

// Rounding step of the spectrum axis maximum.
constexpr int kScreenSpecMaxStep = 10;
constexpr int kPaperSpecMaxStep = 100;

struct ReportLayout {
    int TW = 0, TH = 0;  // width and height of a digit in the device's font
    Rect R_RR, R_RRAxX, R_RRAxY;
    Rect R_Histo, R_HistoAxX, R_HistoAxY;
    Rect R_Scat, R_ScatAxX, R_ScatAxY;
    Rect R_TextStat;
    Rect R_Spec, R_SpecAxX, R_SpecAxY;
    Rect R_SpecComp, R_SpecCompAxX, R_SpecCompAxY;
    Rect R_TextSpec;
    // Separator lines of the screen page: bands end at A and B, columns at X2 and X3.
    int CW = 0, CH = 0, A = 0, B = 0, X2 = 0, X3 = 0;
};

// The window's client area from row top down (below the page tabs) split into three bands
// of plots.
ReportLayout ComputeReportLayout(int clientW, int clientH, int th, int tw, int top = 0);

// The printed page: caption and comment on top, the plots from 8 text rows down, in the
// whole page height when landscape and in its upper two thirds when portrait.
ReportLayout ComputePrintLayout(int pageW, int pageH, int th, int tw, bool landscape);
int PrintBandHeight(int pageH, int th, bool landscape);

// The three pixel buffers and the axis maxima for one layout. Every paint and every print
// makes a fresh one.
struct ReportView {
    std::vector<int> FrViewYBuf;      // [1 .. yCount], rhythmogram heights
    int yCount = 0;                   // entries the averaging produced
    std::vector<int> FrViewHistoBuf;  // [0 .. histogram width]
    std::vector<int> FrViewSpecBuf;   // [1 .. spectrum width]; 0 past bin 149
    int ViewAMo = 0;                  // multiple of HistoYGridTick
    int ViewSpecMax = 0;              // multiple of the step
    // Columns at which the LF and HF bands begin; past the plot when no column reaches them.
    int LFStartX = 0, HFStartX = 0;
};

ReportView CountView(const FragmentReport& r, const ReportLayout& layout, int specMaxStep);

// Band of spectrum column j: 0 VLF, 1 LF, 2 HF. The colour changes after the start column.
int SpecColumnBand(const ReportView& v, int j);

// Height of a component bar of power within total for a chart of full height s; 0 when
// there is no power at all.
int ComponentBarHeight(int power, int total, int s);

// Axis labels of the plots, bottom to top (left to right for the time axes).
std::vector<std::string> HistoYLabels(int viewAMo);
std::vector<std::string> SpecYLabels(int viewSpecMax);

// "1.05" from hundredths, "12.3" from tenths.
std::string HundredthsText(int v);
std::string TenthsText(int v);

struct TextLine {
    std::string name, value;
    bool gapBefore = false;  // an empty line precedes it
};

// Time-domain block; the printed one has no "IB" line and an empty line before "Moda".
std::vector<TextLine> TimeBlockLines(const FragmentReport& r, bool printed);
std::vector<TextLine> SpecBlockLines(const FragmentReport& r);

// Rows of the lines that fit a block ending at bottom: the first always, each further one
// while its row and TH more stay within the block; the first that does not ends the block.
std::vector<int> TextLineRows(const std::vector<TextLine>& lines, int firstY, int bottom, int th);

}  // namespace trivant
