// Choosing and installing the interface language.
#include "translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdlib>

namespace trivant {

namespace {

UiLanguage current = UiLanguage::Russian;

bool isPlain(const std::string& locale) {
    return locale.empty() || locale == "C" || locale.rfind("C.", 0) == 0 || locale == "POSIX";
}

bool isRussianOrNone(const std::string& locale) {
    return isPlain(locale) || locale.rfind("ru", 0) == 0;
}

std::string firstSet(const std::function<std::string(const char*)>& env,
                     std::initializer_list<const char*> names) {
    for (const char* name : names) {
        const std::string value = env(name);
        if (!value.empty())
            return value;
    }
    return {};
}

bool loadInto(QCoreApplication& app, const QString& file, const QString& dir = QString()) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(file, dir)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

// The user's regional formats stay when they agree with the language, C included for
// Russian (as before there were languages); otherwise the language's own formats.
void followLocale(UiLanguage language) {
    const QLocale::Language system = QLocale::system().language();
    if (language == UiLanguage::English && system != QLocale::English)
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    if (language == UiLanguage::Russian && system != QLocale::Russian && system != QLocale::C)
        QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

}  // namespace

UiLanguage ChooseUiLanguage(const std::function<std::string(const char*)>& env) {
    const std::string forced = env("TRIVANT_LANG");
    if (forced == "ru" || forced == "en")
        return forced == "ru" ? UiLanguage::Russian : UiLanguage::English;
    const std::string locale = firstSet(env, {"LC_ALL", "LC_MESSAGES", "LANG"});
    if (isPlain(locale))
        return UiLanguage::Russian;  // gettext, too, ignores LANGUAGE in the C locale
    const std::string languages = env("LANGUAGE");
    const std::string first = languages.substr(0, languages.find(':'));
    return isRussianOrNone(first.empty() ? locale : first) ? UiLanguage::Russian
                                                           : UiLanguage::English;
}

UiLanguage ChooseUiLanguage() {
    return ChooseUiLanguage([](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "");
    });
}

bool InstallTranslations(QCoreApplication& app, UiLanguage language) {
    current = language;
    followLocale(language);
    if (language == UiLanguage::English)
        return loadInto(app, QStringLiteral(":/i18n/trivant_en.qm"));
    return loadInto(app, QStringLiteral("qtbase_ru"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

UiLanguage CurrentUiLanguage() {
    return current;
}

QString TrMessage(const char* text) {
    return QCoreApplication::translate("Messages", text);
}

QString TrMessage(const std::string& text) {
    return TrMessage(text.c_str());
}

QLocale DateLocale() {
    const QLocale locale;
    if (current == UiLanguage::Russian && locale.language() == QLocale::C)
        return QLocale(QLocale::Russian, QLocale::Russia);
    return locale;
}

QString CountedText(int n, const char* one, const char* few, const char* many) {
    const int tens = n % 100, units = n % 10;
    const char* form = many;
    if (current == UiLanguage::English)
        form = n == 1 ? one : many;
    else if (units == 1 && tens != 11)
        form = one;
    else if (units >= 2 && units <= 4 && (tens < 12 || tens > 14))
        form = few;
    return QString::number(n) + " " + QCoreApplication::translate("Counted", form);
}

QString DecimalText(QString number) {
    return current == UiLanguage::Russian ? number.replace('.', ',') : number;
}

}  // namespace trivant
