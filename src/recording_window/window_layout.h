// The layout of a live window: its client size, the outer width of the frame around it and
// its font, as the window computes it on every resize.
#pragma once

#include "graph_layout.h"

class QFont;
class QSize;
class QWidget;

namespace trivant {

// The outer width of the window that w fills, frame included: the frame of a top-level
// window or of the sub-window holding w, otherwise w's own width.
int OuterWidth(const QWidget& w);

// The layout for a client area of this size inside a window outerW wide, in this font, with
// timeRows rows of times under the beat numbers.
GraphLayout WindowGraphLayout(const QSize& client, int outerW, const QFont& font, int timeRows = 0);

}  // namespace trivant
