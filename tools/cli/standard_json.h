// The standard HRV measures of analyze --standard: a JSON member and CSV cells.
#pragma once

#include "standard_measures.h"

#include <string>

namespace trivant {

// "\"standard\": {...}", numbers to full precision, null where undefined.
std::string StandardJsonMember(const StandardMeasures& m);
// ",std_n,...": the columns after the report's own.
std::string StandardCsvHeader();
// ",400,...": empty cells where undefined.
std::string StandardCsvCells(const StandardMeasures& m);

}  // namespace trivant
