// The protocol's steps over beat time, and the rates as typed into the training window.
#include "resonance_protocol.h"

#include "pacer.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace trivant {

namespace {

// The start of step i after the protocol's start, computed as PlannedSegments does.
double stepStartS(const ResonancePlan& plan, size_t i) {
    return static_cast<double>(i) * plan.minutes * 60;
}

// The items of the text; separators are ';', blanks and, when commaParts, ','.
std::vector<std::string> items(const std::string& text, bool commaParts) {
    std::vector<std::string> out;
    std::string cur;
    for (const char c : text) {
        const bool sep = c == ';' || c == ' ' || c == '\t' || (commaParts && c == ',');
        if (!sep) {
            cur += c;
            continue;
        }
        if (!cur.empty())
            out.push_back(cur);
        cur.clear();
    }
    if (!cur.empty())
        out.push_back(cur);
    return out;
}

RatesError check(std::string item, double& v) {
    std::replace(item.begin(), item.end(), ',', '.');
    const char* last = item.data() + item.size();
    const auto [p, ec] = std::from_chars(item.data(), last, v);
    if (ec != std::errc() || p != last || !std::isfinite(v))
        return RatesError::NotNumber;
    if (v < kPacerMinRate || v > kPacerMaxRate)
        return RatesError::OutOfRange;
    const double steps = v / kPacerRateStep;
    if (std::abs(steps - std::round(steps)) > 1e-9)
        return RatesError::OffGrid;
    v = std::round(steps) * kPacerRateStep;
    return RatesError::None;
}

}  // namespace

ProtocolStep StepAt(const ResonancePlan& plan, double elapsedS) {
    const size_t n = plan.ratesBpm.size();
    ProtocolStep s;
    if (n == 0 || !(plan.minutes > 0)) {
        s.done = true;
        return s;
    }
    // A first guess by division, then the same products PlannedSegments uses decide.
    const double guess = std::floor(std::max(0.0, elapsedS) / (plan.minutes * 60));
    size_t i = static_cast<size_t>(std::min(guess, static_cast<double>(n)));
    while (i > 0 && elapsedS < stepStartS(plan, i))
        --i;
    while (i < n && elapsedS >= stepStartS(plan, i + 1))
        ++i;
    s.index = i;
    s.done = i >= n;
    s.leftS = s.done ? 0 : stepStartS(plan, i + 1) - std::max(0.0, elapsedS);
    return s;
}

ParsedRates ParseRates(const std::string& text) {
    const bool commaParts =
        text.find(';') == std::string::npos && text.find('.') != std::string::npos;
    ParsedRates out;
    for (const std::string& item : items(text, commaParts)) {
        double v = 0;
        out.error = check(item, v);
        if (out.error != RatesError::None) {
            out.bad = item;
            out.ratesBpm.clear();
            return out;
        }
        out.ratesBpm.push_back(v);
    }
    if (out.ratesBpm.empty())
        out.error = RatesError::Empty;
    return out;
}

std::string RateLabelName(double rateBpm) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, rateBpm, std::chars_format::fixed, 1);
    return "темп " + std::string(buf, r.ptr);
}

}  // namespace trivant
