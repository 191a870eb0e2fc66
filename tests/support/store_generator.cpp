#include "support/store_generator.h"

#include <iterator>

namespace {

const char* const kNames[] = {"WindowBackgroundColour",
                              "GridBackgroundColour",
                              "GridLineColour",
                              "TileBackgroundColour",
                              "TileBorderColour",
                              "TileLineColour",
                              "HomeSquareColour",
                              "BallColour",
                              "Level",
                              "BallSpeed",
                              "XGridSize",
                              "YGridSize",
                              "HomeCount",
                              "BorderCount"};

// What QSettings makes of a value besides plain text: quotes, escapes, lists and its
// own serialised types, some of them cut short.
const char* const kOddValues[] = {"",
                                  " ",
                                  "abc",
                                  "1e3",
                                  "0x10",
                                  "12abc",
                                  "+",
                                  "-",
                                  "\"7\"",
                                  "\"(3,4)\"",
                                  "1,2",
                                  "(3,4),(5,6)",
                                  "\\x41\\0",
                                  "a\\",
                                  "\"unterminated",
                                  "@Invalid()",
                                  "@ByteArray(12)",
                                  "@Size(3 4)",
                                  "@Rect(1 2 3 4)",
                                  "@Point(5 6)",
                                  "@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x7f)",
                                  "@Variant(\\0\\0\\0\\v\\xff\\xff\\xff\\xff)",
                                  "@Variant(",
                                  "@ByteArray(",
                                  "\\u00e4",
                                  "ü",
                                  "%U0041",
                                  ";comment",
                                  "#comment",
                                  "2147483648",
                                  "-2147483649",
                                  "99999999999",
                                  "-99999999999999999999",
                                  "00000000000000000000000000012",
                                  " 12 ",
                                  "\t5"};

const char* const kHeaders[] = {"[Settings]", "[Settings]",  "[Settings]",   "[General]",
                                "[settings]", "[Settings",   "Settings]",    "[]",
                                "[%General]", "[Settings]]", "[Set\\tings]", "[Settings/Sub]"};

int Below(StoreRandom& random, int n) {
    return static_cast<int>(random() % n);
}

template <class Table>
const char* Pick(StoreRandom& random, const Table& table) {
    return table[Below(random, static_cast<int>(std::size(table)))];
}

std::string Bytes(StoreRandom& random, int length) {
    std::string text;
    for (int i = 0; i < length; ++i)
        text += static_cast<char>(Below(random, 8) ? Below(random, 256)
                                                   : "=[]\\\",\r\n"[Below(random, 8)]);
    return text;
}

std::string Number(StoreRandom& random) {
    switch (Below(random, 5)) {
        case 0:
            return std::to_string(Below(random, 24) - 3);
        case 1:
            return std::to_string(Below(random, 120) - 10);
        case 2:
            return std::to_string(static_cast<std::int32_t>(random()));
        case 3:
            return std::string(Below(random, 2) ? "-" : "") +
                   std::string(1 + Below(random, 30), '9');
        default:
            return Pick(random, kOddValues);
    }
}

std::string Entry(StoreRandom& random) {
    const std::string column =
        Below(random, 4) ? std::to_string(Below(random, 102) - 1) : Number(random);
    const std::string row =
        Below(random, 4) ? std::to_string(Below(random, 102) - 1) : Number(random);
    switch (Below(random, 10)) {
        case 0:
            return column + "," + row;
        case 1:
            return "(" + column;
        case 2:
            return "( " + column + " , " + row + " )";
        case 3:
            return "(" + column + "," + row + ")" + Bytes(random, Below(random, 12));
        case 4:
            return "\"(" + column + "," + row + ")\"";
        default:
            return "(" + column + "," + row + ")";
    }
}

std::string Value(StoreRandom& random, const std::string& name) {
    const int roll = Below(random, 100);
    if (roll < 3)
        return Bytes(random, Below(random, 64));
    if (roll < 4)
        return std::string(1000 + Below(random, 200000), "x9(,"[Below(random, 4)]);
    if (name.find("Colour") != std::string::npos && roll < 60)
        return std::to_string(Below(random, 1 << 24));
    if (name.rfind("Home", 0) == 0 || name.rfind("Border", 0) == 0) {
        if (name.find("Count") == std::string::npos)
            return Entry(random);
    }
    return Number(random);
}

std::string Line(StoreRandom& random) {
    const int roll = Below(random, 100);
    if (roll < 5)
        return Bytes(random, Below(random, 80));
    if (roll < 8)
        return Pick(random, kHeaders);
    if (roll < 10)
        return "novalue";
    if (roll < 12)
        return std::string("=") + Number(random);
    std::string name;
    if (roll < 40)
        name =
            std::string(Below(random, 2) ? "Home" : "Border") + std::to_string(Below(random, 30));
    else if (roll < 90)
        name = Pick(random, kNames);
    else
        name = Bytes(random, 1 + Below(random, 10));
    return name + (Below(random, 10) ? "=" : " = ") + Value(random, name);
}

// A layout of `count` entries, numbered as the program numbers them, and its count.
std::string Layout(StoreRandom& random, const char* word, int count) {
    std::string text = std::string(word) + "Count=" + std::to_string(count) + "\n";
    for (int i = 0; i < count; ++i)
        text += std::string(word) + std::to_string(i) + "=" + Entry(random) + "\n";
    return text;
}

}  // namespace

std::string GenerateStore(StoreRandom& random) {
    const char* const newline = Below(random, 10) ? "\n" : (Below(random, 2) ? "\r\n" : "\r");
    std::string file;
    const int sections = Below(random, 4);
    for (int s = 0; s <= sections; ++s) {
        file += std::string(s == 0 && Below(random, 4) ? "[Settings]" : Pick(random, kHeaders)) +
                newline;
        const int lines = Below(random, 40);
        for (int i = 0; i < lines; ++i)
            file += Line(random) + newline;
        // Thousands of entries now and then: saving over them rewrites the file for each.
        if (Below(random, 20) == 0) {
            const int most = Below(random, 50) ? 40 : 2000;
            file += Layout(random, "Home", Below(random, most));
            file += Layout(random, "Border", Below(random, most));
        }
    }
    if (Below(random, 500) == 0) {
        // Megabytes of junk behind the values.
        file += Bytes(random, 1 << (20 + Below(random, 2)));
    }
    return file;
}

std::string MutateStore(std::string file, StoreRandom& random) {
    const int changes = 1 + Below(random, 8);
    for (int c = 0; c < changes; ++c) {
        const std::size_t at = file.empty() ? 0 : random() % file.size();
        const std::size_t length = std::min<std::size_t>(file.size() - at, Below(random, 32));
        switch (Below(random, 6)) {
            case 0:
                if (!file.empty())
                    file[at] = static_cast<char>(random());
                break;
            case 1:
                file.insert(at, Bytes(random, 1 + Below(random, 16)));
                break;
            case 2:
                file.erase(at, length);
                break;
            case 3:
                file.insert(at, file.substr(at, length));
                break;
            default:
                file.insert(file.find('\n', at) == std::string::npos ? file.size()
                                                                     : file.find('\n', at) + 1,
                            Line(random) + "\n");
                break;
        }
    }
    return file;
}
