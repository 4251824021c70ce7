// The MIT binary annotation format decoded as a pure function of its bytes.
#pragma once

#include "ecg_source.h"

#include <string>
#include <string_view>
#include <vector>

namespace trivant {

// The mnemonic of annotation code (1..49), "" for codes with none.
const char* WfdbCodeMnemonic(int code);
// N L R B A a J S V r F e j n E / f Q ?: codes 1-13, 25, 30, 34, 35, 38.
bool WfdbBeatCode(int code);

// Appends bytes' annotations to out; false with what is wrong (a truncated word, a time
// that runs backwards past 0) leaving out as it was.
bool DecodeWfdbAnnotations(std::string_view bytes, std::vector<EcgAnnotation>& out,
                           std::string& error);

}  // namespace trivant
