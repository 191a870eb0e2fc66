#include "shell/stored_values.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "ai/move_search.h"

std::string FormatColourText(COLORREF colour) {
    return std::to_string(static_cast<std::int32_t>(colour));
}

bool ReadLongText(std::string_view text, std::size_t& pos, std::int32_t& value) {
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
    const std::size_t digitsStart = pos;
    std::int64_t magnitude = 0;
    for (; pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])); ++pos) {
        magnitude = std::min<std::int64_t>(magnitude * 10 + (text[pos] - '0'), kMax + 1);
    }
    if (pos == digitsStart) {
        return false;
    }
    value = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(negative ? -magnitude : magnitude, kMin, kMax));
    return true;
}

COLORREF ParseColourText(std::string_view text) {
    std::size_t pos = 0;
    std::int32_t value = 0;
    ReadLongText(text, pos, value);
    return static_cast<COLORREF>(value);
}

int GridSizeFromStore(int stored) {
    return std::clamp(stored, kMinGridSize, kMaxGridSize);
}

int LevelFromStore(int stored) {
    return EffectiveLevel(stored);
}

int BallSpeedFromStore(int stored) {
    return std::clamp(stored, 0, kMaxBallSpeed);
}

int LayoutCountFromStore(int stored) {
    return std::clamp(stored, 0, kMaxLayoutCount);
}
