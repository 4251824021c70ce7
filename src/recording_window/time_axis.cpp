// The time row's marks and their painting.
#include "time_axis.h"

#include "clock_time.h"
#include "graph_paint.h"
#include "recording.h"
#include "time_text.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace trivant {

namespace {

int64_t floorDiv(int64_t a, int64_t b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

}  // namespace

int64_t ElapsedHundredths(const Recording& rec, int k) {
    const uint8_t* rr = rec.DataSeries[kSerRR].data();
    int64_t sum = 0;
    for (int i = 1; i <= k; ++i)
        sum += rr[i];
    return sum;
}

int TimeAxisStep(double pixelsPerSecond, int minSpacing) {
    for (const int s : kTimeSteps)
        if (s * pixelsPerSecond >= minSpacing)
            return s;
    return kTimeSteps.back();
}

std::vector<TimeMark> TimeAxisMarks(const uint8_t* rr, int xPos, int last, int64_t originH,
                                    const XScale& scale, int stepS) {
    std::vector<TimeMark> marks;
    const int64_t stepH = int64_t(std::max(1, stepS)) * 100;
    int64_t next = -floorDiv(-originH, stepH) * stepH;  // the first multiple at or after origin
    int64_t t = originH;
    for (int k = std::max(0, xPos); k <= last; ++k) {
        if (k > xPos)
            t += rr[k];
        if (t < next)
            continue;
        marks.push_back({static_cast<int>(scale.toPixels(k - xPos)), next / 100});
        next = (floorDiv(t, stepH) + 1) * stepH;
    }
    return marks;
}

std::string TimeAxisText(int64_t seconds, bool clock, int stepS) {
    const std::string text = clock ? ClockText(seconds) : TimeText(seconds);
    return stepS % 60 == 0 ? text.substr(0, text.size() - 3) : text;
}

TimeRow ScreenTimeRow(const GraphLayout& L) {
    return {L.rGr2.Left, std::min(L.rGr2.Right, L.CW) - L.rGr2.Left, L.rGr2.Bottom + 2 + L.TH, L.TW,
            1.0};
}

void DrawTimeAxis(QPainter& p, const GraphScene& sc, const TimeRow& row) {
    const Recording& rec = *sc.rec;
    const ViewState& v = sc.view;
    const XScale xs = v.xScale();
    const int last = static_cast<int>(
        std::min<int64_t>(rec.CurrentFileLen - 1, v.XPos + xs.toBeats(row.columns)));
    if (last <= v.XPos)
        return;
    const bool clock = rec.StartClockS != kNoClock;
    const int64_t startH = ElapsedHundredths(rec, v.XPos);
    const int64_t spanH = ElapsedHundredths(rec, last) - startH;
    const double width = row.k * xs.toPixels(last - v.XPos);  // device pixels
    const int step = TimeAxisStep(spanH > 0 ? width * 100.0 / spanH : 0.0,
                                  p.fontMetrics().horizontalAdvance("00:00:00") + 2 * row.tw);
    const int64_t originH = (clock ? rec.StartClockS * 100 : 0) + startH;
    const int th = p.fontMetrics().height();
    QRect previous;
    for (const TimeMark& m :
         TimeAxisMarks(rec.DataSeries[kSerRR].data(), v.XPos, last, originH, xs, step)) {
        const int x = row.left + static_cast<int>(std::nearbyint(row.k * m.x));
        p.setPen(kGridColor);
        p.drawLine(x, row.y, x, row.y + th - 1);
        // Where the heart slows, marks come closer: a time that would cover the one before
        // keeps its tick only.
        const QString text = QString::fromStdString(TimeAxisText(m.seconds, clock, step));
        const QRect cell = TextCell(p, x + 2, row.y, text);
        if (cell.intersects(previous))
            continue;
        p.setPen(Qt::black);
        TextAt(p, x + 2, row.y, text);
        previous = cell;
    }
}

}  // namespace trivant
