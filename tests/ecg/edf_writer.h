// A small EDF/EDF+/BDF writer for tests: signals of whole 1 s data records, and EDF+
// annotations (onset in seconds, text) in an "EDF Annotations" signal.
#pragma once

#include <cmath>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace trivant::test {

struct EdfSignalIn {
    std::string label, unit;
    double physMin, physMax;
    std::vector<float> values;  // rate samples per record
};

inline std::string Padded(const std::string& s, size_t n) {
    return (s + std::string(n, ' ')).substr(0, n);
}

inline std::string Num(double v, size_t n) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.10g", v);  // test data only: the C locale here
    return Padded(buf, n);
}

inline std::string WriteEdfBytes(bool bdf, int rate, const std::vector<EdfSignalIn>& signals,
                                 const std::vector<std::pair<double, std::string>>& notes) {
    const int width = bdf ? 3 : 2;
    const double digMax = bdf ? 8388607 : 32767, digMin = -digMax;
    const bool plus = !notes.empty();
    const int annSpr = 60;  // 120 or 180 bytes per record
    const size_t ns = signals.size() + (plus ? 1 : 0);
    const size_t records = signals[0].values.size() / rate;
    std::string h = bdf ? std::string("\xff"
                                      "BIOSEMI",
                                      8)
                        : Padded("0", 8);
    h += Padded("X X X X", 80) + Padded("Startdate 01-MAR-2024 X X X", 80) + "01.03.24" +
         "22.15.30" + Num(256.0 * (ns + 1), 8) + Padded(plus ? "EDF+C" : (bdf ? "24BIT" : ""), 44) +
         Num(records, 8) + Num(1, 8) + Num(ns, 4);
    auto field = [&](auto get, size_t n) {
        for (const EdfSignalIn& s : signals)
            h += get(s, n);
        if (plus)
            h += get(EdfSignalIn{bdf ? "BDF Annotations" : "EDF Annotations", "", -1, 1, {}}, n);
    };
    field([](const EdfSignalIn& s, size_t n) { return Padded(s.label, n); }, 16);
    field([](const EdfSignalIn&, size_t n) { return Padded("", n); }, 80);
    field([](const EdfSignalIn& s, size_t n) { return Padded(s.unit, n); }, 8);
    field([](const EdfSignalIn& s, size_t n) { return Num(s.physMin, n); }, 8);
    field([](const EdfSignalIn& s, size_t n) { return Num(s.physMax, n); }, 8);
    field([&](const EdfSignalIn&, size_t n) { return Num(digMin, n); }, 8);
    field([&](const EdfSignalIn&, size_t n) { return Num(digMax, n); }, 8);
    field([](const EdfSignalIn&, size_t n) { return Padded("", n); }, 80);
    field([&](const EdfSignalIn& s, size_t n) { return Num(s.values.empty() ? annSpr : rate, n); },
          8);
    field([](const EdfSignalIn&, size_t n) { return Padded("", n); }, 32);
    for (size_t r = 0; r < records; ++r) {
        for (const EdfSignalIn& s : signals)
            for (int i = 0; i < rate; ++i) {
                const double v = s.values[r * rate + i];
                const double x = (v - s.physMin) / (s.physMax - s.physMin);
                const long d = std::lround(digMin + x * (digMax - digMin));
                for (int b = 0; b < width; ++b)
                    h += static_cast<char>((d >> (8 * b)) & 0xff);
            }
        if (!plus)
            continue;
        std::string tal = "+" + std::to_string(r) + "\x14\x14" + std::string(1, '\0');
        for (const auto& [onset, text] : notes)
            if (static_cast<size_t>(onset) == r)
                tal += "+" + std::to_string(onset).substr(0, 5) + "\x14" + text + "\x14" +
                       std::string(1, '\0');
        h += (tal + std::string(annSpr * width, '\0')).substr(0, annSpr * width);
    }
    return h;
}

}  // namespace trivant::test
