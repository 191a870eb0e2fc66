// The settings store behind the profile functions: one INI file, in the folder and format
// that QSettings has always used for the registry key as organisation and the profile name
// as application, one section per profile section. Reads take the file as it stands; each
// write, or the writes of one command together, is one change made under the file's lock
// to the file as it stands, and is on the disk before the program holds it.

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <random>
#include <string>
#include <utility>

#include "shell/platform/app.h"
#include "shell/platform/profile_store.h"
#include "shell/platform/seams.h"

namespace {

std::string g_profileFile;
StoreStep g_failingStep = StoreStep::None;

// The largest layout the program writes takes about 250 KB. A settings file much larger
// than that is none the program wrote: it reads as defaults, without the memory it would
// take, and is never written over.
constexpr qint64 kLargestFile = 16LL << 20;

// Another program holds the lock for the time of one write. One that keeps it longer has
// hung: the write fails rather than the game.
constexpr int kLockWaitMs = 10000;

// A program killed just as it made the lock file leaves it empty, and Qt takes such a file
// for stale only when it is older than this. A live holder keeps its lock at any age: Qt
// breaks no lock whose program runs or whose file is locked.
constexpr std::chrono::milliseconds kStaleLockAge{2000};

// The name of the new file a write makes beside the store: the store's name, this, and six
// letters. One that a write left when the program was killed goes at the next write.
constexpr char kNewFileMark[] = ".new-";
constexpr int kNewFileLetters = 6;

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
    // The file's permissions, and its bytes, which a write that cannot be completed puts back.
    mode_t mode = 0;
    QByteArray bytes;
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
    QByteArray& bytes = contents.bytes;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > kLargestFile) {
        contents.readable = false;
    } else {
        contents.version = VersionOf(status);
        contents.mode = status.st_mode & 07777;
        // As much as is there, even if the file grew after the fstat, up to the limit.
        bytes.resize(static_cast<qsizetype>(status.st_size) + 1);
        qsizetype filled = 0;
        while (contents.readable) {
            if (filled == bytes.size()) {
                if (bytes.size() > kLargestFile) {
                    contents.readable = false;
                    break;
                }
                bytes.resize(std::min<qsizetype>(bytes.size() * 2, kLargestFile + 1));
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
    if (contents.readable) {
        contents.settings = IniSettings::Parse(bytes);
    } else {
        contents.version = VersionOf(path);
        bytes.clear();
    }
    return contents;
}

// A step of a write, which a test may make fail once.
bool Fails(StoreStep step) {
    if (g_failingStep != step)
        return false;
    g_failingStep = StoreStep::None;
    errno = EIO;
    return true;
}

// The file a write replaces: a link is followed to the file it names, as QSaveFile does,
// unless the links run in a loop, which the file then takes the place of.
QByteArray TargetOf(const QString& path) {
    QFileInfo info(path);
    for (int depth = 0; depth < 128 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return QFile::encodeName(info.isSymLink() ? path : info.absoluteFilePath());
}

QByteArray FolderOf(const QByteArray& file) {
    const qsizetype slash = file.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : file.first(slash);
}

// New files that a killed write left beside `target`.
void RemoveLeftNewFiles(const QByteArray& target) {
    const QByteArray folder = FolderOf(target);
    const QByteArray prefix = target.sliced(folder.size() + 1) + kNewFileMark;
    DIR* directory = ::opendir(folder.constData());
    if (directory == nullptr)
        return;
    while (const dirent* entry = ::readdir(directory)) {
        const QByteArrayView name(entry->d_name);
        if (name.size() == prefix.size() + kNewFileLetters && name.startsWith(prefix))
            ::unlinkat(::dirfd(directory), entry->d_name, 0);
    }
    ::closedir(directory);
}

// Puts `bytes` in the place of the file `target` as one step: they go to a new file in the
// same folder, each write checked, the file flushed to the disk and checked, and renamed
// over the old one. False at the first step that fails, with the old file in its place.
// `mode` gives the new file the old one's permissions (0: those of a new file).
bool ReplaceFile(const QByteArray& target, const QByteArray& bytes, mode_t mode) {
    static std::minstd_rand letters(std::random_device{}());
    QByteArray fresh;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        fresh = target + kNewFileMark;
        for (int i = 0; i < kNewFileLetters; ++i)
            fresh += "abcdefghijklmnopqrstuvwxyz"[letters() % 26];
        fd = ::open(fresh.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    bool written = mode == 0 || ::fchmod(fd, mode) == 0;
    for (qsizetype done = 0; written && done < bytes.size();) {
        const ssize_t count =
            Fails(StoreStep::Write)
                ? -1
                : ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (count > 0)
            done += count;
        else if (count == 0 || errno != EINTR)
            written = false;
    }
    written = written && !Fails(StoreStep::SyncFile) && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written || Fails(StoreStep::Rename) ||
        ::rename(fresh.constData(), target.constData()) != 0) {
        ::unlink(fresh.constData());
        return false;
    }
    return true;
}

// Flushes the folder to the disk, so that a rename in it lasts.
bool SyncFolder(const QByteArray& folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = !Fails(StoreStep::SyncFolder) && ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

bool Apply(IniSettings& settings, const ProfileStore::Change& change) {
    if (!change.text)
        return settings.Remove(change.key);
    settings.SetText(change.key, *change.text);
    return true;
}

}  // namespace

const IniSettings& ProfileStore::Read(const QString& path) {
    if (m_holds > 0 && !m_heldChanges.empty() && path == m_heldPath)
        return m_heldSettings;
    if (!m_remembered || m_path != path || VersionOf(path) != m_version) {
        FileContents contents = ReadFile(path);
        m_readable = contents.readable;
        Remember(path, contents.version, std::move(contents.settings));
    }
    return m_settings;
}

bool ProfileStore::Write(const QString& path, Change change) {
    if (m_holds == 0 || (!m_heldChanges.empty() && path != m_heldPath))
        return WriteNow(path, {std::move(change)});
    if (m_heldChanges.empty()) {
        // The held writes are made to the file as it stands; one that could not be read
        // would lose what it holds.
        Read(path);
        if (!m_readable)
            return false;
        m_heldPath = path;
        m_heldSettings = m_settings;
    }
    if (Apply(m_heldSettings, change))
        m_heldChanges.push_back(std::move(change));
    return true;
}

void ProfileStore::Hold() {
    ++m_holds;
}

bool ProfileStore::Release() {
    if (m_holds == 0 || --m_holds > 0)
        return true;
    const std::vector<Change> changes = std::exchange(m_heldChanges, {});
    m_heldSettings = IniSettings();
    return changes.empty() || WriteNow(m_heldPath, changes);
}

bool ProfileStore::WriteNow(const QString& path, const std::vector<Change>& changes) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    // The lock QSettings takes on the file, so that this program and any earlier version
    // of it write in turn.
    QLockFile lock(path + QLatin1String(".lock"));
    lock.setStaleLockTime(kStaleLockAge);
    if (!lock.tryLock(kLockWaitMs))
        return false;
    FileContents contents = ReadFile(path);
    if (!contents.readable)
        return false;
    bool changed = false;
    for (const Change& change : changes)
        changed = Apply(contents.settings, change) || changed;
    if (changed) {
        const QByteArray target = TargetOf(path);
        RemoveLeftNewFiles(target);
        if (!ReplaceFile(target, contents.settings.Serialise(), contents.mode))
            return false;
        if (!SyncFolder(FolderOf(target))) {
            // The new file is in place, but the disk may not keep it: the old one goes back,
            // so that the file holds what the program holds.
            if (contents.version.exists)
                ReplaceFile(target, contents.bytes, contents.mode);
            else
                ::unlink(target.constData());
            return false;
        }
        contents.version = VersionOf(path);
    }
    m_readable = true;
    Remember(path, contents.version, std::move(contents.settings));
    return true;
}

void ProfileStore::Remember(const QString& path, const Version& version, IniSettings settings) {
    m_remembered = true;
    m_path = path;
    m_version = version;
    m_settings = std::move(settings);
}

void SetProfileFileForTesting(const char* path) {
    g_profileFile = path ? path : "";
}

void FailStoreStepForTesting(StoreStep step) {
    g_failingStep = step;
}

ProfileStore& CWinApp::Profile() {
    if (!m_profileStore)
        m_profileStore = std::make_unique<ProfileStore>();
    return *m_profileStore;
}

void CWinApp::BeginProfileWrites() {
    Profile().Hold();
}

BOOL CWinApp::EndProfileWrites() {
    return Profile().Release();
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
    return Profile().Write(StorePath(*this),
                           {Key(lpszSection, lpszEntry), QString::number(nValue)});
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
    if (lpszEntry == nullptr)
        return Profile().Write(path, {QString::fromUtf8(lpszSection), std::nullopt});
    const QString key = Key(lpszSection, lpszEntry);
    if (lpszValue == nullptr) {
        // Deleting what is not there writes nothing. The stored layout deletes up to ten
        // thousand entries a count names.
        if (!Profile().Read(path).Contains(key))
            return TRUE;
        return Profile().Write(path, {key, std::nullopt});
    }
    return Profile().Write(path, {key, QString::fromUtf8(lpszValue)});
}
