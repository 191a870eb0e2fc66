#pragma once

// The settings store's file as the application holds it: read as it stands, and changed
// straight through to the disk, one value at a time or the values of one command at once.

#include <QString>

#include <sys/types.h>

#include <optional>
#include <vector>

#include "shell/platform/ini_settings.h"

class ProfileStore {
public:
    // One change of the file: a key set to a text, or without a text removed together with
    // every key below it.
    struct Change {
        QString key;
        std::optional<QString> text;
    };

    // The settings the file at `path` holds now, with the held writes made to them. A file
    // that is missing, unreadable or no settings file at all holds none.
    const IniSettings& Read(const QString& path);

    // Makes `change` to the file as it stands and writes the result in place of it. False
    // when the file could not be written, or could not be read and so would lose what it
    // holds; then nothing has changed, on the disk or here. While writes are held, the change
    // is made to the held settings and succeeds.
    bool Write(const QString& path, Change change);

    // From here to the matching Release, writes to the file are held. Holds nest; the
    // outermost Release writes.
    void Hold();
    // Writes every change held since the outermost Hold as one write: the file as it stands,
    // all of them made to it, under one lock. False when that write failed: then none of the
    // changes is stored, and reads give what the file holds.
    bool Release();

    // One version of a file. A write replaces the file by a new one, so another file, size
    // or time means that someone wrote.
    struct Version {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        long long modified = 0;
        friend bool operator==(const Version&, const Version&) = default;
    };

private:
    bool WriteNow(const QString& path, const std::vector<Change>& changes);
    // The settings of the file at `path` as it was at `version`, for the reads that follow.
    void Remember(const QString& path, const Version& version, IniSettings settings);

    bool m_remembered = false;
    QString m_path;
    Version m_version;
    // Whether the file could be read, so that a write would not lose what it holds.
    bool m_readable = true;
    IniSettings m_settings;

    int m_holds = 0;
    QString m_heldPath;
    std::vector<Change> m_heldChanges;
    IniSettings m_heldSettings;
};
