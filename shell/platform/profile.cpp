// The settings store behind the profile functions: QSettings with the registry key as
// organisation and the profile name as application; one group per section.

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QStringList>

#include <sys/stat.h>

#include <memory>
#include <string>

#include "shell/platform/app.h"
#include "shell/platform/seams.h"

namespace {

std::string g_profileFile;

// A fresh object for every write: QSettings keeps its first error for its whole life,
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

// One version of the store's file. Every write replaces the file as a whole (QSettings
// saves through a new file), so another file, size or time means that someone wrote.
struct FileVersion {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modified = 0;
    friend bool operator==(const FileVersion&, const FileVersion&) = default;
};

FileVersion VersionOf(const QString& path) {
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    return {true, status.st_dev, status.st_ino, status.st_size,
            status.st_mtim.tv_sec * 1000000000LL + status.st_mtim.tv_nsec};
}

// Values are read through one object for as long as its file stays the same version. A
// new object reads the whole file, which for every value of a layout of thousands of
// entries made a start take minutes. A write by this program or another gives the file
// a new version, so every read still sees the store as it stands.
struct Reader {
    std::unique_ptr<QSettings> store;
    std::string name;
    FileVersion version;
    bool wholeFileRead = false;
};
Reader* g_reader = nullptr;

void ForgetReader() {
    delete g_reader;
    g_reader = nullptr;
}

Reader& ReadingStore(const CWinApp& app, Reader& single) {
    const std::string name = g_profileFile.empty()
                                 ? app.m_pszRegistryKey.str() + "\n" + app.m_pszProfileName.str()
                                 : g_profileFile;
    const bool sameStore = g_reader != nullptr && g_reader->name == name;
    // Taken before the file is read: a write in between shows as a change next time.
    const FileVersion version = sameStore ? VersionOf(g_reader->store->fileName()) : FileVersion{};
    if (sameStore && version == g_reader->version)
        return *g_reader;
    // Kept only while Qt is there; the object must go before Qt's own do.
    Reader* reader = &single;
    if (QCoreApplication::instance() != nullptr) {
        if (g_reader == nullptr) {
            g_reader = new Reader;
            qAddPostRoutine(ForgetReader);
        }
        reader = g_reader;
    }
    reader->store = OpenStore(app);
    reader->name = name;
    reader->version = sameStore ? version : VersionOf(reader->store->fileName());
    reader->wholeFileRead = false;
    return *reader;
}

QVariant StoredValue(const CWinApp& app, const QString& key) {
    Reader single;
    Reader& reader = ReadingStore(app, single);
    QVariant value = reader.store->value(key);
    if (!value.isValid() && !reader.wholeFileRead) {
        // QSettings reads a file's sections only as keys are asked for, and looks for a
        // key in the section just before it in sort order: with a [Settings/x] section in
        // the file, values of [Settings] that sort after "x" read as missing (Qt 6.4).
        // Listing every key makes it read every section.
        reader.store->allKeys();
        reader.wholeFileRead = true;
        value = reader.store->value(key);
    }
    return value;
}

// Ends a write. The next read opens the file again, whatever its version says: a file
// written twice within one tick of the file system's clock can come back with the inode
// and size of the version read before.
BOOL Finish(QSettings& store) {
    store.sync();
    if (g_reader != nullptr)
        g_reader->name.clear();
    return store.status() == QSettings::NoError ? TRUE : FALSE;
}

}  // namespace

void SetProfileFileForTesting(const char* path) {
    g_profileFile = path ? path : "";
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) {
    if (lpszSection == nullptr || lpszEntry == nullptr)
        return static_cast<UINT>(nDefault);
    const QVariant value = StoredValue(*this, Key(lpszSection, lpszEntry));
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
    const QVariant value = StoredValue(*this, Key(lpszSection, lpszEntry));
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
    if (lpszEntry != nullptr && lpszValue == nullptr) {
        // Deleting what is not there writes nothing. The stored layout deletes up to ten
        // thousand entries a count names, and each write rewrites the whole file.
        if (!StoredValue(*this, Key(lpszSection, lpszEntry)).isValid())
            return TRUE;
    }
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
