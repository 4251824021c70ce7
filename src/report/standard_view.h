// Geometry and text of the report's second page, the standard measures: the table, the
// Poincaré plot, Welch's spectrum and the rhythmogram with its artifacts. Plain functions of
// sizes, font metrics and the measures.
#pragma once

#include "rect.h"
#include "report_view.h"
#include "standard_measures.h"
#include "whole_recording.h"

#include <optional>
#include <string>
#include <vector>

namespace trivant {

constexpr double kWelchMaxHz = 0.5;  // the spectrum's frequency axis ends here
constexpr int kWelchXTicks = 10;     // 0.05 Hz between the frequency lines
constexpr int kPlotYTicks = 5;       // value lines of the spectrum
constexpr int kAxisNumbersTW = 5;    // value numbers begin this far left of a plot
constexpr int kRhythmXTicks = 10;    // 30 s between the time lines

struct StandardLayout {
    int TW = 0, TH = 0;
    Rect area;      // the whole page
    Rect R_Table;   // the measures' names and values, then the artifacts line
    Rect R_Poinc;   // square: both axes share one scale
    Rect R_Welch;   // 0 .. kWelchMaxHz; its numbers, unit and method below it
    Rect R_Rhythm;  // the fragment's intervals against time
};

// The plots and the table within area (client or device pixels): the table in a left
// column, the Poincaré plot and the spectrum side by side above, the rhythmogram below.
StandardLayout ComputeStandardLayout(const Rect& area, int th, int tw);

// The largest square in r, centred horizontally and at r's top.
Rect SquareIn(const Rect& r);

// A value axis: lo .. hi in steps of step, at most about kPlotYTicks * 2 of them.
struct ValueRange {
    double lo = 0, hi = 1, step = 1;
    int ticks() const;
};
// Interval values (ms) on a grid of 1, 2 or 5 times a power of ten; never empty.
ValueRange IntervalRange(const std::vector<double>& rrMs);

// The smallest of 1, 2, 5 times a power of ten at or above v (1 for v <= 0).
double NiceCeil(double v);

// Decimals that tell the numbers of an axis in steps of step apart: 0 from 1 on.
int AxisDecimals(double step);

// Pixel of value v on a line from pixel at lo to pixel at hi (either direction).
double ValueToPixel(double v, double lo, double hi, int pixLo, int pixHi);

// Columns [first, last) of a band [loHz, hiHz) on the spectrum.
struct ColumnSpan {
    int first = 0, last = 0;
};
ColumnSpan BandColumns(double loHz, double hiHz, const Rect& welch, double axisHz = kWelchMaxHz);
// Where the spectrum's frequency axis ends: kWelchMaxHz, or the next half hertz above HF_HI.
double WelchAxisHz(const BandEdges& b);

// Seconds from the fragment's start to the end of each interval.
std::vector<double> BeatTimesS(const std::vector<double>& rrMs);

// A row of the table: its name (StandardPage context), its measure and the decimals its
// unit warrants.
struct StandardRow {
    const char* name;
    std::optional<double> StandardMeasures::*value;
    int decimals;
    bool gapBefore = false;
};
const std::vector<StandardRow>& StandardRows();

// The table rows, with "—" for a measure that is undefined.
std::vector<TextLine> StandardTableLines(const StandardMeasures& m);
// Its time-domain and Poincaré rows alone: what a recording too short for a spectrum has.
std::vector<TextLine> TimeDomainTableLines(const StandardMeasures& m);
// How the artifacts were handled: "при пороге 250 мс, скорректированы", or
// "автоматическая коррекция, исправлено 3".
std::string CorrectionMethodText(const ArtifactReport& a);
// "исправлено ударов: 4", the beats the recording's review changed; empty for none.
std::string EditedBeatsText(int edited);
// The artifacts under the table in three lines: "Артефакты: 3 (1.0 %)", the method and which
// intervals were measured, "интервалы: точные" or "интервалы: с шагом 10 мс"; a fourth,
// EditedBeatsText, when the recording's review changed beats.
std::vector<std::string> ArtifactLines(const ArtifactReport& a, bool exactIntervals);
// What the page says instead of the numbers when the measures were refused.
std::string RefusalText(const StandardMeasures& m);

// The choices of the page's correction control: the automatic one, none (the choice a window
// starts with), then the levels weakest first.
struct CorrectionChoice {
    const char* title;
    ArtifactOptions options;
};
std::vector<CorrectionChoice> CorrectionChoices();
constexpr int kNoCorrectionChoice = 1;
// The index of the choice with these options; -1 when none has them.
int CorrectionChoiceOf(const ArtifactOptions& options);

// What page two shows: the fragment's intervals and their measures.
struct StandardPage {
    std::vector<double> rrMs;
    StandardMeasures m;
};
// The flags over the series the page measured (the fragment's own when refused): the flags
// as they are where it kept its length, else each flagged interval's mark on the measured
// interval that ends with it or next after it (beats joined or split by the automatic
// correction).
std::vector<bool> MeasuredFlags(const StandardPage& page);

// With the automatic choice and the whole recording corrected (whole), the fragment is that
// correction's part, as a trend window is.
StandardPage MakeStandardPage(const FragmentReport& r, const ArtifactOptions& options,
                              const BandEdges& bands = {}, const CorrectedWhole* whole = nullptr);

}  // namespace trivant
