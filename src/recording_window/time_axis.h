// The row of times under the beat numbers: a mark where the time at the end of a beat first
// reaches a whole step, read on the clock when the recording's start is known and from the
// start of the recording otherwise.
#pragma once

#include "graph_layout.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace trivant {

class Recording;

// The time at the end of beat k since beat 1 began, in hundredths of a second (the NN
// series' 10 ms units).
int64_t ElapsedHundredths(const Recording& rec, int k);

// The steps a mark may take, in seconds; each divides a day, so clock marks fall on round
// times of the day.
constexpr std::array<int, 18> kTimeSteps{1,   2,   5,    10,   15,   30,    60,    120,   300,
                                         600, 900, 1800, 3600, 7200, 10800, 21600, 43200, 86400};
// The smallest step whose marks lie at least minSpacing pixels apart, the largest when none.
int TimeAxisStep(double pixelsPerSecond, int minSpacing);

struct TimeMark {
    int x = 0;            // pixels from the view's left edge
    int64_t seconds = 0;  // the whole step reached: on the clock, or since the start
};
// Over beats xPos..last of the NN series rr, where originH is the time (hundredths) at the end
// of beat xPos: a mark at the first beat whose end reaches each multiple of stepS; a beat
// that passes several takes the first.
std::vector<TimeMark> TimeAxisMarks(const uint8_t* rr, int xPos, int last, int64_t originH,
                                    const XScale& scale, int stepS);

// "hh:mm", or "hh:mm:ss" for steps under a minute; clock times wrap at midnight, times since
// the start do not.
std::string TimeAxisText(int64_t seconds, bool clock, int stepS);

}  // namespace trivant
