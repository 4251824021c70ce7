// Windows-1251 <-> UTF-8 through iconv on POSIX and the code-page API on Windows.
// Whatever the input, the result is defined: refused input becomes '?'.
#include "codepage.h"

#include <algorithm>
#include <cerrno>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace trivant {
namespace {

// Length of the valid UTF-8 sequence at p (1..4), or 0 when the bytes there are not one.
// Overlong forms, surrogates and code points above U+10FFFF are invalid, as iconv has it.
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

#ifdef _WIN32

std::wstring toWide(UINT cp, const std::string& in) {
    if (in.empty())
        return {};
    const int n = MultiByteToWideChar(cp, 0, in.data(), static_cast<int>(in.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(std::max(n, 0)), L'\0');
    MultiByteToWideChar(cp, 0, in.data(), static_cast<int>(in.size()), w.data(), n);
    return w;
}

std::string fromWide(UINT cp, const std::wstring& w) {
    if (w.empty())
        return {};
    const DWORD flags = cp == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* dflt = cp == CP_UTF8 ? nullptr : "?";
    const int wn = static_cast<int>(w.size());
    const int n = WideCharToMultiByte(cp, flags, w.data(), wn, nullptr, 0, dflt, nullptr);
    std::string out(static_cast<size_t>(std::max(n, 0)), '\0');
    WideCharToMultiByte(cp, flags, w.data(), wn, out.data(), n, dflt, nullptr);
    return out;
}

std::string convert(UINT to, UINT from, const std::string& in) {
    return fromWide(to, toWide(from, in));
}

#else

size_t byteUnit(const unsigned char*, size_t) {
    return 1;
}

using UnitFn = size_t (*)(const unsigned char*, size_t);

class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Iconv() {
        if (ok())
            iconv_close(cd_);
    }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

// Output buffer that grows on demand; iconv writes through pos/left.
struct OutBuf {
    std::string text;
    char* pos = nullptr;
    size_t left = 0;

    explicit OutBuf(size_t size) : text(size, '\0'), pos(text.data()), left(size) {}
    void grow(size_t atLeast) {
        const size_t used = text.size() - left;
        text.resize(text.size() + std::max(atLeast, text.size()));
        pos = text.data() + used;
        left = text.size() - used;
    }
    std::string finish() {
        text.resize(text.size() - left);
        return std::move(text);
    }
};

// ASCII passes, everything else becomes '?': used only when iconv lacks a code page.
std::string asciiOnly(const std::string& in, UnitFn unit) {
    std::string out;
    const auto* p = reinterpret_cast<const unsigned char*>(in.data());
    for (size_t i = 0; i < in.size();) {
        out += p[i] < 0x80 ? static_cast<char>(p[i]) : '?';
        i += p[i] < 0x80 ? 1 : std::min(unit(p + i, in.size() - i), in.size() - i);
    }
    return out;
}

std::string convert(const char* to, const char* from, const std::string& in, UnitFn unit,
                    size_t outPerIn) {
    Iconv cd(to, from);
    if (!cd.ok())
        return asciiOnly(in, unit);
    OutBuf out(in.size() * outPerIn + 4);
    char* src = const_cast<char*>(in.data());  // iconv's signature is not const-correct
    size_t srcLeft = in.size();
    while (srcLeft > 0) {
        if (iconv(cd.get(), &src, &srcLeft, &out.pos, &out.left) != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG) {
            out.grow(srcLeft * outPerIn + 4);
            continue;
        }
        // EILSEQ or EINVAL: drop one unit and mark it.
        const size_t n = unit(reinterpret_cast<unsigned char*>(src), srcLeft);
        src += std::min(n, srcLeft);
        srcLeft -= std::min(n, srcLeft);
        if (out.left == 0)
            out.grow(1);
        *out.pos++ = '?';
        --out.left;
        iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
    }
    return out.finish();
}

#endif

}  // namespace

#ifdef _WIN32

std::string Utf8ToCp1251(const std::string& utf8) {
    return convert(1251, CP_UTF8, utf8);
}
std::string Cp1251ToUtf8(const std::string& cp1251) {
    return convert(CP_UTF8, 1251, cp1251);
}

#else

// One character never takes more bytes in Windows-1251 than in UTF-8, and at most three in
// UTF-8 for one Windows-1251 byte.
std::string Utf8ToCp1251(const std::string& utf8) {
    return convert("CP1251", "UTF-8", utf8, utf8Unit, 1);
}
std::string Cp1251ToUtf8(const std::string& cp1251) {
    return convert("UTF-8", "CP1251", cp1251, byteUnit, 3);
}

#endif

std::string CutToChars(const std::string& utf8, size_t maxChars) {
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    size_t i = 0;
    for (size_t chars = 0; chars < maxChars && i < utf8.size(); ++chars)
        i += utf8Unit(p + i, utf8.size() - i);
    return utf8.substr(0, i);
}

}  // namespace trivant
