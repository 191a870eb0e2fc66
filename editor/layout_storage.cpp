#include "editor/layout_storage.h"

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

void AppendLayoutSquare(SquareKind kind, std::int32_t column, std::int32_t row, LayoutStore& store,
                        LayoutMessages& messages) {
    const LayoutList& list = kind == Home ? kHomeList : kBorderList;
    // Read from the store for every square rather than counted in memory.
    const int count = StoredCount(store, list);
    const std::string text = FormatLayoutEntry(column, row);
    if (!store.WriteString(LayoutValueName(list.word, count), text)) {
        messages.ShowLayoutMessage(list.entryFailedId, list.entryFailedText, text, true);
    }
    // Written even when the entry failed: a failure never stops the save.
    if (!store.WriteInt(list.countName, count + 1)) {
        messages.ShowLayoutMessage(list.countFailedId, list.countFailedText,
                                   std::to_string(count + 1), true);
    }
}

void SaveLayout(const Board& board, LayoutStore& store, LayoutMessages& messages) {
    ClearStoredLayout(store);
    board.ForEachSquareIndexed([&](const Square& square, std::int32_t column, std::int32_t row) {
        if (square.kind == Home || square.kind == Border) {
            AppendLayoutSquare(square.kind, column, row, store, messages);
        }
    });
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
