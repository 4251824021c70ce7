#include "span_csv.h"

#include "measure_csv.h"
#include "number_text.h"

#include <algorithm>

namespace trivant {

namespace {

double seconds(int64_t us) {
    return static_cast<double>(us) / 1e6;
}

}  // namespace

const SpanPlace kTrendPlace{
    {"start_s", "end_s", nullptr}, [](const SpanMeasures& r) {
        return std::vector<double>{seconds(r.span.startUs), seconds(r.span.endUs)};
    }};
const SpanPlace kStagePlace{{"stage", "start_s", "duration_s"}, [](const SpanMeasures& r) {
                                return std::vector<double>{static_cast<double>(r.stage),
                                                           seconds(r.span.startUs),
                                                           seconds(r.span.endUs - r.span.startUs)};
                            }};

int64_t SpanClockS(int64_t startClockS, const SpanMeasures& r) {
    return startClockS + r.span.startUs / 1000000;
}

std::string SpanCsvHeader(const SpanPlace& place, SpanColumns columns) {
    std::string h = "file";
    for (const char* name : place.names)
        if (name)
            h += std::string(",") + name;
    if (columns.clock)
        h += std::string(",") + kSpanClockName;
    return h + StandardCsvHeader("") + (columns.named ? ",name" : "");
}

std::string SpanCsvRow(const std::string& file, const SpanPlace& place, const SpanMeasures& r,
                       SpanColumns columns, int64_t startClockS) {
    std::string row = CsvField(file);
    for (double v : place.values(r))
        row += "," + NumberText(v);
    if (columns.clock)
        row += "," + (startClockS == kNoClock ? "" : DateTimeText(SpanClockS(startClockS, r)));
    return row + StandardCsvCells(r.m) + (columns.named ? "," + CsvField(r.name) : "");
}

bool SpanNamesAny(const std::vector<SpanMeasures>& rows) {
    return std::any_of(rows.begin(), rows.end(),
                       [](const SpanMeasures& r) { return !r.name.empty(); });
}

std::string SpanCsv(const std::string& file, const SpanPlace& place,
                    const std::vector<SpanMeasures>& rows, int64_t startClockS) {
    const SpanColumns columns{startClockS != kNoClock, SpanNamesAny(rows)};
    std::string out = SpanCsvHeader(place, columns) + "\n";
    for (const SpanMeasures& r : rows)
        out += SpanCsvRow(file, place, r, columns, startClockS) + "\n";
    return out;
}

}  // namespace trivant
