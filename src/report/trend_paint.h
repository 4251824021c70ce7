// Painting of the trend picture with QPainter on any paint device: the trend window, a
// QImage for trivant-cli and the printer go through PaintTrend.
#pragma once

#include "clock_time.h"
#include "trend_view.h"

#include <QString>

class QImage;
class QPainter;

namespace trivant {

// What the picture shows: the rows of the windows, the recording's duration and the
// measures chosen, top to bottom.
struct TrendPicture {
    std::vector<SpanMeasures> rows;
    double durationS = 0;
    std::vector<std::string> keys;
    // The recording's start (clock_time.h): where known, the time axis reads clock times.
    int64_t startClockS = kNoClock;
};

// The time axis's text at minute where the start is known: the clock's "hh:mm", to the
// nearest minute.
QString TrendClockText(int64_t startClockS, double minute);

void PaintTrend(QPainter& p, const TrendPicture& t, const TrendLayout& L, int lineWidth);

// The picture on white in an image of w x h pixels, with caption above it.
QImage RenderTrendImage(const TrendPicture& t, const QString& caption, int w, int h);

}  // namespace trivant
