// Binary files read in place by offset, on a UTF-8 path.
#include "ecg_file.h"

#include <filesystem>

namespace trivant {

bool EcgFile::Open(const std::string& path) {
    in_.close();
    size_ = 0;
    in_.open(std::filesystem::u8path(path), std::ios::binary);
    if (!in_)
        return false;
    in_.seekg(0, std::ios::end);
    const std::streamoff end = in_.tellg();
    if (!in_ || end < 0)
        return false;
    size_ = static_cast<int64_t>(end);
    return true;
}

bool EcgFile::ReadAt(int64_t offset, char* out, size_t n) {
    if (offset < 0 || offset > size_ || static_cast<int64_t>(n) > size_ - offset)
        return false;
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(offset));
    in_.read(out, static_cast<std::streamsize>(n));
    return in_.gcount() == static_cast<std::streamsize>(n);
}

bool ReadSmallFile(const std::string& path, size_t maxBytes, std::string& out, bool& tooLong) {
    out.clear();
    tooLong = false;
    EcgFile file;
    if (!file.Open(path))
        return false;
    if (file.size() > static_cast<int64_t>(maxBytes)) {
        tooLong = true;
        return false;
    }
    out.resize(static_cast<size_t>(file.size()));
    return file.ReadAt(0, out.data(), out.size());
}

std::string PathBeside(const std::string& path, const std::string& name) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? name : path.substr(0, slash + 1) + name;
}

}  // namespace trivant
