#pragma once

// The settings of one INI file in the form QSettings reads and writes it, so that the
// store stays readable by earlier versions of the program and by any Qt program: keys are
// full paths ("Settings/Level"), a section's name is the first part of the path, and
// values are texts, lists of texts or Qt's serialised values ("@ByteArray(...)").
//
// Reading never fails: whatever a line cannot be made into is left out, as QSettings does.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class IniSettings {
public:
    static IniSettings Parse(QByteArrayView file);
    QByteArray Serialise() const;

    // The value of `key` as a text: a list reads as its items joined by commas. A value in
    // one of Qt's serialised forms other than a byte array, or a list holding one, reads as
    // missing.
    std::optional<QString> Text(const QString& key) const;
    bool Contains(const QString& key) const { return m_index.contains(key); }
    // Whether the value was written as a list ("a,b"), which no number is.
    bool IsList(const QString& key) const;

    void SetText(const QString& key, const QString& text);
    // Removes `key` and every key below it ("Settings" takes "Settings/Level" with it).
    // False when there was nothing to remove.
    bool Remove(const QString& key);

    // Every key, in the order of the file.
    QStringList Keys() const;

private:
    struct Entry {
        QString key;
        // The texts as the file spells them once unescaped, '@' forms included; more than
        // one for a list.
        QStringList parts;
        bool list = false;
        bool removed = false;
    };
    void Put(const QString& key, QStringList parts, bool list);

    // In the order of the file, new keys at the end. A removed entry keeps its place until
    // the next parse, so that the index stays valid.
    std::vector<Entry> m_entries;
    QHash<QString, qsizetype> m_index;
};
