// The interface language from the environment, and what installing it changes: our English
// texts, the decimal sign, the default locale, Qt's own texts in Russian.
#include "translation.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QLocale>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

namespace trivant {
namespace {

struct EnvCase {
    std::map<std::string, std::string> env;
    UiLanguage expected;
};

TEST(ChooseUiLanguage, FollowsTheEnvironment) {
    const auto ru = UiLanguage::Russian, en = UiLanguage::English;
    const EnvCase cases[] = {
        {{}, ru},
        {{{"LANG", ""}}, ru},
        {{{"LANG", "C"}}, ru},
        {{{"LANG", "C.UTF-8"}}, ru},
        {{{"LANG", "POSIX"}}, ru},
        {{{"LANG", "ru_RU.UTF-8"}}, ru},
        {{{"LANG", "ru_UA.UTF-8"}}, ru},
        {{{"LANG", "en_US.UTF-8"}}, en},
        {{{"LANG", "de_DE.UTF-8"}}, en},
        {{{"LANG", "en_US.UTF-8"}, {"LC_MESSAGES", "ru_RU.UTF-8"}}, ru},
        {{{"LANG", "ru_RU.UTF-8"}, {"LC_MESSAGES", "fr_FR.UTF-8"}}, en},
        {{{"LANG", "ru_RU.UTF-8"}, {"LC_ALL", "en_GB.UTF-8"}}, en},
        {{{"LANG", "en_US.UTF-8"}, {"LC_ALL", "C"}}, ru},
        {{{"LANG", "en_US.UTF-8"}, {"LANGUAGE", "ru:en"}}, ru},
        {{{"LANG", "ru_RU.UTF-8"}, {"LANGUAGE", "en_US:en"}}, en},
        {{{"LANGUAGE", "en"}}, ru},  // gettext too ignores LANGUAGE in the C locale
        {{{"LANG", "ru_RU.UTF-8"}, {"TRIVANT_LANG", "en"}}, en},
        {{{"LANG", "en_US.UTF-8"}, {"TRIVANT_LANG", "ru"}}, ru},
        {{{"LANG", "en_US.UTF-8"}, {"TRIVANT_LANG", "xx"}}, en},
        {{{"TRIVANT_LANG", "en"}}, en},
    };
    for (const EnvCase& c : cases) {
        const auto env = [&c](const char* name) {
            const auto it = c.env.find(name);
            return it == c.env.end() ? std::string() : it->second;
        };
        std::string where;
        for (const auto& [k, v] : c.env)
            where += k + "=" + v + " ";
        EXPECT_EQ(ChooseUiLanguage(env), c.expected) << where;
    }
}

TEST(Translation, EnglishIsCompiledIntoTheProgram) {
    EXPECT_TRUE(QFile::exists(":/i18n/trivant_en.qm"));
}

// The states follow one another in this order within the one process.
TEST(Translation, InstallingChangesTextsNumbersAndLocale) {
    ASSERT_EQ(CurrentUiLanguage(), UiLanguage::Russian);
    EXPECT_EQ(DecimalText("0.05"), "0,05");
    EXPECT_EQ(TrMessage("Нет датчика"), QString::fromUtf8("Нет датчика"));

    const char* const beat[] = {"удар", "удара", "ударов"};
    const char* const counted[] = {"0 ударов",  "1 удар",    "2 удара", "4 удара",  "5 ударов",
                                   "11 ударов", "12 ударов", "21 удар", "22 удара", "111 ударов"};
    for (const char* text : counted)
        EXPECT_EQ(CountedText(std::atoi(text), beat[0], beat[1], beat[2]), QString::fromUtf8(text));

    auto& app = *QCoreApplication::instance();
    EXPECT_TRUE(InstallTranslations(app, UiLanguage::Russian));  // Qt's own, qtbase_ru
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Open"), "Open");
    EXPECT_EQ(DecimalText("0.05"), "0,05");
    // Russian dates whatever the locale, C's included, whose months are English.
    EXPECT_EQ(DateLocale().toString(QDate(2026, 12, 9), QLocale::ShortFormat), "09.12.2026");

    ASSERT_TRUE(InstallTranslations(app, UiLanguage::English));
    EXPECT_EQ(CurrentUiLanguage(), UiLanguage::English);
    EXPECT_EQ(TrMessage("Нет датчика"), "No sensor");
    EXPECT_EQ(TrMessage(std::string("Прибор не подключен")), "Device not connected");
    EXPECT_EQ(TrMessage("not a marked text"), "not a marked text");
    EXPECT_EQ(DecimalText("0.05"), "0.05");
    EXPECT_EQ(QLocale().language(), QLocale::English);
    EXPECT_EQ(CountedText(1, beat[0], beat[1], beat[2]), "1 beat");
    EXPECT_EQ(CountedText(2, beat[0], beat[1], beat[2]), "2 beats");
}

}  // namespace
}  // namespace trivant
