// The tick counter and the system locale.

#include <QLocale>

#include <chrono>
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
}  // namespace

void SetSystemLocaleForTesting(const char* name) {
    g_localeName = name ? name : "";
}

DWORD GetTickCount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

LCID GetSystemDefaultLCID() {
    const QLocale locale =
        g_localeName.empty() ? QLocale::system() : QLocale(QString::fromStdString(g_localeName));
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
