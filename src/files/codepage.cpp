// Windows-1251 <-> UTF-8 by the code page's table, the same on every system (the POSIX
// iconv and the Windows code-page API each treat invalid input their own way).
// Whatever the input, the result is defined: refused input becomes '?'.
#include "codepage.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace trivant {
namespace {

// The characters of bytes 0x80..0xFF; 0 for 0x98, which Windows-1251 leaves undefined.
constexpr std::array<uint16_t, 128> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039,
    0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0,      0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408,
    0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB,
    0x0458, 0x0405, 0x0455, 0x0457, 0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423,
    0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, 0x0438, 0x0439, 0x043A, 0x043B,
    0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

// Length of the valid UTF-8 sequence at p (1..4), or 0 when the bytes there are not one.
// Overlong forms, surrogates and code points above U+10FFFF are invalid.
size_t utf8SeqLen(const unsigned char* p, size_t n) {
    const unsigned char b = p[0];
    size_t len = 0;
    unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF)
        len = 2;
    else if (b >= 0xE0 && b <= 0xEF)
        len = 3;
    else if (b >= 0xF0 && b <= 0xF4)
        len = 4;
    else
        return 0;
    if (b == 0xE0)
        lo = 0xA0;
    if (b == 0xED)
        hi = 0x9F;
    if (b == 0xF0)
        lo = 0x90;
    if (b == 0xF4)
        hi = 0x8F;
    if (n < len || p[1] < lo || p[1] > hi)
        return 0;
    for (size_t i = 2; i < len; ++i)
        if ((p[i] & 0xC0) != 0x80)
            return 0;
    return len;
}

// How many input bytes one refused unit spans: a whole valid character, else one byte.
size_t utf8Unit(const unsigned char* p, size_t n) {
    return std::max<size_t>(1, utf8SeqLen(p, n));
}

// The code point of the valid sequence of len bytes at p.
uint32_t codePoint(const unsigned char* p, size_t len) {
    static constexpr unsigned char kLead[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    uint32_t c = p[0] & kLead[len];
    for (size_t i = 1; i < len; ++i)
        c = (c << 6) | (p[i] & 0x3F);
    return c;
}

void appendUtf8(std::string& out, uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The Windows-1251 byte of a character, or '?' when the code page has none.
char cp1251Of(uint32_t c) {
    if (c < 0x80)
        return static_cast<char>(c);
    const auto it = std::find(kHighHalf.begin(), kHighHalf.end(), c);
    return it == kHighHalf.end() ? '?' : static_cast<char>(0x80 + (it - kHighHalf.begin()));
}

}  // namespace

std::string Utf8ToCp1251(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    for (size_t i = 0; i < utf8.size();) {
        const size_t len = utf8SeqLen(p + i, utf8.size() - i);
        out += len == 0 ? '?' : cp1251Of(codePoint(p + i, len));
        i += std::max<size_t>(len, 1);
    }
    return out;
}

std::string Cp1251ToUtf8(const std::string& cp1251) {
    std::string out;
    out.reserve(cp1251.size() * 2);
    for (const char ch : cp1251) {
        const auto b = static_cast<unsigned char>(ch);
        const uint32_t c = b < 0x80 ? b : kHighHalf[b - 0x80];
        appendUtf8(out, b >= 0x80 && c == 0 ? '?' : c);
    }
    return out;
}

std::string CutToChars(const std::string& utf8, size_t maxChars) {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    size_t i = 0;
    for (size_t chars = 0; chars < maxChars && i < utf8.size(); ++chars)
        i += utf8Unit(p + i, utf8.size() - i);
    return utf8.substr(0, i);
}

}  // namespace trivant
