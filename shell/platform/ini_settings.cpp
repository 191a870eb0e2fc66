#include "shell/platform/ini_settings.h"

#include <QStringDecoder>

#include <utility>

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
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

void AppendEscapedKey(const QString& key, QByteArray& out) {
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
// an item go unless quoted; backslashes escape as in C.
bool UnescapeValue(QByteArrayView raw, QStringList& parts) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString current;
    bool list = false;
    bool inQuotes = false;
    bool quoted = false;
    bool truncated = false;
    const qsizetype size = raw.size();
    qsizetype i = 0;
    // Blanks before this length are the value's own (escaped or quoted), not padding.
    qsizetype kept = 0;
    auto skipBlanks = [&] {
        while (i < size && (raw[i] == ' ' || raw[i] == '\t'))
            ++i;
        kept = current.size();
    };
    auto chopBlanks = [&] {
        while (current.size() > kept && IsBlank(current.back()))
            current.chop(1);
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
                current += QLatin1Char(unescaped);
            if (!done && (code == 'x' || (code >= '0' && code <= '7'))) {
                // Hexadecimal or octal digits as many as follow, into one UTF-16 unit.
                const bool hexadecimal = code == 'x';
                if (hexadecimal && (i >= size || !IsHexDigit(static_cast<uchar>(raw[i])))) {
                    truncated = i >= size;
                    kept = current.size();
                    continue;
                }
                char16_t unit = hexadecimal ? 0 : static_cast<char16_t>(code - '0');
                while (i < size && (hexadecimal ? IsHexDigit(static_cast<uchar>(raw[i]))
                                                : raw[i] >= '0' && raw[i] <= '7')) {
                    unit = static_cast<char16_t>(hexadecimal ? (unit << 4) + HexValue(raw[i])
                                                             : (unit << 3) + (raw[i] - '0'));
                    ++i;
                }
                current += QChar(unit);
                truncated = i >= size;
            } else if (!done && (code == '\n' || code == '\r')) {
                // A continued line.
                if (i < size && (raw[i] == '\n' || raw[i] == '\r') && raw[i] != code)
                    ++i;
            }
            // Any other escaped character is dropped.
            kept = current.size();
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
            parts.append(current);
            current.clear();
            quoted = false;
            ++i;
            skipBlanks();
        } else {
            qsizetype end = i + 1;
            while (end < size && raw[end] != '\\' && raw[end] != '"' && raw[end] != ',')
                ++end;
            current += utf8(raw.sliced(i, end - i));
            i = end;
        }
    }
    if (!quoted && !truncated)
        chopBlanks();
    parts.append(current);
    return list;
}

// A text as QSettings writes it: C escapes, the UTF-8 of other characters (but \x escapes
// in a serialised value, which holds bytes), and quotes where a ';', ',' or '=' or a blank
// at either end would otherwise be lost.
void AppendEscapedText(const QString& text, QByteArray& out) {
    const bool bytes = text.startsWith(QLatin1String("@ByteArray(")) ||
                       text.startsWith(QLatin1String("@Variant("));
    const qsizetype start = out.size();
    bool needsQuotes = false;
    bool hexBefore = false;
    QString plain;
    auto flush = [&] {
        out += plain.toUtf8();
        plain.clear();
    };
    auto hex = [&](char16_t c) {
        flush();
        out += "\\x" + QByteArray::number(c, 16);
    };
    for (const QChar qc : text) {
        const char16_t c = qc.unicode();
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
        } else if (c <= 0x1F || (c >= 0x7F && bytes)) {
            hex(c);
            hexBefore = true;
        } else {
            plain += qc;
        }
    }
    flush();
    if (needsQuotes || (out.size() > start && (out[start] == ' ' || out[out.size() - 1] == ' '))) {
        out.insert(start, '"');
        out += '"';
    }
}

// What a text in the file stands for, as QSettings reads it: "@@" starts a text that
// begins with '@', a byte array holds UTF-8, and Qt's other serialised values are no text.
std::optional<QString> StoredText(const QString& part) {
    if (!part.startsWith(u'@'))
        return part;
    if (part.endsWith(u')')) {
        if (part.startsWith(QLatin1String("@ByteArray(")))
            return QString::fromUtf8(QStringView(part).sliced(11).chopped(1).toLatin1());
        if (part.startsWith(QLatin1String("@String(")))
            return part.sliced(8).chopped(1);
        for (const char* form : {"@Variant(", "@DateTime(", "@Rect(", "@Size(", "@Point("}) {
            if (part.startsWith(QLatin1String(form)))
                return std::nullopt;
        }
        if (part == QLatin1String("@Invalid()"))
            return std::nullopt;
    }
    if (part.startsWith(QLatin1String("@@")))
        return part.sliced(1);
    return part;
}

}  // namespace

IniSettings IniSettings::Parse(QByteArrayView file) {
    IniSettings settings;
    if (file.startsWith("\xEF\xBB\xBF"))
        file = file.sliced(3);
    QString section;
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
        QString key = section;
        AppendUnescapedKey(text.first(equals).trimmed(), key);
        // A path with an empty part is one that QSettings never finds a value by (it takes
        // such parts out of the names it is asked for), and a final '\' written for a final
        // '/' would take the '=' after it for part of the name.
        if (key.isEmpty() || key.startsWith(u'/') || key.endsWith(u'/') ||
            key.contains(QLatin1String("//")))
            continue;
        QStringList parts;
        const bool list = UnescapeValue(text.sliced(equals + 1), parts);
        settings.Put(key, std::move(parts), list);
    }
    return settings;
}

QByteArray IniSettings::Serialise() const {
    // Sections in the order of their first key, keys in their order; the section is the
    // key's first part.
    std::vector<std::pair<QString, std::vector<const Entry*>>> sections;
    QHash<QString, size_t> sectionIndex;
    for (const Entry& entry : m_entries) {
        if (entry.removed)
            continue;
        const qsizetype slash = entry.key.indexOf(u'/');
        const QString name = slash == -1 ? QString() : entry.key.first(slash);
        auto found = sectionIndex.constFind(name);
        if (found == sectionIndex.constEnd()) {
            found = sectionIndex.insert(name, sections.size());
            sections.emplace_back(name, std::vector<const Entry*>());
        }
        sections[*found].second.push_back(&entry);
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
        for (const Entry* entry : entries) {
            const qsizetype slash = entry->key.indexOf(u'/');
            AppendEscapedKey(slash == -1 ? entry->key : entry->key.sliced(slash + 1), out);
            out += '=';
            for (qsizetype i = 0; i < entry->parts.size(); ++i) {
                if (i != 0)
                    out += ", ";
                AppendEscapedText(entry->parts[i], out);
            }
            out += '\n';
        }
    }
    return out;
}

std::optional<QString> IniSettings::Text(const QString& key) const {
    const auto found = m_index.constFind(key);
    if (found == m_index.constEnd())
        return std::nullopt;
    const Entry& entry = m_entries[static_cast<size_t>(*found)];
    if (!entry.list)
        return StoredText(entry.parts.front());
    // QSettings reads a list with a serialised value in it as a list of values, no texts.
    QStringList items;
    for (const QString& part : entry.parts) {
        if (part.startsWith(u'@') && !part.startsWith(QLatin1String("@@")))
            return std::nullopt;
        items.append(part.startsWith(u'@') ? part.sliced(1) : part);
    }
    return items.join(u',');
}

bool IniSettings::IsList(const QString& key) const {
    const auto found = m_index.constFind(key);
    return found != m_index.constEnd() && m_entries[static_cast<size_t>(*found)].list;
}

QStringList IniSettings::Keys() const {
    QStringList keys;
    for (const Entry& entry : m_entries) {
        if (!entry.removed)
            keys.append(entry.key);
    }
    return keys;
}

void IniSettings::SetText(const QString& key, const QString& text) {
    // A text that begins with '@' would read as a serialised value.
    Put(key, {text.startsWith(u'@') ? u'@' + text : text}, false);
}

bool IniSettings::Remove(const QString& key) {
    const QString below = key + u'/';
    bool removed = false;
    for (Entry& entry : m_entries) {
        if (!entry.removed && (entry.key == key || entry.key.startsWith(below))) {
            entry.removed = true;
            m_index.remove(entry.key);
            removed = true;
        }
    }
    return removed;
}

void IniSettings::Put(const QString& key, QStringList parts, bool list) {
    const auto found = m_index.constFind(key);
    if (found != m_index.constEnd()) {
        Entry& entry = m_entries[static_cast<size_t>(*found)];
        entry.parts = std::move(parts);
        entry.list = list;
        return;
    }
    m_index.insert(key, static_cast<qsizetype>(m_entries.size()));
    m_entries.push_back({key, std::move(parts), list, false});
}
