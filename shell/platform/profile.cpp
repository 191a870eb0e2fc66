// The settings store behind the profile functions: QSettings with the registry key as
// organisation and the profile name as application; one group per section.

#include <QSettings>
#include <QStringList>

#include <memory>
#include <string>

#include "shell/platform/app.h"
#include "shell/platform/seams.h"

namespace {

std::string g_profileFile;

// A fresh object for every access: QSettings keeps its first error for its whole life,
// so only a new one reports the outcome of this write.
std::unique_ptr<QSettings> OpenStore(const CWinApp& app) {
    if (!g_profileFile.empty()) {
        return std::make_unique<QSettings>(QString::fromStdString(g_profileFile),
                                           QSettings::IniFormat);
    }
    return std::make_unique<QSettings>(QString::fromUtf8(app.m_pszRegistryKey.GetString()),
                                       QString::fromUtf8(app.m_pszProfileName.GetString()));
}

QString Key(LPCTSTR section, LPCTSTR entry) {
    return QString::fromUtf8(section) + QLatin1Char('/') + QString::fromUtf8(entry);
}

BOOL Finish(QSettings& store) {
    store.sync();
    return store.status() == QSettings::NoError ? TRUE : FALSE;
}

}  // namespace

void SetProfileFileForTesting(const char* path) {
    g_profileFile = path ? path : "";
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) {
    if (lpszSection == nullptr || lpszEntry == nullptr)
        return static_cast<UINT>(nDefault);
    const QVariant value = OpenStore(*this)->value(Key(lpszSection, lpszEntry));
    // A hand-written "a,b" reads back as a list, which is no number.
    if (!value.isValid() || value.typeId() == QMetaType::QStringList) {
        return static_cast<UINT>(nDefault);
    }
    // Through the text: QVariant::toInt would wrap a number beyond 32 bits silently.
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return static_cast<UINT>(ok ? number : nDefault);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue) {
    if (lpszSection == nullptr || lpszEntry == nullptr)
        return FALSE;
    auto store = OpenStore(*this);
    store->setValue(Key(lpszSection, lpszEntry), nValue);
    return Finish(*store);
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) {
    if (lpszSection == nullptr || lpszEntry == nullptr)
        return CString(lpszDefault);
    const QVariant value = OpenStore(*this)->value(Key(lpszSection, lpszEntry));
    if (!value.isValid())
        return CString(lpszDefault);
    if (value.typeId() == QMetaType::QStringList) {
        return CString(value.toStringList().join(QLatin1Char(',')).toStdString());
    }
    return CString(value.toString().toStdString());
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue) {
    if (lpszSection == nullptr)
        return FALSE;
    auto store = OpenStore(*this);
    if (lpszEntry == nullptr) {
        store->remove(QString::fromUtf8(lpszSection));
    } else if (lpszValue == nullptr) {
        store->remove(Key(lpszSection, lpszEntry));
    } else {
        store->setValue(Key(lpszSection, lpszEntry), QString::fromUtf8(lpszValue));
    }
    return Finish(*store);
}
