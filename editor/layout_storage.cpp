#include "editor/layout_storage.h"

#include <utility>
#include <vector>

#include "editor/layout_codec.h"
#include "shell/stored_values.h"

namespace {

struct LayoutList {
    SquareKind kind;
    const char* word;
    const char* countName;
    unsigned entryFailedId;
    const char* entryFailedText;
    unsigned countFailedId;
    const char* countFailedText;
};

constexpr LayoutList kHomeList{Home,
                               "Home",
                               "HomeCount",
                               IDS_SAVE_HOME_FAILED,
                               "Couldn't save the home square",
                               IDS_SAVE_HOME_COUNT_FAILED,
                               "Couldn't save the home square count"};
constexpr LayoutList kBorderList{Border,
                                 "Border",
                                 "BorderCount",
                                 IDS_SAVE_BORDER_FAILED,
                                 "Couldn't save the border square",
                                 IDS_SAVE_BORDER_COUNT_FAILED,
                                 "Couldn't save the border square count"};

// Home entries are applied first, so a square named in both lists ends as Border.
constexpr const LayoutList* kLists[] = {&kHomeList, &kBorderList};

int StoredCount(LayoutStore& store, const LayoutList& list) {
    return LayoutCountFromStore(store.ReadInt(list.countName, 0));
}

// The two writes of one square, and whether each succeeded.
struct SquareWrites {
    const LayoutList* list;
    std::string text;
    int count;
    bool entryWritten;
    bool countWritten;
};

// Writes one square as the next entry of its list, and the list's count.
SquareWrites AppendLayoutSquare(SquareKind kind, std::int32_t column, std::int32_t row,
                                LayoutStore& store) {
    const LayoutList& list = kind == Home ? kHomeList : kBorderList;
    // Read from the store for every square rather than counted in memory.
    const int count = StoredCount(store, list);
    std::string text = FormatLayoutEntry(column, row);
    const bool entryWritten = store.WriteString(LayoutValueName(list.word, count), text);
    // Written even when the entry failed: a failure never stops the save.
    const bool countWritten = store.WriteInt(list.countName, count + 1);
    return {&list, std::move(text), count + 1, entryWritten, countWritten};
}

// `stored` is false when the write that held the square's writes failed, and with it both.
void ReportSquare(const SquareWrites& writes, bool stored, LayoutMessages& messages) {
    const LayoutList& list = *writes.list;
    if (!writes.entryWritten || !stored) {
        messages.ShowLayoutMessage(list.entryFailedId, list.entryFailedText, writes.text, true);
    }
    if (!writes.countWritten || !stored) {
        messages.ShowLayoutMessage(list.countFailedId, list.countFailedText,
                                   std::to_string(writes.count), true);
    }
}

}  // namespace

void ClearStoredLayout(LayoutStore& store) {
    for (const LayoutList* list : kLists) {
        const int count = StoredCount(store, *list);
        for (int i = 0; i < count; ++i) {
            store.DeleteValue(LayoutValueName(list->word, i));
        }
        store.WriteInt(list->countName, 0);
    }
}

void SaveLayout(const Board& board, LayoutStore& store, LayoutMessages& messages) {
    store.HoldWrites();
    ClearStoredLayout(store);
    std::vector<SquareWrites> squares;
    board.ForEachSquareIndexed([&](const Square& square, std::int32_t column, std::int32_t row) {
        if (square.kind == Home || square.kind == Border) {
            squares.push_back(AppendLayoutSquare(square.kind, column, row, store));
        }
    });
    // No square is stored before the one write is made: if it fails, each of them failed.
    const bool stored = store.WriteHeld();
    for (const SquareWrites& writes : squares) {
        ReportSquare(writes, stored, messages);
    }
}

void ApplyLayoutEntry(Board& board, std::string_view text, SquareKind kind,
                      LayoutMessages& messages) {
    std::int32_t column = 0;
    std::int32_t row = 0;
    if (!ParseLayoutEntry(text, column, row)) {
        messages.ShowLayoutMessage(IDS_READ_ENTRY_FAILED, "Could not read entry", std::string(text),
                                   false);
        return;
    }
    if (Square* square = LayoutSquare(board, column, row)) {
        square->kind = kind;
    }
}

void LoadLayout(Board& board, LayoutStore& store, LayoutMessages& messages) {
    for (const LayoutList* list : kLists) {
        const int count = StoredCount(store, *list);
        for (int i = 0; i < count; ++i) {
            const std::string text = store.ReadString(LayoutValueName(list->word, i), "");
            if (!text.empty()) {
                ApplyLayoutEntry(board, text, list->kind, messages);
            }
        }
    }
}
