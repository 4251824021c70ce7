// The standard HRV measures of analyze --standard as a JSON member (the CSV cells are
// StandardCsvCells).
#pragma once

#include "standard_measures.h"

#include <QJsonObject>

#include <string>

namespace trivant {

// The measures as the "standard" object: null where undefined, the artifacts' four values
// in an object of their own.
QJsonObject StandardJsonObject(const StandardMeasures& m);

}  // namespace trivant
