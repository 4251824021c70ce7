// Where the recording window's grid lands on screen and on paper: the panels, the time lines
// and their numbers, and the four value scales with their positions and colours. Both are
// drawn by the painting kit's DrawGrid.
#pragma once

#include "graph_print.h"
#include "grid_paint.h"
#include "scale_ranges.h"

namespace trivant {

// The range of series s at the recording's scale indices, or for NN the fitted one when the
// view asks for it; SYM, PAR and SDNN share the HRV one.
ScaleRange SeriesRange(int s, const GraphScene& scene);

// The narrowest range of five steps of 10, 20, 50, 100, 200, 500 or 1000 ms whose lower
// bound lies below minRR (or at 0) and upper bound above maxRR, all in 10 ms units; the
// numbers on its lines are whole steps.
ScaleRange FittedRange(int32_t minRR, int32_t maxRR);

// The number at value line k (0 at the bottom) of range r: a fifth of the range per line.
int ScaleNumber(const ScaleRange& r, int k);

// On screen the time lines follow the window's time grid, numbered in black; the SpO2, NN
// and IB numbers take the trace colours, and the IB scale draws its lines again in its own
// colour.
GridPlacement ScreenGridPlacement(const GraphScene& scene, const TimeGrid& grid);

// On paper the time lines are scaled to the page and stop at its right edge, where a
// closing line runs through both panels; the numbers under them and of both lower scales
// are black.
GridPlacement PrintGridPlacement(const PrintLayout& page, const GraphScene& scene);

}  // namespace trivant
