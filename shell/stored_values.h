#pragma once

// How the values of the settings store are written and how stored values are brought
// into the ranges the program can hold. A hand-edited or corrupted store must neither
// crash the program nor make it allocate or loop without end at start-up.

#include <cstdint>
#include <string>
#include <string_view>

#include "shell/platform/types.h"

constexpr const char* kSettingsSection = "Settings";

constexpr int kDefaultColumns = 15;
constexpr int kDefaultRows = 10;
constexpr int kMinGridSize = 1;
constexpr int kMaxGridSize = 100;
constexpr int kDefaultBallSpeed = 10;
constexpr int kMaxBallSpeed = 19;
// The largest board has this many squares, so no stored layout can name more.
constexpr int kMaxLayoutCount = kMaxGridSize * kMaxGridSize;

struct ColourSetting {
    const char* name;
    COLORREF defaultValue;
};

// In the order in which they are read at start-up.
inline constexpr ColourSetting kColourSettings[] = {
    {"WindowBackgroundColour", 8421376},
    {"GridBackgroundColour", 4227072},
    {"GridLineColour", 128},
    {"TileBackgroundColour", 16711680},
    {"TileBorderColour", 65280},
    {"TileLineColour", 65535},
    {"HomeSquareColour", 8388736},
    {"BallColour", 255},
};

// A colour is stored as the signed decimal text of its 32-bit value.
std::string FormatColourText(COLORREF colour);

// Reads an integer from text at pos the way the standard text-to-long conversion of a
// 32-bit long does: leading white space, one optional sign, then decimal digits up to the
// first other character; numbers beyond the range saturate. pos ends after the digits.
// False when there are no digits.
bool ReadLongText(std::string_view text, std::size_t& pos, std::int32_t& value);

// A stored colour; text without digits gives 0 (black).
COLORREF ParseColourText(std::string_view text);

int GridSizeFromStore(int stored);
int LevelFromStore(int stored);
int BallSpeedFromStore(int stored);
int LayoutCountFromStore(int stored);
