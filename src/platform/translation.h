// The interface language: Russian, the source language of every text, or English through
// the translation compiled into the program. Qt's own dialogs and the number and date
// formats follow the same choice.
#pragma once

#include <QLocale>
#include <QString>

#include <functional>
#include <string>

class QCoreApplication;

namespace trivant {

enum class UiLanguage { Russian, English };

// TRIVANT_LANG=ru|en first; then the messages locale (LC_ALL, LC_MESSAGES, LANG) with
// LANGUAGE before it as gettext reads them: Russian for ru*, C, POSIX or none, English for
// any other language. env returns a variable's value, empty when unset.
UiLanguage ChooseUiLanguage(const std::function<std::string(const char*)>& env);
UiLanguage ChooseUiLanguage();  // from the process environment

// Installs our English translation or Qt's Russian one for its own dialogs, and makes the
// default QLocale follow the language. False when a translation could not be loaded.
bool InstallTranslations(QCoreApplication& app, UiLanguage language);

// The language installed; Russian until InstallTranslations says otherwise (trivant-cli).
UiLanguage CurrentUiLanguage();

// A text of the plain libraries, marked there with QT_TRANSLATE_NOOP("Messages", ...).
QString TrMessage(const char* text);
QString TrMessage(const std::string& text);

// The locale dates are written in: the default one, but Russian's own where the default is
// C or POSIX under the Russian interface, whose dates would otherwise carry English months.
QLocale DateLocale();

// n and its noun: "1 удар", "3 удара", "5 ударов" (one, few and many are the Russian forms
// for 1, 2..4 and 5; 11..14 take many). English takes one for 1, else many, as the
// "Counted" translation context translates them ("beat", "beats").
QString CountedText(int n, const char* one, const char* few, const char* many);

// A number written with a point, with the decimal sign of the language: "0,5" in Russian.
QString DecimalText(QString number);

}  // namespace trivant
