// The strap choice's file: what each content reads as, and a save read back.
#include "strap_choice.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace trivant::test {
namespace {

struct ChoiceCase {
    const char* content;  // nullptr: no file
    bool strap;
    const char* address;
    const char* name;
};

TEST(StrapChoice, ContentsAndRoundTrip) {
    const ChoiceCase cases[] = {
        {nullptr, false, "", ""},
        {"serial\n", false, "", ""},
        {"strap\tC0:FF:EE:12:34:56\tPolar H10 A1B2\n", true, "C0:FF:EE:12:34:56", "Polar H10 A1B2"},
        {"strap\tC0:FF:EE:12:34:56\r\n", true, "C0:FF:EE:12:34:56", ""},
        {"strap\t\tnameless\n", false, "", ""},  // no address: the serial device
        {"strap\n", false, "", ""},
        {"bluetooth\tC0:FF\tx\n", false, "", ""},
    };
    for (const ChoiceCase& c : cases) {
        TempDir dir;
        if (c.content)
            dir.write("strap", c.content);
        const StrapChoice got = LoadStrapChoice(dir.file("strap"));
        EXPECT_EQ(got.strap, c.strap) << (c.content ? c.content : "none");
        EXPECT_EQ(got.address, c.address);
        EXPECT_EQ(got.name, c.name);
    }
    TempDir dir;
    const StrapChoice tabbed{true, "AA:BB", "H10\tchest\nstrap"};
    ASSERT_TRUE(SaveStrapChoice(dir.file("strap"), tabbed).ok);
    EXPECT_EQ(LoadStrapChoice(dir.file("strap")).name, "H10 chest strap");
    ASSERT_TRUE(SaveStrapChoice(dir.file("strap"), StrapChoice{}).ok);
    EXPECT_EQ(dir.read("strap"), "serial\n");
}

}  // namespace
}  // namespace trivant::test
