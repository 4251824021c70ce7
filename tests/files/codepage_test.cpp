// Windows-1251 conversion: Russian text, characters the code page lacks, broken UTF-8,
// and arbitrary bytes in both directions.
#include "codepage.h"

#include <gtest/gtest.h>

#include <random>

#ifndef _WIN32
#include <iconv.h>
#endif

namespace trivant {
namespace {

struct ConvCase {
    const char* name;
    std::string utf8;
    std::string cp1251;
};

void PrintTo(const ConvCase& c, std::ostream* os) {
    *os << c.name;
}

class FilesCodepageToCp1251 : public ::testing::TestWithParam<ConvCase> {};

TEST_P(FilesCodepageToCp1251, Converts) {
    EXPECT_EQ(Utf8ToCp1251(GetParam().utf8), GetParam().cp1251);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilesCodepageToCp1251,
    ::testing::Values(ConvCase{"Empty", "", ""}, ConvCase{"Ascii", "NN/10,", "NN/10,"},
                      ConvCase{"Russian", "тест", "\xF2\xE5\xF1\xF2"},
                      ConvCase{"SpecialLetters", "Ёё№€", "\xA8\xB8\xB9\x88"},
                      ConvCase{"Nul", std::string("a\0b", 3), std::string("a\0b", 3)},
                      ConvCase{"MissingChinese", "中", "?"}, ConvCase{"MissingEmoji", "a😀b", "a?b"},
                      ConvCase{"StrayByte", "\xFF", "?"}, ConvCase{"CutSequence", "a\xD1", "a?"},
                      ConvCase{"Overlong", "\xC0\xAF", "??"},
                      ConvCase{"Surrogate", "\xED\xA0\x80x", "???x"},
                      ConvCase{"AboveUnicode", "\xF4\x90\x80\x80", "????"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FilesCodepage, EveryDefinedByteSurvivesARoundTrip) {
    for (int b = 0; b < 256; ++b) {
        if (b == 0x98)
            continue;
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(one)), one) << "byte " << b;
    }
}

#ifndef _WIN32
// The table against the C library's converter, byte by byte: what iconv makes of each
// defined byte, and each byte back from that character.
TEST(FilesCodepage, TableAgreesWithIconv) {
    const iconv_t toUtf8 = iconv_open("UTF-8", "CP1251");
    ASSERT_NE(toUtf8, reinterpret_cast<iconv_t>(-1));
    for (int b = 0x80; b <= 0xFF; ++b) {
        char in = static_cast<char>(b), out[8] = {};
        char *src = &in, *dst = out;
        size_t srcLeft = 1, dstLeft = sizeof out;
        if (iconv(toUtf8, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1)) {
            EXPECT_EQ(Cp1251ToUtf8(std::string(1, in)), "?") << b;
            continue;
        }
        const std::string utf8(out, static_cast<size_t>(dst - out));
        EXPECT_EQ(Cp1251ToUtf8(std::string(1, in)), utf8) << b;
        EXPECT_EQ(Utf8ToCp1251(utf8), std::string(1, in)) << b;
    }
    iconv_close(toUtf8);
}
#endif

TEST(FilesCodepage, ReadsRussianAndMarksTheUndefinedByte) {
    EXPECT_EQ(Cp1251ToUtf8("\xF2\xE5\xF1\xF2"), "тест");
    EXPECT_EQ(Cp1251ToUtf8("a\x98z"), "a?z");
}

struct CutCase {
    std::string text;
    size_t maxChars;
    std::string expected;
};

TEST(FilesCodepage, CutsByCharactersNotBytes) {
    const CutCase cases[] = {{"тест", 2, "те"},
                             {"abc", 5, "abc"},
                             {"abc", 0, ""},
                             {"a\xFF"
                              "bc",
                              2, "a\xFF"},
                             {"€uro", 1, "€"},
                             {"", 3, ""}};
    for (const CutCase& c : cases)
        EXPECT_EQ(CutToChars(c.text, c.maxChars), c.expected) << c.text << " " << c.maxChars;
}

TEST(FilesCodepage, CutTextNeverExceedsItsRoomInCp1251) {
    const std::string mixed = "Дa\xFF😀\xC0中ё";
    for (size_t n = 0; n <= 10; ++n)
        EXPECT_LE(Utf8ToCp1251(CutToChars(mixed, n)).size(), n);
}

TEST(FilesCodepage, ArbitraryBytesConvertWithoutFault) {
    std::mt19937 gen(1251);
    std::uniform_int_distribution<int> byte(0, 255), len(0, 64);
    for (int i = 0; i < 2000; ++i) {
        std::string s(static_cast<size_t>(len(gen)), '\0');
        for (char& c : s)
            c = static_cast<char>(byte(gen));
        EXPECT_LE(Utf8ToCp1251(s).size(), s.size());
        EXPECT_LE(Cp1251ToUtf8(s).size(), 3 * s.size());
    }
}

}  // namespace
}  // namespace trivant
