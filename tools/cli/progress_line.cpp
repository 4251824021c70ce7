// Carriage returns keep the count on one line; spaces blank it before other output.
#include "progress_line.h"

namespace trivant {

void ProgressLine::show(std::size_t done, Clock::time_point now) {
    if (!enabled_ || (drawn_ > 0 && done < total_ && now - last_ < kRedrawEvery))
        return;
    const std::string text = "analysed " + std::to_string(done) + "/" + std::to_string(total_);
    term_ << '\r' << text << std::flush;  // the count only grows: no leftovers to blank
    drawn_ = text.size();
    last_ = now;
}

void ProgressLine::message(std::ostream& to, const std::string& line) {
    if (drawn_ > 0)
        term_ << '\r' << std::string(drawn_, ' ') << '\r';
    drawn_ = 0;
    to << line << '\n' << std::flush;
}

void ProgressLine::finish() {
    if (drawn_ > 0)
        term_ << '\n' << std::flush;
    drawn_ = 0;
}

}  // namespace trivant
