#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "game/board.h"

// The text forms of the stored layout: value names such as Home0 or Border12, and entries
// "(column,row)" counted from 0 at the top-left square.

std::string LayoutValueName(std::string_view kindWord, std::int32_t index);
std::string FormatLayoutEntry(std::int32_t column, std::int32_t row);

// Reads "(" at the very start, an integer (leading white space and a sign allowed), ","
// and a second integer; anything after it is ignored. Numbers beyond 32 bits saturate,
// which puts them off every board.
bool ParseLayoutEntry(std::string_view text, std::int32_t& column, std::int32_t& row);

// The square an entry names, or none when it lies outside the board.
Square* LayoutSquare(const Board& board, std::int32_t column, std::int32_t row);
