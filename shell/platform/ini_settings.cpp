#include "shell/platform/ini_settings.h"

#include <QHash>
#include <QStringDecoder>

#include <algorithm>
#include <bit>
#include <memory>
#include <utility>

namespace {

// White space between lines, as QSettings takes it: not the vertical tab or the form feed.
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

bool IsHexDigit(char16_t c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexValue(char c) {
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

std::uint32_t HashOf(QStringView key) {
    return static_cast<std::uint32_t>(qHash(key, 0));
}

// One logical line of the file: its start and length in the data, and where its first '='
// outside quotes is (-1 for none). A line goes on past a line end inside quotes or after a
// backslash; a ';' outside quotes ends it, and one at its start makes it a comment, which
// is skipped. False at the end of the data.
struct Line {
    qsizetype start = 0;
    qsizetype length = 0;
    qsizetype equals = -1;
};

bool NextLine(QByteArrayView data, qsizetype& pos, Line& line) {
    const qsizetype size = data.size();
    bool inQuotes = false;
    line.equals = -1;
    qsizetype start = pos;
    while (start < size && IsSpace(data[start]))
        ++start;
    qsizetype i = start;
    while (i < size) {
        const char c = data[i++];
        if (c == '=') {
            if (!inQuotes && line.equals == -1)
                line.equals = i - 1;
        } else if (c == '\n' || c == '\r') {
            if (i == start + 1) {
                ++start;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (c == '\\') {
            if (i < size) {
                const char escaped = data[i++];
                if (i < size &&
                    ((escaped == '\n' && data[i] == '\r') || (escaped == '\r' && data[i] == '\n')))
                    ++i;
            }
        } else if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == ';') {
            if (i == start + 1) {
                while (i < size && data[i] != '\n' && data[i] != '\r')
                    ++i;
                while (i < size && IsSpace(data[i]))
                    ++i;
                start = i;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
    pos = i;
    line.start = start;
    line.length = i - start;
    return line.length > 0;
}

// Keys and section names: '\' stands for '/', %XX and %UXXXX for characters.
void AppendUnescapedKey(QByteArrayView text, QString& key) {
    const bool plain = std::none_of(text.begin(), text.end(), [](char c) {
        return c == '\\' || c == '%' || static_cast<uchar>(c) >= 0x80;
    });
    if (plain) {
        key += QLatin1StringView(text.data(), text.size());
        return;
    }
    const QString decoded = QString::fromUtf8(text);
    for (qsizetype i = 0; i < decoded.size();) {
        const QChar c = decoded[i];
        if (c == u'\\') {
            key += u'/';
            ++i;
            continue;
        }
        if (c == u'%' && i + 1 < decoded.size()) {
            const qsizetype first = decoded[i + 1] == u'U' ? i + 2 : i + 1;
            const qsizetype digits = decoded[i + 1] == u'U' ? 4 : 2;
            bool ok = false;
            const ushort code = first + digits <= decoded.size()
                                    ? QStringView(decoded).sliced(first, digits).toUShort(&ok, 16)
                                    : 0;
            if (ok) {
                key += QChar(code);
                i = first + digits;
                continue;
            }
        }
        key += c;
        ++i;
    }
}

void AppendEscapedKey(QStringView key, QByteArray& out) {
    static const char hex[] = "0123456789ABCDEF";
    for (const QChar qc : key) {
        const char16_t c = qc.unicode();
        if (c == '/') {
            out += '\\';
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   c == '_' || c == '-' || c == '.') {
            out += static_cast<char>(c);
        } else if (c <= 0xFF) {
            out += '%';
            out += hex[c / 16];
            out += hex[c % 16];
        } else {
            out += "%U";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += hex[(c >> shift) & 0xF];
        }
    }
}

// The character that a backslash and `code` stand for, or '\0' where they are no simple
// escape.
char SimpleEscape(char code) {
    switch (code) {
        case 'a':
            return '\a';
        case 'b':
            return '\b';
        case 'f':
            return '\f';
        case 'n':
            return '\n';
        case 'r':
            return '\r';
        case 't':
            return '\t';
        case 'v':
            return '\v';
        case '"':
        case '?':
        case '\'':
        case '\\':
            return code;
        default:
            return '\0';
    }
}

// A value: one text, or a list where a comma outside quotes parts the items. Blanks around
// an item go unless quoted; backslashes escape as in C. The items go one after the other
// into `out`, and `ends` takes where each ends.
bool UnescapeValue(QByteArrayView raw, QString& out, std::vector<qsizetype>& ends) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    out.resize(0);
    ends.clear();
    bool list = false;
    bool inQuotes = false;
    bool quoted = false;
    bool truncated = false;
    const qsizetype size = raw.size();
    qsizetype i = 0;
    // Blanks before this length are the item's own (escaped or quoted), not padding.
    qsizetype kept = 0;
    auto skipBlanks = [&] {
        while (i < size && (raw[i] == ' ' || raw[i] == '\t'))
            ++i;
        kept = out.size();
    };
    auto chopBlanks = [&] {
        qsizetype end = out.size();
        while (end > kept && IsBlank(out[end - 1]))
            --end;
        out.resize(end);
    };
    skipBlanks();
    while (i < size && !truncated) {
        const char c = raw[i];
        if (c == '\\') {
            if (++i >= size) {
                truncated = true;
                break;
            }
            const char code = raw[i++];
            const char unescaped = SimpleEscape(code);
            const bool done = unescaped != '\0';
            if (done)
                out += QLatin1Char(unescaped);
            if (!done && (code == 'x' || (code >= '0' && code <= '7'))) {
                // Hexadecimal or octal digits as many as follow, into one UTF-16 unit.
                const bool hexadecimal = code == 'x';
                if (hexadecimal && (i >= size || !IsHexDigit(static_cast<uchar>(raw[i])))) {
                    truncated = i >= size;
                    kept = out.size();
                    continue;
                }
                char16_t unit = hexadecimal ? 0 : static_cast<char16_t>(code - '0');
                while (i < size && (hexadecimal ? IsHexDigit(static_cast<uchar>(raw[i]))
                                                : raw[i] >= '0' && raw[i] <= '7')) {
                    unit = static_cast<char16_t>(hexadecimal ? (unit << 4) + HexValue(raw[i])
                                                             : (unit << 3) + (raw[i] - '0'));
                    ++i;
                }
                out += QChar(unit);
                truncated = i >= size;
            } else if (!done && (code == '\n' || code == '\r')) {
                // A continued line.
                if (i < size && (raw[i] == '\n' || raw[i] == '\r') && raw[i] != code)
                    ++i;
            }
            // Any other escaped character is dropped.
            kept = out.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                skipBlanks();
        } else if (c == ',' && !inQuotes) {
            if (!quoted)
                chopBlanks();
            list = true;
            ends.push_back(out.size());
            quoted = false;
            ++i;
            skipBlanks();
        } else {
            qsizetype end = i + 1;
            while (end < size && raw[end] != '\\' && raw[end] != '"' && raw[end] != ',')
                ++end;
            // Room for what the bytes decode to, and for a sequence that an escape cut off
            // before them, which decodes as a replacement character.
            const qsizetype at = out.size();
            out.resize(at + utf8.requiredSpace(end - i));
            QChar* last = utf8.appendToBuffer(out.data() + at, raw.sliced(i, end - i));
            out.resize(last - out.constData());
            i = end;
        }
    }
    if (!quoted && !truncated)
        chopBlanks();
    ends.push_back(out.size());
    return list;
}

// Whether the unit at `i` is half of a surrogate pair without its other half.
bool Unpaired(QStringView text, qsizetype i) {
    if (text[i].isHighSurrogate())
        return i + 1 >= text.size() || !text[i + 1].isLowSurrogate();
    if (text[i].isLowSurrogate())
        return i == 0 || !text[i - 1].isHighSurrogate();
    return false;
}

// A text as QSettings writes it: C escapes, the UTF-8 of other characters (but \x escapes
// in a serialised value, which holds bytes), and quotes where a ';', ',' or '=' or a blank
// at either end would otherwise be lost.
void AppendEscapedText(QStringView text, QByteArray& out) {
    const bool bytes = text.startsWith(QLatin1String("@ByteArray(")) ||
                       text.startsWith(QLatin1String("@Variant("));
    const qsizetype start = out.size();
    bool needsQuotes = false;
    bool hexBefore = false;
    qsizetype plain = 0;
    qsizetype plainLength = 0;
    auto flush = [&] {
        out += text.sliced(plain, plainLength).toUtf8();
        plainLength = 0;
    };
    auto hex = [&](char16_t c) {
        flush();
        out += "\\x" + QByteArray::number(c, 16);
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == ';' || c == ',' || c == '=')
            needsQuotes = true;
        // A digit after a \x escape would read as part of it.
        if (hexBefore && IsHexDigit(c)) {
            hex(c);
            continue;
        }
        hexBefore = false;
        static const char simple[] = "\aa\bb\ff\nn\rr\tt\vv\"\"\\\\";
        const char* escape = nullptr;
        for (const char* s = simple; *s != '\0'; s += 2) {
            if (c == static_cast<uchar>(s[0]))
                escape = s + 1;
        }
        if (escape != nullptr) {
            flush();
            out += '\\';
            out += *escape;
        } else if (c == 0) {
            flush();
            out += "\\0";
            hexBefore = true;
        } else if (c <= 0x1F || (c >= 0x7F && bytes) || c == 0xFEFF || Unpaired(text, i)) {
            // Half of a surrogate pair has no UTF-8 of its own: it would come back as '?'. A
            // byte order mark would be taken for one and dropped where the value's UTF-8
            // begins.
            hex(c);
            hexBefore = true;
        } else {
            if (plainLength == 0)
                plain = i;
            ++plainLength;
        }
    }
    flush();
    if (needsQuotes || (out.size() > start && (out[start] == ' ' || out[out.size() - 1] == ' '))) {
        out.insert(start, '"');
        out += '"';
    }
}

// How many arguments QSettings finds in "@Rect(...)" and the like: one at each blank and
// one at each ')' after the opening one.
qsizetype ArgumentCount(QStringView part, qsizetype open) {
    qsizetype count = 0;
    for (qsizetype i = open + 1; i < part.size(); ++i)
        count += part[i] == u' ' || part[i] == u')';
    return count;
}

// What a text in the file stands for, as QSettings reads it: "@@" starts a text that
// begins with '@', a byte array holds UTF-8, and Qt's other serialised values are no text.
// A rectangle, size or point with the wrong number of arguments is none, and reads as the
// text it is.
std::optional<QString> StoredText(QStringView part) {
    if (!part.startsWith(u'@'))
        return part.toString();
    if (part.endsWith(u')')) {
        if (part.startsWith(QLatin1String("@ByteArray(")))
            return QString::fromUtf8(part.sliced(11).chopped(1).toLatin1());
        if (part.startsWith(QLatin1String("@String(")))
            return part.sliced(8).chopped(1).toString();
        if (part.startsWith(QLatin1String("@Variant(")) ||
            part.startsWith(QLatin1String("@DateTime(")))
            return std::nullopt;
        const struct {
            const char* form;
            qsizetype arguments;
        } geometry[] = {{"@Rect(", 4}, {"@Size(", 2}, {"@Point(", 2}};
        for (const auto& [form, arguments] : geometry) {
            const QLatin1String name(form);
            if (part.startsWith(name) && ArgumentCount(part, name.size() - 1) == arguments)
                return std::nullopt;
        }
        if (part == QLatin1String("@Invalid()"))
            return std::nullopt;
    }
    if (part.startsWith(QLatin1String("@@")))
        return part.sliced(1).toString();
    return part.toString();
}

// A list's item goes into the buffer after its length: one character for a length below
// 0x8000, else two, the first with its top bit set.
void AppendItem(QString& chars, QStringView item) {
    const auto length = static_cast<std::uint32_t>(item.size());
    if (length >= 0x8000)
        chars += QChar(static_cast<char16_t>(0x8000 | length >> 16));
    chars += QChar(static_cast<char16_t>(length >= 0x8000 ? length & 0xFFFF : length));
    chars += item;
}

}  // namespace

QStringView IniSettings::KeyOf(const Entry& entry) const {
    return QStringView(m_chars).sliced(entry.key, entry.keyLength);
}

QStringView IniSettings::ValueOf(const Entry& entry) const {
    return QStringView(m_chars).sliced(entry.value, entry.valueLength);
}

std::vector<QStringView> IniSettings::Parts(const Entry& entry) const {
    const QStringView value = ValueOf(entry);
    if (!entry.list)
        return {value};
    std::vector<QStringView> parts;
    for (qsizetype i = 0; i < value.size();) {
        qsizetype length = value[i++].unicode();
        if (length & 0x8000)
            length = (length & 0x7FFF) << 16 | value[i++].unicode();
        parts.push_back(value.sliced(i, length));
        i += length;
    }
    return parts;
}

std::uint32_t IniSettings::Find(QStringView key) const {
    if (m_slots.empty())
        return kNone;
    const std::uint32_t hash = HashOf(key);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t slot = hash & mask; m_slots[slot] != 0; slot = (slot + 1) & mask) {
        if (m_slots[slot] >> 32 != hash)
            continue;
        const auto index = static_cast<std::uint32_t>(m_slots[slot] - 1);
        const Entry& entry = m_entries[index];
        if (!entry.removed && KeyOf(entry) == key)
            return index;
    }
    return kNone;
}

void IniSettings::Index(std::uint32_t index) {
    const std::size_t mask = m_slots.size() - 1;
    const std::uint32_t hash = m_entries[index].hash;
    std::size_t slot = hash & mask;
    while (m_slots[slot] != 0)
        slot = (slot + 1) & mask;
    m_slots[slot] = std::uint64_t{hash} << 32 | (index + 1);
    ++m_indexed;
}

namespace {

// Sorts values by their upper 32 bits, of which only the lower `bits` are set, keeping the
// order of equal ones: one pass a byte.
void SortByUpperHalf(std::unique_ptr<std::uint64_t[]>& values, std::size_t count, int bits) {
    auto sorted = std::make_unique_for_overwrite<std::uint64_t[]>(count);
    for (int shift = 32; shift < 32 + bits; shift += 8) {
        std::size_t starts[257] = {};
        for (std::size_t i = 0; i < count; ++i)
            ++starts[((values[i] >> shift) & 0xFF) + 1];
        for (int digit = 0; digit < 256; ++digit)
            starts[digit + 1] += starts[digit];
        for (std::size_t i = 0; i < count; ++i)
            sorted[starts[(values[i] >> shift) & 0xFF]++] = values[i];
        values.swap(sorted);
    }
}

}  // namespace

// Drops the removed entries and makes the index anew, at most half full. Of entries with
// the same key, the first keeps its place and takes the value of the last, as QSettings
// reads a file that names a key twice.
void IniSettings::Rehash() {
    if (m_removed != 0) {
        std::erase_if(m_entries, [](const Entry& entry) { return entry.removed; });
        m_removed = 0;
    }
    const std::size_t size = std::bit_ceil(std::max<std::size_t>(16, 2 * m_entries.size() + 2));
    const std::size_t mask = size - 1;
    m_slots.assign(size, 0);
    m_indexed = 0;
    // The entries go in in the order of the slot each starts looking from, so that the index
    // fills from one end to the other: in places at random, a file of a million lines would
    // wait on the memory at every line.
    const std::size_t count = m_entries.size();
    auto order = std::make_unique_for_overwrite<std::uint64_t[]>(count);
    for (std::uint32_t i = 0; i < count; ++i)
        order[i] = std::uint64_t{m_entries[i].hash & mask} << 32 | i;
    SortByUpperHalf(order, count, std::countr_zero(size));
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint64_t next = order[i];
        const auto index = static_cast<std::uint32_t>(next);
        Entry& entry = m_entries[index];
        std::size_t slot = next >> 32;
        for (; m_slots[slot] != 0; slot = (slot + 1) & mask) {
            if (m_slots[slot] >> 32 != entry.hash)
                continue;
            Entry& first = m_entries[static_cast<std::uint32_t>(m_slots[slot] - 1)];
            if (KeyOf(first) == KeyOf(entry)) {
                first.value = entry.value;
                first.valueLength = entry.valueLength;
                first.list = entry.list;
                entry.removed = true;
                ++m_removed;
                break;
            }
        }
        if (!entry.removed) {
            m_slots[slot] = std::uint64_t{entry.hash} << 32 | (index + 1);
            ++m_indexed;
        }
    }
}

void IniSettings::AppendEntry(std::uint32_t keyLength, std::uint32_t value, bool list) {
    const auto keyStart = static_cast<std::uint32_t>(value - keyLength);
    const QStringView key = QStringView(m_chars).sliced(keyStart, keyLength);
    m_deepest = std::max(m_deepest, static_cast<int>(key.count(u'/')));
    m_entries.push_back({keyStart, keyLength, value,
                         static_cast<std::uint32_t>(m_chars.size() - value), HashOf(key), list,
                         false});
}

void IniSettings::Put(QStringView key, QStringView text) {
    const std::uint32_t found = Find(key);
    if (found != kNone) {
        // The value keeps the key's first place in the file.
        Entry& entry = m_entries[found];
        entry.value = static_cast<std::uint32_t>(m_chars.size());
        entry.valueLength = static_cast<std::uint32_t>(text.size());
        entry.list = false;
        m_chars += text;
        return;
    }
    m_chars += key;
    const auto valueStart = static_cast<std::uint32_t>(m_chars.size());
    m_chars += text;
    AppendEntry(static_cast<std::uint32_t>(key.size()), valueStart, false);
    if (2 * (m_indexed + 1) > m_slots.size())
        Rehash();
    else
        Index(static_cast<std::uint32_t>(m_entries.size() - 1));
}

IniSettings IniSettings::Parse(QByteArrayView file) {
    IniSettings settings;
    if (file.startsWith("\xEF\xBB\xBF"))
        file = file.sliced(3);
    // Room for an entry a line and for the texts of the whole file, made at once: growing
    // them step by step would hold the old and the new copy at the same time.
    const auto lines = static_cast<std::size_t>(std::count(file.begin(), file.end(), '\n')) + 1;
    settings.m_entries.reserve(lines);
    QString& chars = settings.m_chars;
    chars.reserve(file.size());
    QString section;
    QString value;
    std::vector<qsizetype> ends;
    qsizetype pos = 0;
    Line line;
    while (NextLine(file, pos, line)) {
        const QByteArrayView text = file.sliced(line.start, line.length);
        if (text.startsWith('[')) {
            const qsizetype close = text.indexOf(']');
            const QByteArray name =
                (close == -1 ? text.sliced(1) : text.sliced(1, close - 1)).toByteArray().trimmed();
            section.clear();
            if (name.compare("general", Qt::CaseInsensitive) == 0)
                continue;
            if (name.compare("%general", Qt::CaseInsensitive) == 0)
                section = QString::fromLatin1(name.sliced(1));
            else
                AppendUnescapedKey(name, section);
            section += u'/';
            continue;
        }
        if (line.equals == -1)
            continue;
        const qsizetype equals = line.equals - line.start;
        const qsizetype keyStart = chars.size();
        chars += section;
        AppendUnescapedKey(text.first(equals).trimmed(), chars);
        const QStringView key = QStringView(chars).sliced(keyStart);
        // A path with an empty part is one that QSettings never finds a value by (it takes
        // such parts out of the names it is asked for), and a final '\' written for a final
        // '/' would take the '=' after it for part of the name.
        if (key.isEmpty() || key.startsWith(u'/') || key.endsWith(u'/') ||
            key.contains(QLatin1String("//"))) {
            chars.resize(keyStart);
            continue;
        }
        const auto keyLength = static_cast<std::uint32_t>(key.size());
        const auto valueStart = static_cast<std::uint32_t>(chars.size());
        const bool list = UnescapeValue(text.sliced(equals + 1), value, ends);
        if (list) {
            qsizetype start = 0;
            for (const qsizetype end : ends) {
                AppendItem(chars, QStringView(value).sliced(start, end - start));
                start = end;
            }
        } else {
            chars += value;
        }
        settings.AppendEntry(keyLength, valueStart, list);
    }
    // Entries of the same key become one here.
    settings.Rehash();
    return settings;
}

QByteArray IniSettings::Serialise() const {
    // Sections in the order of their first key, keys in their order; the section is the
    // key's first part.
    std::vector<std::pair<QStringView, std::vector<std::uint32_t>>> sections;
    QHash<QStringView, std::size_t> sectionIndex;
    for (std::uint32_t i = 0; i < m_entries.size(); ++i) {
        const Entry& entry = m_entries[i];
        if (entry.removed)
            continue;
        const QStringView key = KeyOf(entry);
        const qsizetype slash = key.indexOf(u'/');
        const QStringView name = slash == -1 ? QStringView() : key.first(slash);
        auto found = sectionIndex.constFind(name);
        if (found == sectionIndex.constEnd()) {
            found = sectionIndex.insert(name, sections.size());
            sections.emplace_back(name, std::vector<std::uint32_t>());
        }
        sections[*found].second.push_back(i);
    }
    QByteArray out;
    for (const auto& [name, entries] : sections) {
        if (!out.isEmpty())
            out += '\n';
        QByteArray header;
        AppendEscapedKey(name, header);
        if (header.isEmpty())
            header = "General";
        else if (header.compare("general", Qt::CaseInsensitive) == 0)
            header.prepend('%');  // QSettings writes "%General" for every case, losing it
        out += '[' + header + "]\n";
        for (const std::uint32_t index : entries) {
            const Entry& entry = m_entries[index];
            const QStringView key = KeyOf(entry);
            const qsizetype slash = key.indexOf(u'/');
            AppendEscapedKey(slash == -1 ? key : key.sliced(slash + 1), out);
            out += '=';
            bool first = true;
            for (const QStringView part : Parts(entry)) {
                if (!first)
                    out += ", ";
                first = false;
                AppendEscapedText(part, out);
            }
            out += '\n';
        }
    }
    return out;
}

std::optional<QString> IniSettings::Text(QStringView key) const {
    const std::uint32_t found = Find(key);
    if (found == kNone)
        return std::nullopt;
    const Entry& entry = m_entries[found];
    if (!entry.list)
        return StoredText(ValueOf(entry));
    // QSettings reads a list with a serialised value in it as a list of values, no texts.
    QString items;
    bool first = true;
    for (const QStringView part : Parts(entry)) {
        if (part.startsWith(u'@') && !part.startsWith(QLatin1String("@@")))
            return std::nullopt;
        if (!first)
            items += u',';
        first = false;
        items += part.startsWith(u'@') ? part.sliced(1) : part;
    }
    return items;
}

bool IniSettings::IsList(QStringView key) const {
    const std::uint32_t found = Find(key);
    return found != kNone && m_entries[found].list;
}

QStringList IniSettings::Keys() const {
    QStringList keys;
    for (const Entry& entry : m_entries) {
        if (!entry.removed)
            keys.append(KeyOf(entry).toString());
    }
    return keys;
}

void IniSettings::SetText(QStringView key, QStringView text) {
    // A text that begins with '@' would read as a serialised value.
    if (text.startsWith(u'@')) {
        Put(key, QString(u'@').append(text));
        return;
    }
    Put(key, text);
}

bool IniSettings::Remove(QStringView key) {
    bool removed = false;
    auto remove = [&](Entry& entry) {
        entry.removed = true;
        ++m_removed;
        removed = true;
    };
    const std::uint32_t found = Find(key);
    if (found != kNone)
        remove(m_entries[found]);
    // Only a key with fewer parts than the longest can have keys below it.
    if (key.count(u'/') < m_deepest) {
        for (Entry& entry : m_entries) {
            const QStringView other = KeyOf(entry);
            if (!entry.removed && other.size() > key.size() && other[key.size()] == u'/' &&
                other.startsWith(key))
                remove(entry);
        }
    }
    // The removed entries stay in the index until there are as many of them as others.
    if (m_removed > m_entries.size() / 2 + 16)
        Rehash();
    return removed;
}
