// Value to pixel row, rounded to the nearest row with halves to even.
#include "rect.h"

#include <algorithm>
#include <cmath>

namespace trivant {

int ValueToRow(int v, int min, int max, const Rect& r) {
    const int h = r.height();
    const int d = std::max(0, v - min);
    const int span = max - min;
    int c = span > 0 ? static_cast<int>(std::nearbyint(double(h) * d / span)) : 0;
    c = std::min(c, h - 1);
    return r.Bottom - c;
}

}  // namespace trivant
