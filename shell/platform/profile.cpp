// The settings store behind the profile functions: one INI file, in the folder and format
// that QSettings has always used for the registry key as organisation and the profile name
// as application, one section per profile section. Reads take the file as it stands; each
// write is one change, made under the file's lock to the file as it stands, and is on the
// disk before the program holds it.

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

#include "shell/platform/app.h"
#include "shell/platform/profile_store.h"
#include "shell/platform/seams.h"

namespace {

std::string g_profileFile;

// A settings file larger than this is none the program wrote; it reads as unreadable
// rather than taking the memory it would need.
constexpr qint64 kLargestFile = 256LL << 20;

// Another program holds the lock for the time of one write. One that keeps it longer has
// hung: the write fails rather than the game.
constexpr int kLockWaitMs = 10000;

QString Key(LPCTSTR section, LPCTSTR entry) {
    return QString::fromUtf8(section) + QLatin1Char('/') + QString::fromUtf8(entry);
}

// The test's file, or the file QSettings(organisation, application) names on this system:
// <generic config folder>/<organisation>/<application>.conf.
QString StorePath(const CWinApp& app) {
    if (!g_profileFile.empty())
        return QFileInfo(QString::fromStdString(g_profileFile)).absoluteFilePath();
    QString organisation = QString::fromUtf8(app.m_pszRegistryKey.GetString());
    if (organisation.isEmpty())
        organisation = QStringLiteral("Unknown Organization");
    const QString application = QString::fromUtf8(app.m_pszProfileName.GetString());
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/';
    return application.isEmpty()
               ? folder + organisation + QLatin1String(".conf")
               : folder + organisation + u'/' + application + QLatin1String(".conf");
}

ProfileStore::Version VersionOf(const struct stat& status) {
    return {true, status.st_dev, status.st_ino, status.st_size,
            status.st_mtim.tv_sec * 1000000000LL + status.st_mtim.tv_nsec};
}

ProfileStore::Version VersionOf(const QString& path) {
    struct stat status;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    return VersionOf(status);
}

struct FileContents {
    // False when the file is there but cannot be read: a folder, no permission, too large.
    bool readable = true;
    ProfileStore::Version version;
    IniSettings settings;
};

FileContents ReadFile(const QString& path) {
    FileContents contents;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        // Missing, or a loop of links: nothing is stored that a write could lose.
        contents.readable = errno == ENOENT || errno == ENOTDIR || errno == ELOOP;
        contents.version = VersionOf(path);
        return contents;
    }
    struct stat status;
    QByteArray bytes;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > kLargestFile) {
        contents.readable = false;
    } else {
        contents.version = VersionOf(status);
        // As much as is there, even if the file grew after the fstat, up to the limit.
        bytes.resize(static_cast<qsizetype>(status.st_size) + 1);
        qsizetype filled = 0;
        while (contents.readable) {
            if (filled == bytes.size()) {
                if (bytes.size() > kLargestFile) {
                    contents.readable = false;
                    break;
                }
                bytes.resize(bytes.size() * 2);
            }
            const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
            if (got == 0)
                break;
            if (got < 0 && errno != EINTR)
                contents.readable = false;
            if (got > 0)
                filled += got;
        }
        bytes.truncate(filled);
    }
    ::close(fd);
    if (contents.readable)
        contents.settings = IniSettings::Parse(bytes);
    else
        contents.version = VersionOf(path);
    return contents;
}

}  // namespace

const IniSettings& ProfileStore::Read(const QString& path) {
    if (!m_held || m_path != path || VersionOf(path) != m_version) {
        FileContents contents = ReadFile(path);
        Hold(path, contents.version, std::move(contents.settings));
    }
    return m_settings;
}

bool ProfileStore::Write(const QString& path, const std::function<bool(IniSettings&)>& change) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    // The lock QSettings takes on the file, so that this program and any earlier version
    // of it write in turn.
    QLockFile lock(path + QLatin1String(".lock"));
    if (!lock.tryLock(kLockWaitMs))
        return false;
    FileContents contents = ReadFile(path);
    if (!contents.readable)
        return false;
    if (change(contents.settings)) {
        const QByteArray bytes = contents.settings.Serialise();
        // Written to a new file in the same folder, flushed to the disk and renamed over
        // the old one: the file is whole, old or new, whenever the program ends.
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
            return false;
        contents.version = VersionOf(path);
    }
    Hold(path, contents.version, std::move(contents.settings));
    return true;
}

void ProfileStore::Hold(const QString& path, const Version& version, IniSettings settings) {
    m_held = true;
    m_path = path;
    m_version = version;
    m_settings = std::move(settings);
}

void SetProfileFileForTesting(const char* path) {
    g_profileFile = path ? path : "";
}

ProfileStore& CWinApp::Profile() {
    if (!m_profileStore)
        m_profileStore = std::make_unique<ProfileStore>();
    return *m_profileStore;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) {
    if (lpszSection == nullptr || lpszEntry == nullptr)
        return static_cast<UINT>(nDefault);
    const IniSettings& settings = Profile().Read(StorePath(*this));
    const QString key = Key(lpszSection, lpszEntry);
    // A hand-written "a,b" reads back as a list, which is no number.
    const std::optional<QString> text = settings.Text(key);
    if (!text || settings.IsList(key))
        return static_cast<UINT>(nDefault);
    // A number beyond 32 bits is refused, not wrapped.
    bool ok = false;
    const int number = text->trimmed().toInt(&ok);
    return static_cast<UINT>(ok ? number : nDefault);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue) {
    if (lpszSection == nullptr || lpszEntry == nullptr)
        return FALSE;
    const QString key = Key(lpszSection, lpszEntry);
    return Profile().Write(StorePath(*this), [&](IniSettings& settings) {
        settings.SetText(key, QString::number(nValue));
        return true;
    });
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) {
    if (lpszSection == nullptr || lpszEntry == nullptr)
        return CString(lpszDefault);
    const std::optional<QString> text =
        Profile().Read(StorePath(*this)).Text(Key(lpszSection, lpszEntry));
    return text ? CString(text->toStdString()) : CString(lpszDefault);
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue) {
    if (lpszSection == nullptr)
        return FALSE;
    const QString path = StorePath(*this);
    if (lpszEntry == nullptr) {
        const QString section = QString::fromUtf8(lpszSection);
        return Profile().Write(path,
                               [&](IniSettings& settings) { return settings.Remove(section); });
    }
    const QString key = Key(lpszSection, lpszEntry);
    if (lpszValue == nullptr) {
        // Deleting what is not there writes nothing. The stored layout deletes up to ten
        // thousand entries a count names, and each write rewrites the whole file.
        if (!Profile().Read(path).Contains(key))
            return TRUE;
        return Profile().Write(path, [&](IniSettings& settings) { return settings.Remove(key); });
    }
    const QString text = QString::fromUtf8(lpszValue);
    return Profile().Write(path, [&](IniSettings& settings) {
        settings.SetText(key, text);
        return true;
    });
}
