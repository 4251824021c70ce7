// The stages side by side: the measures as rows, the stages as columns, each stage after
// the first with its change from the first beside it. Plain text cells, for the window, the
// paper and the tests alike.
#pragma once

#include "clock_time.h"
#include "whole_recording.h"

#include <optional>
#include <string>
#include <vector>

namespace trivant {

struct StageTable {
    std::vector<std::string> header;  // "", "Этап 0", "Этап 1: Ночь", "Изменение", ...
    std::vector<std::vector<std::string>> rows;  // name, then one cell per header column
};

// The table of the stages reported (the first is the baseline of every change): start, its
// clock time where the recording's start (startClockS) is known, duration and intervals, then
// the standard measures as the second page of the report names and rounds them. A change
// reads "+5.2 (+7.1 %)", "0" when it rounds to nothing; "—" where a value is missing.
// Numbers have points: the window shows them in the language's way.
StageTable MakeStageTable(const std::vector<SpanMeasures>& stages, int64_t startClockS = kNoClock);

// "+5.2 (+7.1 %)" from the baseline's and the stage's values, at the measure's decimals.
std::string ChangeText(std::optional<double> base, std::optional<double> value, int decimals);

}  // namespace trivant
