// libFuzzer on the reading of stored values and layout entries. An input is a settings
// file; its "name=value" lines make a store, which is read the way the view reads it at
// start-up and at every new game. Each input must give values in range, apply exactly
// the entries that name a square of the board, and survive a save and a reload. The
// settings store's reader and writer take the same file: whatever it holds, the file they
// write back reads as what they read, and writes itself again byte for byte.

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "editor/layout_codec.h"
#include "editor/layout_storage.h"
#include "shell/platform/ini_settings.h"
#include "shell/stored_values.h"
#include "support/store_generator.h"

namespace {

class MapStore : public LayoutStore {
public:
    // As the settings store reads integers: a whole 32-bit number or the default.
    int ReadInt(const std::string& name, int defaultValue) override {
        const auto found = values.find(name);
        if (found == values.end())
            return defaultValue;
        const std::string& text = found->second;
        int value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        return error == std::errc() && end == text.data() + text.size() ? value : defaultValue;
    }
    bool WriteInt(const std::string& name, int value) override {
        values[name] = std::to_string(value);
        return true;
    }
    std::string ReadString(const std::string& name, const std::string& defaultValue) override {
        const auto found = values.find(name);
        return found == values.end() ? defaultValue : found->second;
    }
    bool WriteString(const std::string& name, const std::string& text) override {
        values[name] = text;
        return true;
    }
    void DeleteValue(const std::string& name) override { values.erase(name); }

    std::unordered_map<std::string, std::string> values;
};

class UnreadEntries : public LayoutMessages {
public:
    void ShowLayoutMessage(unsigned stringId, const char*, const std::string& caption,
                           bool ownedByView) override {
        std::int32_t column = 0;
        std::int32_t row = 0;
        if (stringId != IDS_READ_ENTRY_FAILED || ownedByView || caption.empty() ||
            ParseLayoutEntry(caption, column, row)) {
            std::abort();
        }
        ++count;
    }
    int count = 0;
};

// The C library's reading of a long, bounded to 32 bits.
std::int32_t LibraryLong(const std::string& text) {
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    return static_cast<std::int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

void Require(bool condition) {
    if (!condition)
        std::abort();
}

std::vector<int> Kinds(const Board& board) {
    std::vector<int> kinds;
    board.ForEachSquare([&](const Square& s) { kinds.push_back(s.kind); });
    return kinds;
}

}  // namespace

// The settings file as the store reads and writes it. Where QSettings' format folds two
// spellings into one (an empty section is the general one), the first writing settles it.
void ReadAndWriteBack(const std::string& file) {
    const IniSettings read = IniSettings::Parse(QByteArrayView(file.data(), file.size()));
    const QByteArray written = read.Serialise();
    const IniSettings again = IniSettings::Parse(written);
    Require(again.Serialise() == written);
    for (const QString& key : read.Keys()) {
        if (key.startsWith(QLatin1String("Settings/"))) {
            Require(again.Text(key) == read.Text(key) && again.IsList(key) == read.IsList(key));
        }
    }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file(reinterpret_cast<const char*>(data), size);
    ReadAndWriteBack(file);
    MapStore store;
    for (std::size_t start = 0; start < file.size();) {
        std::size_t end = file.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = file.size();
        const std::string line = file.substr(start, end - start);
        if (const std::size_t equals = line.find('='); equals != std::string::npos)
            store.values[line.substr(0, equals)] = line.substr(equals + 1);
        start = end + 1;
    }

    for (const ColourSetting& setting : kColourSettings) {
        const std::string text =
            store.ReadString(setting.name, FormatColourText(setting.defaultValue));
        Require(ParseColourText(text) == static_cast<COLORREF>(LibraryLong(text)));
    }
    const int level = LevelFromStore(store.ReadInt("Level", 2));
    const int speed = BallSpeedFromStore(store.ReadInt("BallSpeed", kDefaultBallSpeed));
    Require(level >= 1 && level <= 4 && speed >= 0 && speed <= kMaxBallSpeed);

    Board board;
    board.columns = GridSizeFromStore(store.ReadInt("XGridSize", kDefaultColumns));
    board.rows = GridSizeFromStore(store.ReadInt("YGridSize", kDefaultRows));
    Require(board.columns >= 1 && board.columns <= 100 && board.rows >= 1 && board.rows <= 100);
    board.BuildBoard();

    // What the entries say, worked out by their coordinates; Border comes after Home.
    std::map<std::pair<int, int>, int> named;
    int unreadable = 0;
    for (auto [word, kind] : {std::pair{"Home", Home}, std::pair{"Border", Border}}) {
        const int count = LayoutCountFromStore(store.ReadInt(std::string(word) + "Count", 0));
        for (int i = 0; i < count; ++i) {
            const std::string text = store.ReadString(LayoutValueName(word, i), "");
            std::int32_t column = 0;
            std::int32_t row = 0;
            if (text.empty())
                continue;
            if (!ParseLayoutEntry(text, column, row)) {
                ++unreadable;
            } else if (column >= 0 && column < board.columns && row >= 0 && row < board.rows) {
                named[{column, row}] = kind;
            }
        }
    }
    UnreadEntries messages;
    LoadLayout(board, store, messages);
    Require(messages.count == unreadable);
    board.ForEachSquareIndexed([&](const Square& s, int column, int row) {
        const auto found = named.find({column, row});
        Require(s.kind == (found == named.end() ? Empty : found->second));
    });

    // Saved over whatever the store held, the layout reads back as the same board, and
    // every entry reads back to its own text.
    SaveLayout(board, store, messages);
    Require(messages.count == unreadable);
    for (const char* word : {"Home", "Border"}) {
        const int count = store.ReadInt(std::string(word) + "Count", -1);
        Require(count >= 0);
        for (int i = 0; i < count; ++i) {
            const std::string text = store.ReadString(LayoutValueName(word, i), "");
            std::int32_t column = 0;
            std::int32_t row = 0;
            Require(ParseLayoutEntry(text, column, row) && FormatLayoutEntry(column, row) == text);
        }
    }
    const std::vector<int> saved = Kinds(board);
    board.ForEachSquare([](Square& s) { s.kind = Empty; });
    LoadLayout(board, store, messages);
    Require(Kinds(board) == saved && messages.count == unreadable);
    return 0;
}

// Half of the new inputs come from the store generator that the whole-program runs use,
// the rest from libFuzzer's own byte mutations.
extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t* data, std::size_t size, std::size_t maxSize);
extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t* data, std::size_t size,
                                               std::size_t maxSize, unsigned int seed) {
    StoreRandom random(seed);
    if (random() % 2)
        return LLVMFuzzerMutate(data, size, maxSize);
    std::string file = random() % 8
                           ? MutateStore(std::string(reinterpret_cast<char*>(data), size), random)
                           : GenerateStore(random);
    file.resize(std::min(file.size(), maxSize));
    std::memcpy(data, file.data(), file.size());
    return file.size();
}
