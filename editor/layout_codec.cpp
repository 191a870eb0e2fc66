#include "editor/layout_codec.h"

#include <cctype>
#include <cstdint>
#include <limits>

std::string LayoutValueName(std::string_view kindWord, std::int32_t index) {
    return std::string(kindWord) + std::to_string(index);
}

std::string FormatLayoutEntry(std::int32_t column, std::int32_t row) {
    return "(" + std::to_string(column) + "," + std::to_string(row) + ")";
}

namespace {

bool ReadInteger(std::string_view text, std::size_t& pos, std::int32_t& value) {
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::size_t digitsStart = pos;
    std::int64_t magnitude = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
        if (magnitude <= kLimit) {
            magnitude = magnitude * 10 + (text[pos] - '0');
        }
        ++pos;
    }
    if (pos == digitsStart) {
        return false;
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > std::numeric_limits<std::int32_t>::max()) {
        value = std::numeric_limits<std::int32_t>::max();
    } else if (signedValue < std::numeric_limits<std::int32_t>::min()) {
        value = std::numeric_limits<std::int32_t>::min();
    } else {
        value = static_cast<std::int32_t>(signedValue);
    }
    return true;
}

}  // namespace

bool ParseLayoutEntry(std::string_view text, std::int32_t& column, std::int32_t& row) {
    std::size_t pos = 0;
    if (text.empty() || text[0] != '(') {
        return false;
    }
    pos = 1;
    std::int32_t first = 0;
    std::int32_t second = 0;
    if (!ReadInteger(text, pos, first)) {
        return false;
    }
    if (pos >= text.size() || text[pos] != ',') {
        return false;
    }
    ++pos;
    if (!ReadInteger(text, pos, second)) {
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
