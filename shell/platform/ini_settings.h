#pragma once

// The settings of one INI file in the form QSettings reads and writes it, so that the
// store stays readable by earlier versions of the program and by any Qt program: keys are
// full paths ("Settings/Level"), a section's name is the first part of the path, and
// values are texts, lists of texts or Qt's serialised values ("@ByteArray(...)").
//
// Reading never fails: whatever a line cannot be made into is left out, as QSettings does.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <vector>

class IniSettings {
public:
    static IniSettings Parse(QByteArrayView file);
    QByteArray Serialise() const;

    // The value of `key` as a text: a list reads as its items joined by commas. A value in
    // one of Qt's serialised forms other than a byte array, or a list holding one, reads as
    // missing.
    std::optional<QString> Text(QStringView key) const;
    bool Contains(QStringView key) const { return Find(key) != kNone; }
    // Whether the value was written as a list ("a,b"), which no number is.
    bool IsList(QStringView key) const;

    void SetText(QStringView key, QStringView text);
    // Removes `key` and every key below it ("Settings" takes "Settings/Level" with it).
    // False when there was nothing to remove.
    bool Remove(QStringView key);

    // Every key, in the order of the file.
    QStringList Keys() const;

private:
    // All keys and values live in one buffer of characters, each entry pointing into it: a
    // file of many short lines takes a few times its size, not a string object per key and
    // per value. A value is its text; a list is its items, each after its length.
    struct Entry {
        std::uint32_t key = 0;
        std::uint32_t keyLength = 0;
        std::uint32_t value = 0;
        std::uint32_t valueLength = 0;
        std::uint32_t hash = 0;
        bool list = false;
        bool removed = false;
    };
    static constexpr std::uint32_t kNone = ~std::uint32_t{0};

    QStringView KeyOf(const Entry& entry) const;
    QStringView ValueOf(const Entry& entry) const;
    // The items of a value, as the file spells them once unescaped, '@' forms included.
    std::vector<QStringView> Parts(const Entry& entry) const;

    std::uint32_t Find(QStringView key) const;
    // Makes the key that the `keyLength` characters of the buffer before `value` hold an
    // entry, without looking for it: the index knows nothing of it until Index or Rehash. The rest
    // of the buffer from `value` on is its value.
    void AppendEntry(std::uint32_t keyLength, std::uint32_t value, bool list);
    // Sets `key` to the text `text` (not a list); a key there already keeps its place.
    void Put(QStringView key, QStringView text);
    void Index(std::uint32_t entry);
    void Rehash();

    QString m_chars;
    // In the order of the file, new keys at the end. A removed entry keeps its place until
    // the index is made anew.
    std::vector<Entry> m_entries;
    // Open addressing over the entries: the key's hash in the upper half, the entry number
    // + 1 in the lower half, 0 for a free slot. With the hash in the slot, a search looks
    // at no entry but the one it finds.
    std::vector<std::uint64_t> m_slots;
    std::uint32_t m_indexed = 0;
    std::uint32_t m_removed = 0;
    // The most '/' any key has had: a key with as many has nothing below it.
    int m_deepest = 0;
};
