// Where a window opened for another one goes: beside it rather than over it, on the screen.
#pragma once

#include <QRect>
#include <QSize>

namespace trivant {

// The frame of a window of size beside anchor (the other window's frame) within screen: right
// of it where the screen has room, else left of it; where neither side has room, on the roomier
// side as near it as the screen allows. The top follows the anchor's, kept on the screen, and a
// window larger than the screen is cut to it.
QRect PlaceBeside(const QRect& anchor, const QSize& size, const QRect& screen);

// The anchor narrowed so that it ends where placed begins (or begins where placed ends), when
// placed covers part of it and what is left is at least minWidth wide; else the anchor as is.
QRect NarrowedBeside(const QRect& anchor, const QRect& placed, int minWidth);

}  // namespace trivant
