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

QRect NarrowedBeside(const QRect& anchor, const QRect& placed, int minWidth) {
    if (!anchor.intersects(placed))
        return anchor;
    QRect out = anchor;
    if (placed.center().x() >= anchor.center().x())
        out.setRight(placed.left() - 1);
    else
        out.setLeft(placed.right() + 1);
    return out.width() >= minWidth ? out : anchor;
}

}  // namespace trivant
