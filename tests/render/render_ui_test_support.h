#pragma once

// Reading what the view and its buttons painted: the pixels of a window's backing image,
// and where the ball's sprite stands in them.

#include <memory>
#include <ostream>
#include <vector>

#include "render/ball_motion.h"
#include "render/tile_buttons.h"
#include "shell/platform/dc.h"
#include "shell/rolvan_view.h"

// Every colour distinct, so a pixel tells which part of which picture it belongs to.
constexpr COLORREF kWindow = RGB(10, 20, 30);
constexpr COLORREF kGrid = RGB(40, 50, 60);
constexpr COLORREF kGridLine = RGB(70, 80, 90);
constexpr COLORREF kTile = RGB(100, 110, 120);
constexpr COLORREF kTileBorder = RGB(130, 140, 150);
constexpr COLORREF kTileLine = RGB(160, 170, 180);
constexpr COLORREF kHome = RGB(190, 200, 210);
constexpr COLORREF kBall = RGB(220, 230, 240);
// Never painted by the program: shows what was left alone.
constexpr COLORREF kMarker = RGB(1, 2, 3);

// Gives the view the colours above, builds every picture and redraws the window.
inline void UseDistinctColours(CRolvanView& view) {
    view.WindowBackgroundColour = kWindow;
    view.GridBackgroundColour = kGrid;
    view.GridLineColour = kGridLine;
    view.TileBackgroundColour = kTile;
    view.TileBorderColour = kTileBorder;
    view.TileLineColour = kTileLine;
    view.HomeSquareColour = kHome;
    view.BallColour = kBall;
    view.ballBrush = std::make_unique<CBrush>(kBall);
    view.BuildAllImages();
    view.RedrawAll();
}

inline void PrintTo(const PixelPoint& point, std::ostream* os) {
    *os << "(" << point.x << "," << point.y << ")";
}

// A surface over the window's backing image, for reading it back.
class WindowPixels {
public:
    explicit WindowPixels(CWnd& window)
        : m_dc(window.SurfaceImage(), CRect{0, 0, 1 << 15, 1 << 15}) {
        m_dc.GetClipBox(&m_box);
    }
    COLORREF At(int x, int y) const { return m_dc.GetPixel(x, y); }
    const CRect& Box() const { return m_box; }

private:
    CDC m_dc;
    CRect m_box;
};

inline COLORREF PixelOf(CWnd& window, int x, int y) {
    return WindowPixels(window).At(x, y);
}

inline COLORREF PixelOf(const SquareImage& picture, int x, int y) {
    return picture.surface ? picture.surface->GetPixel(x, y) : CLR_INVALID;
}

// Whether any pixel within `reach` of (x, y) has the colour: for thin curves whose exact
// pixels depend on rounding.
inline bool ColourNear(const SquareImage& picture, int x, int y, int reach, COLORREF colour) {
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            if (PixelOf(picture, x + dx, y + dy) == colour) {
                return true;
            }
        }
    }
    return false;
}

inline void FillWindow(CWnd& window, COLORREF colour) {
    CClientDC dc(&window);
    CRect box;
    dc.GetClipBox(&box);
    dc.FillSolidRect(box, colour);
}

inline int CountColour(CWnd& window, COLORREF colour) {
    const WindowPixels pixels(window);
    int count = 0;
    for (int y = pixels.Box().top; y < pixels.Box().bottom; ++y) {
        for (int x = pixels.Box().left; x < pixels.Box().right; ++x) {
            count += pixels.At(x, y) == colour;
        }
    }
    return count;
}

// The centres at which a whole ball sprite shows in the view's image: every white pixel
// of the mask has the ball colour there. Parts of earlier balls that no repaint has
// covered yet never make a whole sprite, so a step shows exactly one.
inline std::vector<PixelPoint> WholeBallsIn(CRolvanView& view, CRect area) {
    std::vector<PixelPoint> centres;
    const CDC* mask = view.ballMaskDC.get();
    const int rx = view.ballRadiusX;
    const int ry = view.ballRadiusY;
    if (mask == nullptr || rx <= 0 || ry <= 0) {
        return centres;
    }
    const WindowPixels pixels(view);
    std::vector<std::pair<int, int>> white;
    for (int y = 0; y < 2 * ry; ++y) {
        for (int x = 0; x < 2 * rx; ++x) {
            if (mask->GetPixel(x, y) == RGB(255, 255, 255)) {
                white.emplace_back(x, y);
            }
        }
    }
    for (int top = area.top - ry; top < area.bottom + ry; ++top) {
        for (int left = area.left - rx; left < area.right + rx; ++left) {
            bool whole = !white.empty();
            for (const auto& [x, y] : white) {
                if (pixels.At(left + x, top + y) != view.BallColour) {
                    whole = false;
                    break;
                }
            }
            if (whole) {
                centres.push_back({left + rx, top + ry});
            }
        }
    }
    return centres;
}
