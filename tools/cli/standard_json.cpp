// The standard measures as JSON, from the table the CSV columns come from too.
#include "standard_json.h"

#include "measure_csv.h"

#include <optional>

namespace trivant {

QJsonObject StandardJsonObject(const StandardMeasures& m) {
    QJsonObject o{{"n", m.n}};
    for (const StandardField& field : kStandardFields) {
        const std::optional<double>& v = m.*field.value;
        o.insert(field.name, v ? QJsonValue(*v) : QJsonValue());
    }
    const ArtifactReport& a = m.artifacts;
    o.insert("artifacts", QJsonObject{{"threshold_ms", a.thresholdMs},
                                      {"flagged", a.flagged},
                                      {"percent", a.percent},
                                      {"corrected", a.corrected}});
    o.insert("exact_intervals", m.exact_intervals);
    QJsonObject bands;
    for (const BandEdgeField& e : kBandEdgeFields)
        bands.insert(e.name, m.bands.*e.value);
    o.insert("bands", bands);
    return o;
}

}  // namespace trivant
