// The standard HRV measures of analyze --standard: a JSON member and CSV cells.
#pragma once

#include "standard_measures.h"

#include <QJsonObject>

#include <string>

namespace trivant {

// The measures as the "standard" object: null where undefined, the artifacts' four values
// in an object of their own.
QJsonObject StandardJsonObject(const StandardMeasures& m);
// ",std_n,...": the columns after the report's own.
std::string StandardCsvHeader();
// ",400,...": empty cells where undefined.
std::string StandardCsvCells(const StandardMeasures& m);

}  // namespace trivant
