// MIT annotation files: 16-bit little-endian words, the code in the top 6 bits and the time
// since the previous annotation in the low 10; codes 59..63 modify time or the last one.
#include "wfdb_annotations.h"

#include "ecg_file.h"
#include "ecg_read.h"

namespace trivant {
namespace {

constexpr int kSkip = 59, kNum = 60, kSub = 61, kChn = 62, kAux = 63;
constexpr size_t kMaxAnnotationBytes = size_t{1} << 30;

const char* const kMnemonics[50] = {
    "",  "N", "L", "R", "a", "V",  "F", "J", "A", "S", "E", "j", "/", "Q", "~", "",  "|",
    "",  "s", "T", "*", "D", "\"", "=", "p", "B", "^", "t", "+", "u", "?", "!", "[", "]",
    "e", "n", "@", "x", "f", "(",  ")", "r", "",  "",  "",  "",  "",  "",  "",  ""};

unsigned Word(std::string_view b, size_t at) {
    return static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8);
}

}  // namespace

const char* WfdbCodeMnemonic(int code) {
    return code >= 0 && code < 50 ? kMnemonics[code] : "";
}

bool WfdbBeatCode(int code) {
    return (code >= 1 && code <= 13) || code == 25 || code == 30 || code == 34 || code == 35 ||
           code == 38;
}

bool DecodeWfdbAnnotations(std::string_view b, std::vector<EcgAnnotation>& out,
                           std::string& error) {
    std::vector<EcgAnnotation> got;
    int64_t t = 0;
    size_t at = 0;
    while (at + 2 <= b.size()) {
        const unsigned w = Word(b, at);
        const int code = static_cast<int>(w >> 10);
        const unsigned low = w & 0x3ff;
        at += 2;
        if (w == 0)
            break;
        if (code == kSkip) {
            if (at + 4 > b.size())
                break;
            // PDP-11 order: the high 16 bits first, each half little-endian.
            t += static_cast<int32_t>((Word(b, at) << 16) | Word(b, at + 2));
            at += 4;
        } else if (code == kAux) {
            const size_t n = std::min<size_t>(low, b.size() - at);
            if (!got.empty())
                got.back().text.assign(b.substr(at, n));
            at += low + (low & 1);
        } else if (code != kNum && code != kSub && code != kChn) {
            t += low;
            if (code != 0)
                got.push_back({t, WfdbCodeMnemonic(code), "", WfdbBeatCode(code)});
        }
        if (t < 0) {
            error = "an annotation before the record's start";
            return false;
        }
    }
    out.insert(out.end(), got.begin(), got.end());
    return true;
}

bool ReadWfdbAnnotations(const std::string& headerPath, const std::string& ext,
                         std::vector<EcgAnnotation>& out, std::string& error) {
    std::string path = headerPath;
    const size_t dot = path.find_last_of('.');
    const size_t slash = path.find_last_of("/\\");
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        path.resize(dot);
    path += "." + ext;
    std::string bytes;
    bool tooLong = false;
    if (!ReadSmallFile(path, kMaxAnnotationBytes, bytes, tooLong)) {
        error = tooLong ? path + ": too long for an annotation file" : "cannot open " + path;
        return false;
    }
    std::string why;
    if (!DecodeWfdbAnnotations(bytes, out, why)) {
        error = path + ": " + why;
        return false;
    }
    return true;
}

}  // namespace trivant
