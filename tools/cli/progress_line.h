// A count of files done on one terminal line ("analysed 12/64"), redrawn in place.
#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>

namespace trivant {

class ProgressLine {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kRedrawEvery{100};

    // Writes nothing at all unless enabled.
    ProgressLine(std::ostream& term, std::size_t total, bool enabled)
        : term_(term), total_(total), enabled_(enabled) {}

    // Redraws the count, unless it was drawn less than kRedrawEvery ago; the last count
    // and the first after a message are always drawn.
    void show(std::size_t done, Clock::time_point now);
    // Writes line and a newline to to, first blanking the count so the line takes its place.
    void message(std::ostream& to, const std::string& line);
    // Ends the count's line.
    void finish();

private:
    std::ostream& term_;
    std::size_t total_;
    bool enabled_;
    std::size_t drawn_ = 0;  // characters of the count on screen, 0 when none
    Clock::time_point last_;
};

}  // namespace trivant
