#include "shell/stored_values.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "ai/move_search.h"

std::string FormatColourText(COLORREF colour) {
    return std::to_string(static_cast<std::int32_t>(colour));
}

COLORREF ParseColourText(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    std::int64_t value = 0;
    for (; pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])); ++pos) {
        value = std::min<std::int64_t>(value * 10 + (text[pos] - '0'), kMax + 1);
    }
    value = std::clamp<std::int64_t>(negative ? -value : value, kMin, kMax);
    return static_cast<COLORREF>(static_cast<std::int32_t>(value));
}

int GridSizeFromStore(int stored) { return std::clamp(stored, kMinGridSize, kMaxGridSize); }

int LevelFromStore(int stored) { return EffectiveLevel(stored); }

int BallSpeedFromStore(int stored) { return std::clamp(stored, 0, kMaxBallSpeed); }

int LayoutCountFromStore(int stored) { return std::clamp(stored, 0, kMaxLayoutCount); }
