#include "span_csv.h"

#include "measure_csv.h"
#include "number_text.h"

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

std::string SpanCsvHeader(const SpanPlace& place) {
    std::string h = "file";
    for (const char* name : place.names)
        if (name)
            h += std::string(",") + name;
    return h + StandardCsvHeader("");
}

std::string SpanCsvRow(const std::string& file, const SpanPlace& place, const SpanMeasures& r) {
    std::string row = CsvField(file);
    for (double v : place.values(r))
        row += "," + NumberText(v);
    return row + StandardCsvCells(r.m);
}

std::string SpanCsv(const std::string& file, const SpanPlace& place,
                    const std::vector<SpanMeasures>& rows) {
    std::string out = SpanCsvHeader(place) + "\n";
    for (const SpanMeasures& r : rows)
        out += SpanCsvRow(file, place, r) + "\n";
    return out;
}

}  // namespace trivant
