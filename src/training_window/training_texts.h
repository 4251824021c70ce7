// The training window's numbers and figures as the interface writes them: in the interface's
// locale (a decimal comma in Russian), a dash where there is no value.
#pragma once

#include "training_summary.h"

#include <QString>

#include <optional>
#include <vector>

namespace trivant {

QString LocalNumber(double v, int decimals);
QString Figure(const std::optional<double>& v, int decimals);
// "m:ss" of a duration.
QString DurationText(double s);
// A time line's number: seconds, or minutes where the lines are a minute or more apart.
QString TimeMarkText(double offsetS, double stepS);

// One line of the summary: what it is and its value with the unit.
struct SummaryRow {
    QString name, value;
};
std::vector<SummaryRow> SummaryRows(const TrainingSummary& s);

}  // namespace trivant
