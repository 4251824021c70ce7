// The count of files done: redrawn at most every 100 ms, blanked before a message, and
// always shown at the end.
#include "progress_line.h"

#include <gtest/gtest.h>

#include <sstream>

namespace trivant::test {
namespace {

using Ms = std::chrono::milliseconds;

struct Step {
    int done;  // 0: a message "m" instead of a count
    int atMs;
    const char* shows;
};

TEST(ProgressLine, RedrawsSeldomAndMakesRoomForMessages) {
    const Step steps[] = {
        {1, 0, "\ranalysed 1/5"},   {2, 50, ""},
        {3, 150, "\ranalysed 3/5"}, {0, 160, "\r            \rm\n"},
        {4, 170, "\ranalysed 4/5"}, {5, 180, "\ranalysed 5/5"},
    };
    std::ostringstream term;
    ProgressLine line(term, 5, true);
    const ProgressLine::Clock::time_point t0{};
    for (const Step& s : steps) {
        SCOPED_TRACE(s.atMs);
        term.str("");
        if (s.done == 0)
            line.message(term, "m");
        else
            line.show(s.done, t0 + Ms(s.atMs));
        EXPECT_EQ(term.str(), s.shows);
    }
    term.str("");
    line.finish();
    EXPECT_EQ(term.str(), "\n");
}

TEST(ProgressLine, DisabledWritesOnlyTheMessages) {
    std::ostringstream term;
    ProgressLine line(term, 5, false);
    line.show(1, {});
    line.message(term, "m");
    line.show(5, {});
    line.finish();
    EXPECT_EQ(term.str(), "m\n");
}

}  // namespace
}  // namespace trivant::test
