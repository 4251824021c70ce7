// Numbers in text: the shortest form that reads back the same, a point in any locale.
#include "number_text.h"

#include "locale_scope.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace trivant::test {
namespace {

TEST(NumberText, ShortestExactFormWhateverTheLocale) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {329.503, "329.503"},  // "%.17g" gave 329.50299999999999
        {801.39337, "801.39337"},
        {0.904, "0.904"},
        {300, "300"},
        {-0.5, "-0.5"},
        {0, "0"},
        {1e-7, "1e-07"},
        {0.1 + 0.2, "0.30000000000000004"},
        {std::numeric_limits<double>::infinity(), "inf"},
    };
    for (const char* name : {"C", kRussianLocale}) {
        LocaleScope locale(name);
        if (!locale.ok())
            GTEST_SKIP() << name << " is not installed";
        for (const auto& c : cases) {
            EXPECT_EQ(NumberText(c.value), c.text) << name;
            double back = 0;
            EXPECT_TRUE(ParseNumber(c.text, back) && back == c.value) << c.text;
        }
        double v = 0;
        EXPECT_FALSE(ParseNumber("0,904", v)) << name;  // a comma is never a decimal point
        EXPECT_FALSE(ParseNumber("", v)) << name;
        EXPECT_TRUE(ParseNumber("nan", v) && std::isnan(v));
    }
}

}  // namespace
}  // namespace trivant::test
