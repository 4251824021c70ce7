// Writes the summary through QJsonObject; the integers stay integers.
#include "summary_json.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace trivant {

namespace {

QJsonArray range(const SeriesInfo& s) {
    return QJsonArray{s.Max, s.Min};
}

int labelCount(const Recording& rec) {
    int n = 0;
    for (int k = 1; k <= rec.beats(); ++k)
        n += rec.at(kSerLbl, k) != 0;
    return n;
}

}  // namespace

std::string JsonLine(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

std::string SummaryJson(const Recording& rec) {
    // The means are null while the recording is shorter than the sample.
    auto mean = [&](int32_t v) { return rec.AveragesValid ? QJsonValue(v) : QJsonValue(); };
    const QJsonObject o{
        {"CurrentFileLen", rec.CurrentFileLen},
        {"beats", rec.beats()},
        {"labels", labelCount(rec)},
        {"comment", QString::fromStdString(rec.Comment)},
        {"ScSPO", rec.ScSPO},
        {"ScRR", rec.ScRR},
        {"ScHRV", rec.ScHRV},
        {"ScIB", rec.ScIB},
        {"sRR", range(rec.sRR)},
        {"sSPO", range(rec.sSPO)},
        {"sSYM", range(rec.sSYM)},
        {"sPAR", range(rec.sPAR)},
        {"sSDNN", range(rec.sSDNN)},
        {"sIB", range(rec.sIB)},
        {"averRR", mean(rec.averRR)},
        {"averSPO", mean(rec.averSPO)},
        {"averSYM", mean(rec.averSYM)},
        {"averPAR", mean(rec.averPAR)},
        {"averSDNN", mean(rec.averSDNN)},
        {"averIB50", mean(rec.averIB50)},
    };
    return JsonLine(o);
}

}  // namespace trivant
