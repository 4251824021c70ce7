// The time row's marks and their painting.
#include "time_axis.h"

#include "clock_time.h"
#include "graph_paint.h"
#include "recording.h"
#include "time_text.h"

#include <QPainter>

#include <algorithm>

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

void DrawTimeAxis(QPainter& p, const GraphScene& sc) {
    const Recording& rec = *sc.rec;
    const GraphLayout& L = sc.layout;
    const ViewState& v = sc.view;
    const int columns = LastColumn(L.rGr2.Left, std::min(L.rGr2.Right, L.CW), v.XMult, v.XPos,
                                   rec.CurrentFileLen, v.XDiv);
    const int last = std::min<int64_t>(rec.CurrentFileLen - 1, v.XPos + int64_t(columns) * v.XDiv);
    if (columns <= 0 || last <= v.XPos)
        return;
    const bool clock = rec.StartClockS != kNoClock;
    const int64_t startH = ElapsedHundredths(rec, v.XPos);
    const int64_t spanH = ElapsedHundredths(rec, last) - startH;
    const int width = static_cast<int>(v.xScale().toPixels(last - v.XPos));
    const int step = TimeAxisStep(spanH > 0 ? width * 100.0 / spanH : 0.0,
                                  p.fontMetrics().horizontalAdvance("00:00:00") + 2 * L.TW);
    const int64_t originH = (clock ? rec.StartClockS * 100 : 0) + startH;
    const int y = L.rGr2.Bottom + 2 + L.TH;
    QRect previous;
    for (const TimeMark& m :
         TimeAxisMarks(rec.DataSeries[kSerRR].data(), v.XPos, last, originH, v.xScale(), step)) {
        const int x = L.rGr2.Left + m.x;
        p.setPen(kGridColor);
        p.drawLine(x, y, x, y + L.TH - 1);
        // Where the heart slows, marks come closer: a time that would cover the one before
        // keeps its tick only.
        const QString text = QString::fromStdString(TimeAxisText(m.seconds, clock, step));
        const QRect cell = TextCell(p, x + 2, y, text);
        if (cell.intersects(previous))
            continue;
        p.setPen(Qt::black);
        TextAt(p, x + 2, y, text);
        previous = cell;
    }
}

}  // namespace trivant
