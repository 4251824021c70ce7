// Path splitting on the last "\" or "/", whichever comes later.
#include "path_parts.h"

namespace trivant {
namespace {

constexpr const char* kSeparators = "\\/";

}  // namespace

std::string FolderOf(const std::string& path) {
    const size_t sep = path.find_last_of(kSeparators);
    return sep == std::string::npos ? std::string() : path.substr(0, sep);
}

std::string BaseNameOf(const std::string& path) {
    const size_t sep = path.find_last_of(kSeparators);
    const size_t start = sep == std::string::npos ? 0 : sep + 1;
    const size_t dot = path.find_last_of('.');
    const size_t end = dot == std::string::npos || dot < start ? path.size() : dot;
    return path.substr(start, end - start);
}

}  // namespace trivant
