#pragma once

// Helpers of the drawing surface tests: an off-screen picture to draw on, and pictures
// of pixels as text so that a failure shows what was drawn.

#include <string>

#include "shell/platform/dc.h"

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

// An off-screen surface holding a black bitmap of the given size, put back as found.
struct OffScreen {
    OffScreen(int width, int height) {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, width, height);
        previous = dc.SelectObject(&bitmap);
    }
    ~OffScreen() { dc.SelectObject(previous); }

    CDC dc;
    CBitmap bitmap;
    CBitmap* previous = nullptr;
};

// One text row per pixel row: '#' where the pixel has the ink colour, 'o' where it has
// the second colour (if given), '.' elsewhere.
inline std::string Picture(const CDC& dc, int width, int height, COLORREF ink,
                           COLORREF second = CLR_INVALID) {
    std::string text;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF pixel = dc.GetPixel(x, y);
            text += pixel == ink ? '#' : pixel == second ? 'o' : '.';
        }
        text += '\n';
    }
    return text;
}

// Expected pictures are written as raw strings starting on the line after the quote.
inline std::string Art(const char* text) {
    return std::string(text).substr(1);
}
