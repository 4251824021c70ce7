// The process's C locale set for a scope, as QApplication sets it from LC_ALL, and put back
// after: numbers in files must not follow it.
#pragma once

#include <clocale>
#include <string>

namespace trivant::test {

constexpr const char* kRussianLocale = "ru_RU.UTF-8";

class LocaleScope {
public:
    explicit LocaleScope(const char* name) : saved_(std::setlocale(LC_ALL, nullptr)) {
        ok_ = std::setlocale(LC_ALL, name) != nullptr;
    }
    ~LocaleScope() { std::setlocale(LC_ALL, saved_.c_str()); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

    // False when the locale is not installed (scripts/deps.sh makes ru_RU.UTF-8).
    bool ok() const { return ok_; }
    // The locale's own decimal separator: "," for ru_RU, "." for C.
    static std::string decimalPoint() { return std::localeconv()->decimal_point; }

private:
    std::string saved_;
    bool ok_ = false;
};

}  // namespace trivant::test
