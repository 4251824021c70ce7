// Binary files read in place, by offset, as a day's ECG record must be: std::ifstream in
// binary mode on a UTF-8 path, so that Windows opens the same names.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

namespace trivant {

class EcgFile {
public:
    // False when path can't be opened; size() is then 0.
    bool Open(const std::string& path);
    int64_t size() const { return size_; }
    // Exactly n bytes from offset on into out; false on a short or failed read.
    bool ReadAt(int64_t offset, char* out, size_t n);

private:
    std::ifstream in_;
    int64_t size_ = 0;
};

// The whole of a small file, at most maxBytes of it (longer is a failure); false when it
// can't be opened.
bool ReadSmallFile(const std::string& path, size_t maxBytes, std::string& out, bool& tooLong);

// The path of name beside the file at path: "dir/101.hea" + "101.dat" -> "dir/101.dat".
std::string PathBeside(const std::string& path, const std::string& name);

}  // namespace trivant
