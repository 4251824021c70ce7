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
    const QJsonValue threshold =
        a.automatic ? QJsonValue(kAutomaticName) : QJsonValue(a.thresholdMs);
    o.insert("artifacts", QJsonObject{{"threshold_ms", threshold},
                                      {"flagged", a.flagged},
                                      {"percent", a.percent},
                                      {"corrected", a.corrected},
                                      {"edited", a.edited}});
    o.insert("exact_intervals", m.exact_intervals);
    QJsonObject bands;
    for (const BandEdgeField& e : kBandEdgeFields)
        bands.insert(e.name, m.bands.*e.value);
    o.insert("bands", bands);
    return o;
}

}  // namespace trivant
