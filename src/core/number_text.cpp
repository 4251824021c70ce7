// The shortest round trip of std::to_chars: 329.503 stays "329.503", not the 17 digits
// of "%.17g", and no locale enters.
#include "number_text.h"

namespace trivant {

std::string NumberText(double v) {
    char text[32];  // the longest shortest form, "-2.2250738585072014e-308", is 24
    const auto r = std::to_chars(text, text + sizeof text, v);
    return std::string(text, r.ptr);
}

}  // namespace trivant
