// The summary of a prepared recording as one JSON object.
#pragma once

#include "recording.h"

#include <string>

namespace trivant {

std::string SummaryJson(const Recording& rec);
std::string JsonString(const std::string& utf8);

}  // namespace trivant
