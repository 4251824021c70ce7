#include "strap_choice.h"

namespace trivant {

StrapChoice LoadStrapChoice(const std::string& path) {
    std::string text;
    StrapChoice c;
    if (path.empty() || !ReadFileBytes(path, text, 4096).ok)
        return c;
    text = text.substr(0, text.find_first_of("\r\n"));
    const size_t a = text.find('\t');
    if (text.substr(0, a) != "strap" || a == std::string::npos)
        return c;
    const size_t n = text.find('\t', a + 1);
    c.address = text.substr(a + 1, n == std::string::npos ? n : n - a - 1);
    c.name = n == std::string::npos ? std::string() : text.substr(n + 1);
    c.strap = !c.address.empty();
    return c.strap ? c : StrapChoice{};
}

IoStatus SaveStrapChoice(const std::string& path, const StrapChoice& choice) {
    // Tabs and line ends inside a name would change the file's shape.
    std::string name = choice.name;
    for (char& ch : name)
        if (ch == '\t' || ch == '\r' || ch == '\n')
            ch = ' ';
    return WriteFileAtomic(path, choice.strap ? "strap\t" + choice.address + "\t" + name + "\n"
                                              : std::string("serial\n"));
}

}  // namespace trivant
