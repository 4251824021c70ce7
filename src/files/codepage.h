// Conversion between the UTF-8 used in memory and the Windows-1251 bytes of the
// text file and the settings file, alike on every system.
#pragma once

#include <cstddef>
#include <string>

namespace trivant {

// Characters missing from Windows-1251 and invalid UTF-8 bytes become '?'.
std::string Utf8ToCp1251(const std::string& utf8);
// The one byte Windows-1251 leaves undefined (0x98) becomes '?'.
std::string Cp1251ToUtf8(const std::string& cp1251);

// The first maxChars characters of a UTF-8 string; a stray byte counts as one.
std::string CutToChars(const std::string& utf8, size_t maxChars);

}  // namespace trivant
