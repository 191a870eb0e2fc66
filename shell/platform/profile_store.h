#pragma once

// The settings store's file as the application holds it: read as it stands, and changed
// one value at a time straight through to the disk.

#include <QString>

#include <sys/types.h>

#include <functional>

#include "shell/platform/ini_settings.h"

class ProfileStore {
public:
    // The settings the file at `path` holds now. A file that is missing, unreadable or no
    // settings file at all holds none.
    const IniSettings& Read(const QString& path);

    // Applies `change` to the file as it stands and writes the result in place of it.
    // `change` returns false when it changes nothing, and then nothing is written. False
    // when the file could not be written, or could not be read and so would lose what it
    // holds; then nothing has changed, on the disk or here.
    bool Write(const QString& path, const std::function<bool(IniSettings&)>& change);

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
    void Hold(const QString& path, const Version& version, IniSettings settings);

    bool m_held = false;
    QString m_path;
    Version m_version;
    IniSettings m_settings;
};
