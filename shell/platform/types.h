#pragma once

// Value types of the framework layer. They carry no Qt, so the rest of the program can
// use them without seeing the toolkit.

#include <algorithm>
#include <cstdint>

// 24-bit colour: red in the low byte, then green, then blue; the top byte is 0.
using COLORREF = std::uint32_t;

constexpr COLORREF RGB(int red, int green, int blue) {
    return static_cast<COLORREF>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GetGValue(COLORREF c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int GetBValue(COLORREF c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

struct CPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const CPoint&, const CPoint&) = default;
};

struct CSize {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
    friend bool operator==(const CSize&, const CSize&) = default;
};

// A box from (left, top) to (right, bottom); the right column and the bottom row lie
// outside it, as everywhere in the drawing rules.
struct CRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    bool IsRectEmpty() const { return right <= left || bottom <= top; }
    void OffsetRect(std::int32_t dx, std::int32_t dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    void NormalizeRect() {
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
    }
    friend bool operator==(const CRect&, const CRect&) = default;
};
