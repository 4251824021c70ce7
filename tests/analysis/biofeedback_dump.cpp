// Test tool: the biofeedback figures of a beat series at every STRIDE-th beat, for
// biofeedback_oracle.py to check. Input lines "t_s rr_ms"; output lines
// "beat ratio peak_hz amplitude_at_cycle amplitude_at_peak rmssd_60s", "-" where empty.
// Usage: biofeedback_dump SERIES CYCLE_S STRIDE
#include "biofeedback.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace trivant {
namespace {

std::string text(std::optional<double> v) {
    if (!v)
        return "-";
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, *v);
    return std::string(buf, r.ptr);
}

bool parse(const std::string& all, std::vector<double>& out) {
    const char* p = all.data();
    const char* end = p + all.size();
    while (p < end) {
        while (p < end && (*p == ' ' || *p == '\n'))
            ++p;
        if (p == end)
            break;
        double v = 0;
        const auto r = std::from_chars(p, end, v);
        if (r.ec != std::errc())
            return false;
        out.push_back(v);
        p = r.ptr;
    }
    return out.size() % 2 == 0;
}

int run(int argc, char** argv) {
    if (argc != 4)
        return 2;
    std::ifstream in(argv[1], std::ios::binary);
    const std::string all{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<double> pairs;
    if (!in || !parse(all, pairs))
        return 2;
    std::vector<double> t, rr;
    for (size_t i = 0; i < pairs.size(); i += 2) {
        t.push_back(pairs[i]);
        rr.push_back(pairs[i + 1]);
    }
    const double cycleS = std::stod(argv[2]);
    const auto stride = static_cast<size_t>(std::stoul(argv[3]));
    for (size_t i = 0; i < t.size(); i += stride) {
        const BeatSeries s{t.data(), rr.data(), i + 1};
        const auto c = CoherenceRatio(s);
        std::optional<double> ratio, peak, atPeak;
        if (c) {
            ratio = c->ratio;
            peak = c->peakHz;
            atPeak = Amplitude(s, 1 / c->peakHz);
        }
        std::printf("%zu %s %s %s %s %s\n", i, text(ratio).c_str(), text(peak).c_str(),
                    text(Amplitude(s, cycleS)).c_str(), text(atPeak).c_str(),
                    text(Rmssd60(s)).c_str());
    }
    return 0;
}

}  // namespace
}  // namespace trivant

int main(int argc, char** argv) {
    return trivant::run(argc, argv);
}
