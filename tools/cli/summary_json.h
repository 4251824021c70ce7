// The summary of a prepared recording as one JSON object, and the one way the tool
// writes JSON.
#pragma once

#include "recording.h"

#include <QJsonObject>

#include <string>

namespace trivant {

std::string SummaryJson(const Recording& rec);

// One line of compact JSON (no newline): QJsonDocument escapes the strings and writes the
// doubles in their shortest form that reads back to the same value.
std::string JsonLine(const QJsonObject& object);

}  // namespace trivant
