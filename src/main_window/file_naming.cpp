// File naming rules of the open and save commands.
#include "file_naming.h"

#include "path_parts.h"

#include <algorithm>

namespace trivant {

std::string SaveNameWithUnderscores(const std::string& path) {
    const size_t sep = path.find_last_of("\\/");
    const size_t from = sep == std::string::npos ? 0 : sep + 1;
    std::string out = path;
    std::replace(out.begin() + static_cast<long>(from), out.end(), ' ', '_');
    return out;
}

std::string FileCaption(const std::string& shortDate, const std::string& path) {
    return shortDate + " " + BaseNameOf(path);
}

std::string ProposedFileName(const std::string& source, const std::string& suffix) {
    const std::string base = BaseNameOf(source);
    return FolderOf(source).empty() || base.empty() ? std::string() : base + suffix;
}

int FilterIndexOrDefault(int stored) {
    return stored == 2 ? 2 : 1;
}

}  // namespace trivant
