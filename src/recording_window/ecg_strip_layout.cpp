// The ECG strip's geometry.
#include "ecg_strip_layout.h"

#include <algorithm>
#include <cmath>

namespace trivant {

namespace {
constexpr int kPaperGap = 2;  // pixels between the paper and its caption
}  // namespace

EcgStripLayout ComputeEcgStripLayout(const Rect& area, int captionH, double dpi, double rate,
                                     int64_t centre, int64_t totalSamples) {
    EcgStripLayout L;
    L.area = area;
    L.paper = {area.Left, area.Top, area.Right, area.Bottom - captionH - kPaperGap};
    L.pxPerMm = std::max(1.0, dpi) / kMmPerInch;
    L.rate = rate > 0 ? rate : 1;
    const double paperMm = L.paper.height() / L.pxPerMm;
    L.mmPerMv = paperMm + 0.5 >= kEcgPaperMm ? kEcgMmPerMv : kEcgLowMmPerMv;
    L.traceLeft = L.paper.Left + static_cast<int>(std::lround(L.mmToPx(kEcgCalMm)));
    const double traceS = std::max(0, L.paper.Right - L.traceLeft) / L.mmToPx(kEcgMmPerS);
    L.count = static_cast<int64_t>(traceS * L.rate);
    const int64_t last = std::max<int64_t>(0, totalSamples - L.count);
    L.first = std::clamp<int64_t>(centre - L.count / 2, 0, last);
    L.baselineY = L.paper.Top + kEcgBaseline * L.paper.height();
    return L;
}

Rect EcgStripArea(int clientW, int clientH, int stripH, int tw) {
    if (stripH <= 0)
        return {};
    return {tw, clientH - stripH, clientW - tw, clientH - 1};
}

int EcgStripHeight(double dpi, int captionH, int maxH) {
    const int paper = static_cast<int>(std::ceil(kEcgPaperMm * std::max(1.0, dpi) / kMmPerInch));
    return std::min(maxH, paper + captionH + kPaperGap + 1);
}

}  // namespace trivant
