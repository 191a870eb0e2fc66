#include "editor/layout_codec.h"

#include "shell/stored_values.h"

std::string LayoutValueName(std::string_view kindWord, std::int32_t index) {
    return std::string(kindWord) + std::to_string(index);
}

std::string FormatLayoutEntry(std::int32_t column, std::int32_t row) {
    // Appended piece by piece: GCC 12 warns falsely about a string built from "(" + ....
    std::string text = "(";
    text += std::to_string(column);
    text += ',';
    text += std::to_string(row);
    text += ')';
    return text;
}

bool ParseLayoutEntry(std::string_view text, std::int32_t& column, std::int32_t& row) {
    if (text.empty() || text[0] != '(') {
        return false;
    }
    std::size_t pos = 1;
    std::int32_t first = 0;
    std::int32_t second = 0;
    if (!ReadLongText(text, pos, first)) {
        return false;
    }
    if (pos >= text.size() || text[pos] != ',') {
        return false;
    }
    ++pos;
    if (!ReadLongText(text, pos, second)) {
        return false;
    }
    column = first;
    row = second;
    return true;
}

Square* LayoutSquare(const Board& board, std::int32_t column, std::int32_t row) {
    if (column > board.columns || row > board.rows) {
        return nullptr;
    }
    return board.SquareAt(column, row);
}
