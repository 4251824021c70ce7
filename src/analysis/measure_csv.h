// The fragment's numbers by name, and the CSV that trivant-cli analyze writes of them: one
// table per kind of number serves every format, so their columns can't drift apart.
#pragma once

#include "fragment_analysis.h"
#include "long_term.h"
#include "standard_measures.h"

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace trivant {

// The report's own integers, under the names the report window shows them by.
struct FragmentField {
    const char* name;
    int FragmentReport::*value;
};
extern const std::array<FragmentField, 24> kFragmentFields;

// The standard measures, empty where undefined.
struct StandardField {
    const char* name;
    std::optional<double> StandardMeasures::*value;
};
extern const std::array<StandardField, 20> kStandardFields;

// The band edges the measures took, in Hz: the last columns of the standard measures.
struct BandEdgeField {
    const char* name;
    double BandEdges::*value;
};
extern const std::array<BandEdgeField, 4> kBandEdgeFields;

// What the threshold's column and key hold for the automatic correction.
constexpr const char* kAutomaticName = "auto";

// "file,FrPos,...": the report's columns; a row of them for one file (no spectrum).
std::string FragmentCsvHeader();
std::string FragmentCsvRow(const std::string& file, const FragmentReport& r);
// ",std_n,...": the columns after the report's own; ",400,...", empty where undefined, each
// number in its shortest exact form and yes/no as 1/0.
std::string StandardCsvHeader(const char* prefix = "std_");
// A CSV field: quoted when it holds a separator, a quote or a line break.
std::string CsvField(const std::string& s);
std::string StandardCsvCells(const StandardMeasures& m);

// "file,duration_s,n,segments,sdnn,sdann,sdnni" and one recording's row: s, counts and ms,
// each number in its shortest exact form, empty where undefined.
std::string LongTermCsvHeader();
std::string LongTermCsvRow(const std::string& file, const LongTermMeasures& m);
// The row's numbers by column after file; nullopt where undefined.
std::vector<std::pair<const char*, std::optional<double>>>
LongTermValues(const LongTermMeasures& m);

}  // namespace trivant
