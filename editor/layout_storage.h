#pragma once

// The stored board layout: the Home and Border squares as two numbered lists of "(c,r)"
// entries in the settings store, written by the editor's Save and read by every new game.

#include <cstdint>
#include <string>
#include <string_view>

#include "game/board.h"

// The values of the "Settings" section that the layout uses.
class LayoutStore {
public:
    virtual ~LayoutStore() = default;
    virtual int ReadInt(const std::string& name, int defaultValue) = 0;
    virtual bool WriteInt(const std::string& name, int value) = 0;
    virtual std::string ReadString(const std::string& name, const std::string& defaultValue) = 0;
    virtual bool WriteString(const std::string& name, const std::string& text) = 0;
    virtual void DeleteValue(const std::string& name) = 0;
    // The writes from here to WriteHeld reach the store as one write. Until then each write
    // succeeds at once and the reads see it; WriteHeld is false when the one write failed,
    // and then none of them is stored. A store that writes each value at once holds nothing.
    virtual void HoldWrites() {}
    virtual bool WriteHeld() { return true; }
};

// The user hears of a failed write or an unreadable entry through a message box; which
// text it shows goes through the localized string table, so only the ID and the English
// text are handed over.
class LayoutMessages {
public:
    virtual ~LayoutMessages() = default;
    // ownedByView is false for the unreadable-entry box, which has no owner window.
    virtual void ShowLayoutMessage(unsigned stringId, const char* englishText,
                                   const std::string& caption, bool ownedByView) = 0;
};

enum LayoutStringId : unsigned {
    IDS_SAVE_BORDER_FAILED = 61204,
    IDS_SAVE_BORDER_COUNT_FAILED = 61205,
    IDS_SAVE_HOME_FAILED = 61206,
    IDS_SAVE_HOME_COUNT_FAILED = 61207,
    IDS_READ_ENTRY_FAILED = 61208,
};

void ClearStoredLayout(LayoutStore& store);
// The clear and every square reach the store as one write: killed at any moment, the store
// holds the old layout or the new one. The messages of failed writes come after it, in the
// order of the writes.
void SaveLayout(const Board& board, LayoutStore& store, LayoutMessages& messages);
// Sets the stored Home squares, then the stored Border squares; clears nothing first and
// paints nothing.
void LoadLayout(Board& board, LayoutStore& store, LayoutMessages& messages);
void ApplyLayoutEntry(Board& board, std::string_view text, SquareKind kind,
                      LayoutMessages& messages);
