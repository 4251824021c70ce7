#include "beside_placement.h"

#include <algorithm>

namespace trivant {

QRect PlaceBeside(const QRect& anchor, const QSize& size, const QRect& screen) {
    const int w = std::min(size.width(), screen.width());
    const int h = std::min(size.height(), screen.height());
    const int y = std::clamp(anchor.top(), screen.top(), screen.bottom() + 1 - h);
    const int roomRight = screen.right() - anchor.right();
    const int roomLeft = anchor.left() - screen.left();
    int x;
    if (roomRight >= w)
        x = anchor.right() + 1;
    else if (roomLeft >= w)
        x = anchor.left() - w;
    else if (roomRight >= roomLeft)
        x = screen.right() + 1 - w;
    else
        x = screen.left();
    return QRect(x, y, w, h);
}

}  // namespace trivant
