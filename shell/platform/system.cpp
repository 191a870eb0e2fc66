// The tick counter and the system locale.

#include <QLocale>

#include <chrono>
#include <cstdlib>
#include <string>

#include "shell/platform/app.h"
#include "shell/platform/seams.h"

namespace {
std::string g_localeName;

WORD GermanSubLanguage(QLocale::Territory territory) {
    switch (territory) {
        case QLocale::Switzerland:
            return 2;
        case QLocale::Austria:
            return 3;
        case QLocale::Luxembourg:
            return 4;
        case QLocale::Liechtenstein:
            return 5;
        default:
            return 1;
    }
}

// The locale that governs messages, by name, as the C library chooses it: LC_ALL, else
// LC_MESSAGES, else LANG, an empty variable counting as unset. LANGUAGE only orders
// translations within that choice and LC_NUMERIC governs numbers, so neither decides. The
// name counts as it stands, whether or not the machine has generated that locale.
std::string MessagesLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && value[0] != '\0')
            return value;
    }
    return "C";
}

// "de_AT.UTF-8@euro" as the locale Qt knows by "de_AT"; the C library's own aliases for
// German as German.
QLocale LocaleOfName(std::string name) {
    name = name.substr(0, name.find_first_of(".@"));
    if (name == "german" || name == "deutsch")
        name = "de_DE";
    if (name.empty() || name == "C" || name == "POSIX")
        return QLocale::c();
    return QLocale(QString::fromStdString(name));
}

}  // namespace

void SetSystemLocaleForTesting(const char* name) {
    g_localeName = name ? name : "";
}

DWORD GetTickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

LCID GetSystemDefaultLCID() {
    const QLocale locale = LocaleOfName(g_localeName.empty() ? MessagesLocaleName() : g_localeName);
    switch (locale.language()) {
        case QLocale::German:
            return MAKELANGID(LANG_GERMAN, GermanSubLanguage(locale.territory()));
        case QLocale::English:
            return MAKELANGID(LANG_ENGLISH, locale.territory() == QLocale::UnitedKingdom ? 2 : 1);
        default:
            // Only German matters to the program; every other language is "not German".
            return MAKELANGID(LANG_NEUTRAL, 1);
    }
}
