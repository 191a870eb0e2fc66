// Qt's own texts in the program's language.

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>
#include <string>

#include "shell/platform/app.h"
#include "shell/platform/seams.h"

namespace {

std::string g_translationsFolder;
std::unique_ptr<QTranslator> g_installed;

QString TranslationsFolder() {
    if (!g_translationsFolder.empty())
        return QString::fromStdString(g_translationsFolder);
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

}  // namespace

void SetTranslationsFolderForTesting(const char* folder) {
    g_translationsFolder = folder ? folder : "";
}

void AfxSetPlatformLanguage(WORD primaryLanguage) {
    if (QCoreApplication::instance() == nullptr)
        return;
    if (g_installed) {
        QCoreApplication::removeTranslator(g_installed.get());
        g_installed.reset();
    }
    if (primaryLanguage != LANG_GERMAN)
        return;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_de"), TranslationsFolder()))
        return;
    QCoreApplication::installTranslator(translator.get());
    g_installed = std::move(translator);
}
