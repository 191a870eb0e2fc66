// The settings store behind the profile functions: the INI file that QSettings names for
// the registry key as organisation and the profile name as application, one group per
// section. Every read and write goes straight through to that file.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <memory>
#include <string>

#include "shell/platform/app.h"
#include "shell/platform/seams.h"

namespace {

std::string g_profileFile;

QString Key(LPCTSTR section, LPCTSTR entry) {
    return QString::fromUtf8(section) + QLatin1Char('/') + QString::fromUtf8(entry);
}

// Which store the application names now: the test's file, or the registry key and title.
std::string StoreName(const CWinApp& app) {
    return g_profileFile.empty() ? app.m_pszRegistryKey.str() + "\n" + app.m_pszProfileName.str()
                                 : g_profileFile;
}

// The file of the store. For the user's store QSettings decides where it lives (the
// standard configuration folder); asked once per name.
QString StorePath(const CWinApp& app, const std::string& name) {
    if (!g_profileFile.empty())
        return QFileInfo(QString::fromStdString(g_profileFile)).absoluteFilePath();
    static std::string knownName;
    static QString knownPath;
    if (knownName != name) {
        knownPath = QSettings(QString::fromUtf8(app.m_pszRegistryKey.GetString()),
                              QString::fromUtf8(app.m_pszProfileName.GetString()))
                        .fileName();
        knownName = name;
    }
    return knownPath;
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

// Qt keeps one parsed copy of each settings file for the whole process, shared by every
// QSettings object on that path and kept after the last of them has gone. A change whose
// write failed stays in that copy: every later object on the path reads it as stored, and
// writes it out once the file takes writes again. So the program never opens the store by
// its own name but by names of its own, each serving one QSettings object only: a link to
// the store's folder and the file's name in it. When a write fails, the object goes and
// its copy with it, and the next one reads the file as it stands. The file, its lock and
// the new file a write goes through are all in the store's own folder, so two programs on
// one store still take turns. Where no link can be made the store is opened by its name.
class StoreLinks {
public:
    QString NameFor(const QString& path) {
        if (!m_folder) {
            const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
            const QString base = QFileInfo(runtime).isDir() ? runtime : QDir::tempPath();
            m_folder =
                std::make_unique<QTemporaryDir>(base + QLatin1String("/rolvan-store-XXXXXX"));
        }
        if (m_folder->isValid()) {
            const QFileInfo file(path);
            const QString link = m_folder->filePath(QString::number(++m_made));
            if (QFile::link(file.absolutePath(), link))
                return link + QLatin1Char('/') + file.fileName();
        }
        return path;
    }

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    unsigned long long m_made = 0;
};

StoreLinks& Links() {
    static StoreLinks links;
    return links;
}

// The store as one QSettings object holds it, valid for as long as the file keeps the
// version it was read in (or that this program's own write gave it).
struct StoreView {
    std::string name;
    QString path;
    // The name the settings use, through a link to the folder.
    QString alias;
    std::unique_ptr<QSettings> settings;
    FileVersion version;
    bool wholeFileRead = false;

    ~StoreView() {
        settings.reset();
        if (!alias.isEmpty() && alias != path)
            QFile::remove(QFileInfo(alias).path());
    }
};

// Kept between calls only while Qt is there: the object must go before Qt's own do.
StoreView* g_view = nullptr;

void ForgetView() {
    delete g_view;
    g_view = nullptr;
}

// The view of the store as it stands now: the kept one while the file is unchanged, else
// a new one. `single` holds it when there is no Qt application to keep it.
StoreView& CurrentView(const CWinApp& app, std::unique_ptr<StoreView>& single) {
    const std::string name = StoreName(app);
    if (g_view != nullptr && g_view->name == name && VersionOf(g_view->path) == g_view->version)
        return *g_view;
    auto view = std::make_unique<StoreView>();
    view->name = name;
    view->path = StorePath(app, name);
    // Taken before the file is read: a write in between shows as a change next time.
    view->version = VersionOf(view->path);
    view->alias = Links().NameFor(view->path);
    view->settings = std::make_unique<QSettings>(view->alias, QSettings::IniFormat);
    if (QCoreApplication::instance() == nullptr) {
        single = std::move(view);
        return *single;
    }
    if (g_view == nullptr)
        qAddPostRoutine(ForgetView);
    delete g_view;
    g_view = view.release();
    return *g_view;
}

void Discard(StoreView& view, std::unique_ptr<StoreView>& single) {
    if (&view == g_view)
        ForgetView();
    else
        single.reset();
}

QVariant StoredValue(const CWinApp& app, const QString& key) {
    std::unique_ptr<StoreView> single;
    StoreView& view = CurrentView(app, single);
    QVariant value = view.settings->value(key);
    if (!value.isValid() && !view.wholeFileRead) {
        // QSettings reads a file's sections only as keys are asked for, and looks for a
        // key in the section just before it in sort order: with a [Settings/x] section in
        // the file, values of [Settings] that sort after "x" read as missing (Qt 6.4).
        // Listing every key makes it read every section.
        view.settings->allKeys();
        view.wholeFileRead = true;
        value = view.settings->value(key);
    }
    return value;
}

// Makes one change to the store and writes the file. QSettings takes the file's lock,
// reads the file again if it changed meanwhile and writes it with the change.
template <class Change>
BOOL WriteThrough(const CWinApp& app, Change change) {
    const QString path = StorePath(app, StoreName(app));
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return FALSE;
    std::unique_ptr<StoreView> single;
    StoreView& view = CurrentView(app, single);
    // The status keeps the first error for the object's life: after an error in reading
    // (a garbled file), only a new file tells that the write went through.
    const bool readCleanly = view.settings->status() == QSettings::NoError;
    change(*view.settings);
    view.settings->sync();
    const FileVersion written = VersionOf(path);
    if (readCleanly ? view.settings->status() == QSettings::NoError : written != view.version) {
        view.version = written;
        return TRUE;
    }
    Discard(view, single);
    return FALSE;
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
    const QString key = Key(lpszSection, lpszEntry);
    return WriteThrough(*this, [&](QSettings& store) { store.setValue(key, nValue); });
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
    if (lpszEntry == nullptr) {
        const QString section = QString::fromUtf8(lpszSection);
        return WriteThrough(*this, [&](QSettings& store) { store.remove(section); });
    }
    const QString key = Key(lpszSection, lpszEntry);
    if (lpszValue == nullptr) {
        // Deleting what is not there writes nothing. The stored layout deletes up to ten
        // thousand entries a count names, and each write rewrites the whole file.
        if (!StoredValue(*this, key).isValid())
            return TRUE;
        return WriteThrough(*this, [&](QSettings& store) { store.remove(key); });
    }
    const QString text = QString::fromUtf8(lpszValue);
    return WriteThrough(*this, [&](QSettings& store) { store.setValue(key, text); });
}
