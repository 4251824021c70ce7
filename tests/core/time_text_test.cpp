// The hh:mm:ss read-out.
#include "time_text.h"

#include <gtest/gtest.h>

namespace trivant {
namespace {

TEST(TimeText, Table) {
    const std::pair<int64_t, const char*> cases[] = {
        {0, "00:00:00"},    {310, "00:05:10"},     {3599, "00:59:59"},
        {3600, "01:00:00"}, {360000, "100:00:00"}, {-5, "00:00:00"},
    };
    for (const auto& [s, want] : cases)
        EXPECT_EQ(TimeText(s), want) << s;
    EXPECT_EQ(TimeTextHundredths(31099), "00:05:10");
}

}  // namespace
}  // namespace trivant
