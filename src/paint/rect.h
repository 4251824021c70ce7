// The rectangle of every layout, and the value-to-row transform of every plotted panel:
// integer client or device pixels, as the windows compute them.
#pragma once

namespace trivant {

// Left, Top, Right, Bottom in client pixels.
struct Rect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int width() const { return Right - Left; }
    int height() const { return Bottom - Top; }
    // Strictly inside: points on the border belong to no zone.
    bool contains(int x, int y) const { return Left < x && x < Right && Top < y && y < Bottom; }
};

// Row of value v in panel r for the range min..max: below the range on the bottom row,
// above it one row under the top.
int ValueToRow(int v, int min, int max, const Rect& r);

}  // namespace trivant
