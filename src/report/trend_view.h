// Geometry and series of the trend picture: up to four measures of the whole recording's
// windows, each in a panel of its own above the next, on one time axis in minutes. Plain
// functions of sizes and rows.
#pragma once

#include "rect.h"
#include "standard_view.h"
#include "whole_recording.h"

#include <optional>
#include <string>
#include <vector>

namespace trivant {

constexpr int kMaxTrendPanels = 4;

// A measure the trend can show: its key among the standard measures' names, and its title
// and unit as the picture writes them (StandardPage context).
struct TrendMeasure {
    const char* key;
    const char* title;
    const char* unit;
};
const std::vector<TrendMeasure>& TrendMeasures();
// Heart rate, RMSSD, SDNN, LF/HF.
std::vector<std::string> DefaultTrendKeys();
const TrendMeasure* FindTrendMeasure(const std::string& key);

// The value of a standard measure by its key; empty when undefined or unknown.
std::optional<double> MeasureValue(const StandardMeasures& m, const std::string& key);

struct TrendLayout {
    int TW = 0, TH = 0;
    Rect area;
    std::vector<Rect> panels;  // top to bottom, one per measure shown
};
// count panels (1..kMaxTrendPanels) stacked in area, each with room for its title above
// and the time numbers below.
TrendLayout ComputeTrendLayout(const Rect& area, int th, int tw, int count);

// A panel's value axis: on a grid of 1, 2 or 5 times a power of ten around every value;
// 0..1 when there is none.
ValueRange SeriesRange(const std::vector<std::optional<double>>& values);
// The time axis in minutes, 0 to at least minutes, about ten lines.
ValueRange TrendTimeRange(double minutes);

// Where each row is drawn: its window's middle, in minutes; and its value of key.
struct TrendPoint {
    double minute;
    std::optional<double> value;
};
std::vector<TrendPoint> TrendSeries(const std::vector<SpanMeasures>& rows, const std::string& key);

// The row whose point (its window's middle) lies nearest second; rows not empty.
const SpanMeasures& NearestTrendRow(const std::vector<SpanMeasures>& rows, double second);

// Why a panel of key shows no line (StandardPage context, untranslated), or nullptr when
// some window has a value or there are no windows at all.
const char* TrendPanelNote(const std::vector<SpanMeasures>& rows, const std::string& key);

}  // namespace trivant
