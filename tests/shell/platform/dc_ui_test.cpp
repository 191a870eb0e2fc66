// Shapes and lines on the drawing surface, checked pixel by pixel.

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "shell/platform/dc.h"
#include "shell/platform/dc_test_support.h"

namespace {

struct Pens {
    CPen red{PS_SOLID, 1, kRed};
    CBrush green{kGreen};
};

std::vector<std::pair<int, int>> Painted(const CDC& dc, int width, int height, COLORREF ink) {
    std::vector<std::pair<int, int>> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (dc.GetPixel(x, y) == ink)
                pixels.emplace_back(x, y);
        }
    }
    return pixels;
}

// Whether the painted pixels form one 8-connected curve, as a drawn line must.
bool Connected(const std::vector<std::pair<int, int>>& pixels) {
    if (pixels.empty())
        return false;
    std::vector<bool> reached(pixels.size(), false);
    std::vector<std::size_t> open{0};
    reached[0] = true;
    std::size_t count = 1;
    while (!open.empty()) {
        const auto [x, y] = pixels[open.back()];
        open.pop_back();
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            if (reached[i] || std::abs(pixels[i].first - x) > 1 ||
                std::abs(pixels[i].second - y) > 1) {
                continue;
            }
            reached[i] = true;
            ++count;
            open.push_back(i);
        }
    }
    return count == pixels.size();
}

bool PaintedNear(const CDC& dc, int x, int y, int reach, COLORREF ink) {
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            if (dc.GetPixel(x + dx, y + dy) == ink)
                return true;
        }
    }
    return false;
}

}  // namespace

TEST(DcSelection, SelectReturnsWhatItReplacesAndStockObjectsComeBack) {
    OffScreen picture(4, 4);
    CDC& dc = picture.dc;
    CPen pen(PS_SOLID, 1, kRed);
    CBrush brush(kGreen);

    CPen* oldPen = dc.SelectObject(&pen);
    CBrush* oldBrush = dc.SelectObject(&brush);
    ASSERT_NE(oldPen, nullptr);
    ASSERT_NE(oldBrush, nullptr);
    EXPECT_TRUE(oldPen->IsStockObject());
    EXPECT_EQ(oldPen->Colour(), kBlack);
    EXPECT_EQ(oldBrush->Colour(), kWhite);
    EXPECT_EQ(dc.GetCurrentPen(), &pen);

    CGdiObject* replaced = dc.SelectStockObject(NULL_BRUSH);
    EXPECT_EQ(replaced, &brush);
    EXPECT_TRUE(dc.GetCurrentBrush()->IsNullBrush());
    EXPECT_TRUE(dc.SelectObject(replaced)->IsStockObject());
    EXPECT_EQ(dc.GetCurrentBrush(), &brush);
    EXPECT_EQ(dc.SelectObject(oldPen), &pen);
    EXPECT_EQ(dc.SelectObject(oldBrush), &brush);

    // The stock objects put back draw as a fresh surface does: white inside, black frame.
    dc.Rectangle(0, 0, 4, 4);
    EXPECT_EQ(dc.GetPixel(0, 0), kBlack);
    EXPECT_EQ(dc.GetPixel(1, 1), kWhite);
    EXPECT_EQ(dc.SelectStockObject(12345), nullptr);
}

TEST(DcSelection, ObjectsNotCreatedAreRefusedAndReleasedOnesStayUsable) {
    OffScreen picture(4, 4);
    CDC& dc = picture.dc;
    CPen blank;
    CBrush none;
    EXPECT_EQ(dc.SelectObject(&blank), nullptr);
    EXPECT_EQ(dc.SelectObject(&none), nullptr);
    EXPECT_EQ(dc.SelectObject(static_cast<CPen*>(nullptr)), nullptr);
    EXPECT_TRUE(dc.GetCurrentPen()->IsStockObject());

    // The surface keeps the attributes it was given, so releasing a selected pen or
    // brush (the order the classic code sometimes uses) draws on unharmed.
    auto pen = std::make_unique<CPen>(PS_SOLID, 1, kRed);
    auto brush = std::make_unique<CBrush>(kGreen);
    CPen* oldPen = dc.SelectObject(pen.get());
    CBrush* oldBrush = dc.SelectObject(brush.get());
    pen.reset();
    brush.reset();
    dc.Rectangle(0, 0, 4, 4);
    EXPECT_EQ(dc.GetPixel(0, 0), kRed);
    EXPECT_EQ(dc.GetPixel(1, 2), kGreen);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}

TEST(DcBitmap, CreatedBlackAndEmptyWhenSizeIsNotPositive) {
    OffScreen picture(3, 2);
    EXPECT_EQ(picture.bitmap.GetSize(), (CSize{3, 2}));
    EXPECT_EQ(Picture(picture.dc, 3, 2, kBlack), "###\n###\n");
    CRect box;
    EXPECT_EQ(picture.dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, (CRect{0, 0, 3, 2}));

    for (auto [width, height] : {std::pair{0, 5}, {5, 0}, {-3, 4}, {-1, -1}, {100000, 100000}}) {
        OffScreen empty(width, height);
        EXPECT_EQ(empty.bitmap.GetSize(), (CSize{0, 0}));
        EXPECT_EQ(empty.dc.GetClipBox(&box), NULLREGION);
        EXPECT_FALSE(empty.dc.Rectangle(0, 0, 5, 5));
        EXPECT_FALSE(empty.dc.LineTo(3, 3));
        EXPECT_EQ(empty.dc.GetPixel(0, 0), CLR_INVALID);
    }
}

TEST(DcBitmap, OnlyOffScreenSurfacesTakeBitmapsAndAFreshOneHoldsNoPixels) {
    CBitmap bitmap;
    CDC plain;
    bitmap.CreateCompatibleBitmap(&plain, 2, 2);
    EXPECT_EQ(plain.SelectObject(&bitmap), nullptr);

    CDC offScreen;
    offScreen.CreateCompatibleDC(nullptr);
    EXPECT_FALSE(offScreen.Rectangle(0, 0, 2, 2));
    CBitmap* original = offScreen.SelectObject(&bitmap);
    ASSERT_NE(original, nullptr);
    EXPECT_TRUE(offScreen.Rectangle(0, 0, 2, 2));
    EXPECT_EQ(offScreen.SelectObject(original), &bitmap);
    EXPECT_EQ(offScreen.GetPixel(0, 0), CLR_INVALID);
    EXPECT_EQ(offScreen.GetCurrentBitmap(), original);
}

TEST(DcRectangle, OutlineOnOutermostPixelsAndFillInside) {
    OffScreen picture(8, 6);
    Pens tools;
    picture.dc.SelectObject(&tools.red);
    picture.dc.SelectObject(&tools.green);
    picture.dc.Rectangle(1, 1, 6, 5);
    EXPECT_EQ(Picture(picture.dc, 8, 6, kRed, kGreen), Art(R"(
........
.#####..
.#ooo#..
.#ooo#..
.#####..
........
)"));

    // Corners given the other way round draw the same box.
    OffScreen reversed(8, 6);
    reversed.dc.SelectObject(&tools.red);
    reversed.dc.SelectObject(&tools.green);
    reversed.dc.Rectangle(6, 5, 1, 1);
    EXPECT_EQ(Picture(reversed.dc, 8, 6, kRed, kGreen), Picture(picture.dc, 8, 6, kRed, kGreen));
}

TEST(DcRectangle, NullPenFillsOnlyAndNullBrushOutlinesOnly) {
    Pens tools;
    OffScreen filled(6, 5);
    filled.dc.SelectStockObject(NULL_PEN);
    filled.dc.SelectObject(&tools.green);
    filled.dc.Rectangle(1, 1, 5, 4);
    EXPECT_EQ(Picture(filled.dc, 6, 5, kGreen), Art(R"(
......
.####.
.####.
.####.
......
)"));

    OffScreen framed(6, 5);
    framed.dc.SelectObject(&tools.red);
    framed.dc.SelectStockObject(NULL_BRUSH);
    framed.dc.Rectangle(1, 1, 5, 4);
    EXPECT_EQ(Picture(framed.dc, 6, 5, kRed, kBlack), Art(R"(
oooooo
o####o
o#oo#o
o####o
oooooo
)"));

    // Empty boxes draw nothing at all.
    framed.dc.Rectangle(2, 2, 2, 4);
    framed.dc.Rectangle(0, 3, 6, 3);
    EXPECT_EQ(framed.dc.GetPixel(2, 2), kBlack);
}

TEST(DcRectangle, ClippedAtTheEdgesAndWithCoordinatesAtTheLimits) {
    Pens tools;
    OffScreen picture(5, 4);
    picture.dc.SelectObject(&tools.red);
    picture.dc.SelectObject(&tools.green);
    picture.dc.Rectangle(-3, -3, 3, 3);
    EXPECT_EQ(Picture(picture.dc, 5, 4, kRed, kGreen), Art(R"(
oo#..
oo#..
###..
.....
)"));
    picture.dc.Rectangle(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    EXPECT_EQ(Picture(picture.dc, 5, 4, kGreen), "#####\n#####\n#####\n#####\n");
}

TEST(DcRectangle, WidePenIsCentredOnTheOutlineWithRoundCorners) {
    OffScreen picture(11, 11);
    CPen wide(PS_SOLID, 3, kRed);
    CBrush green(kGreen);
    picture.dc.SelectObject(&wide);
    picture.dc.SelectObject(&green);
    picture.dc.Rectangle(2, 2, 9, 9);
    EXPECT_EQ(Picture(picture.dc, 11, 11, kRed, kGreen), Art(R"(
...........
.#########.
.#########.
.#########.
.###ooo###.
.###ooo###.
.###ooo###.
.#########.
.#########.
.#########.
...........
)"));
}

TEST(DcEllipse, PixelCentreEllipseIsSymmetric) {
    OffScreen picture(12, 9);
    picture.dc.SelectStockObject(WHITE_BRUSH);
    picture.dc.SelectStockObject(WHITE_PEN);
    picture.dc.Ellipse(1, 1, 11, 8);
    EXPECT_EQ(Picture(picture.dc, 12, 9, kWhite), Art(R"(
............
....####....
..########..
.##########.
.##########.
.##########.
..########..
....####....
............
)"));
}

// The ball mask: a black box with a white ellipse that touches all four sides, the same
// seen from any side, for the sprite sizes of small and common windows.
TEST(DcEllipse, BallMaskTouchesAllFourSidesAndMirrors) {
    for (auto [width, height] : {std::pair{14, 20}, {7, 7}, {3, 5}, {2, 2}, {1, 1}, {40, 9}}) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        OffScreen mask(width, height);
        CDC& dc = mask.dc;
        CGdiObject* oldBrush = dc.SelectStockObject(BLACK_BRUSH);
        CGdiObject* oldPen = dc.SelectStockObject(BLACK_PEN);
        dc.Rectangle(0, 0, width, height);
        dc.SelectStockObject(WHITE_BRUSH);
        dc.SelectStockObject(WHITE_PEN);
        dc.Ellipse(0, 0, width, height);
        dc.SelectObject(oldBrush);
        dc.SelectObject(oldPen);

        bool top = false, bottom = false, left = false, right = false;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const COLORREF pixel = dc.GetPixel(x, y);
                ASSERT_TRUE(pixel == kWhite || pixel == kBlack);
                EXPECT_EQ(pixel, dc.GetPixel(width - 1 - x, y)) << x << "," << y;
                EXPECT_EQ(pixel, dc.GetPixel(x, height - 1 - y)) << x << "," << y;
                if (pixel != kWhite)
                    continue;
                top |= y == 0;
                bottom |= y == height - 1;
                left |= x == 0;
                right |= x == width - 1;
            }
        }
        EXPECT_TRUE(top && bottom && left && right);
        EXPECT_EQ(dc.GetPixel(width / 2, height / 2), kWhite);
        if (width >= 4 && height >= 4) {
            EXPECT_EQ(dc.GetPixel(0, 0), kBlack);
        }
    }
}

TEST(DcEllipse, PenOutlinesTheOutermostPixelsAroundTheBrush) {
    Pens tools;
    OffScreen picture(11, 9);
    picture.dc.SelectObject(&tools.red);
    picture.dc.SelectObject(&tools.green);
    picture.dc.Ellipse(0, 0, 11, 9);
    // Every filled pixel has four painted neighbours, and the middle row starts with pen.
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 11; ++x) {
            if (picture.dc.GetPixel(x, y) != kGreen)
                continue;
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                EXPECT_NE(picture.dc.GetPixel(x + dx, y + dy), kBlack) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(picture.dc.GetPixel(0, 4), kRed);
    EXPECT_EQ(picture.dc.GetPixel(1, 4), kGreen);

    // Without a brush the same outline and an untouched inside.
    OffScreen ring(11, 9);
    ring.dc.SelectObject(&tools.red);
    ring.dc.SelectStockObject(NULL_BRUSH);
    ring.dc.Ellipse(0, 0, 11, 9);
    EXPECT_EQ(Picture(ring.dc, 11, 9, kRed), Picture(picture.dc, 11, 9, kRed));
    EXPECT_EQ(ring.dc.GetPixel(5, 4), kBlack);
}

TEST(DcArc, GoesCounterClockwiseFromTheStartRayToTheEndRay) {
    // A circle around (10, 10): the rays to the right and upwards run between pixel rows
    // 9 and 10 and between columns 9 and 10.
    CPen white(PS_SOLID, 1, kWhite);
    OffScreen quarter(20, 20);
    quarter.dc.SelectObject(&white);
    quarter.dc.Arc(0, 0, 20, 20, 20, 10, 10, 0);
    const auto pixels = Painted(quarter.dc, 20, 20, kWhite);
    for (auto [x, y] : pixels)
        EXPECT_TRUE(x >= 10 && y <= 9) << x << "," << y;
    EXPECT_EQ(quarter.dc.GetPixel(19, 9), kWhite);
    EXPECT_EQ(quarter.dc.GetPixel(10, 0), kWhite);
    EXPECT_TRUE(Connected(pixels));

    // The same two points the other way round: the three other quarters.
    OffScreen rest(20, 20);
    rest.dc.SelectObject(&white);
    rest.dc.Arc(0, 0, 20, 20, 10, 0, 20, 10);
    for (auto [x, y] : {std::pair{8, 0}, {0, 9}, {0, 10}, {10, 19}, {19, 10}}) {
        EXPECT_EQ(rest.dc.GetPixel(x, y), kWhite) << x << "," << y;
    }
    EXPECT_EQ(rest.dc.GetPixel(11, 0), kBlack);
    EXPECT_EQ(rest.dc.GetPixel(19, 9), kBlack);

    // Only the rays count: points far outside or deep inside the ellipse on the same rays
    // draw the same arc.
    OffScreen far(20, 20);
    far.dc.SelectObject(&white);
    far.dc.Arc(0, 0, 20, 20, 1000, 10, 10, 9);
    EXPECT_EQ(Picture(far.dc, 20, 20, kWhite), Picture(quarter.dc, 20, 20, kWhite));
}

// On a flat ellipse a diagonal ray meets the outline elsewhere than the parameter angle
// of the same slope would: the arc must start and end on the rays themselves.
TEST(DcArc, FlatEllipseIsCutAtTheRaysThroughThePoints) {
    CPen white(PS_SOLID, 1, kWhite);
    OffScreen picture(40, 20);
    picture.dc.SelectObject(&white);
    // Centre (20, 10); the rays through (40, 0) and (0, 0) rise one pixel per two across.
    picture.dc.Arc(0, 0, 40, 20, 40, 0, 0, 0);
    const auto pixels = Painted(picture.dc, 40, 20, kWhite);
    ASSERT_FALSE(pixels.empty());
    for (auto [x, y] : pixels) {
        const double across = std::abs(x + 0.5 - 20);
        EXPECT_LE(y + 0.5, 10 - across / 2 + 0.75) << x << "," << y;
    }
    // Where the rays meet the outline, near (33.6, 3.2) and its mirror (6.4, 3.2).
    EXPECT_TRUE(PaintedNear(picture.dc, 33, 3, 1, kWhite));
    EXPECT_TRUE(PaintedNear(picture.dc, 6, 3, 1, kWhite));
    EXPECT_TRUE(Connected(pixels));
}

TEST(DcArc, SameRayTwiceDrawsTheEllipseOutline) {
    CPen white(PS_SOLID, 1, kWhite);
    OffScreen arc(13, 9);
    arc.dc.SelectObject(&white);
    arc.dc.Arc(0, 0, 13, 9, 3, 0, 3, 0);
    OffScreen outline(13, 9);
    outline.dc.SelectObject(&white);
    outline.dc.SelectStockObject(NULL_BRUSH);
    outline.dc.Ellipse(0, 0, 13, 9);
    EXPECT_EQ(Picture(arc.dc, 13, 9, kWhite), Picture(outline.dc, 13, 9, kWhite));
}

// The two arcs of each tile picture join the middles of two sides, for an even and an odd
// square width. Drawn in the middle of a surface three squares each way, so that an arc
// going the wrong way round would show outside the square.
TEST(DcArc, TileArcsJoinTheMiddlesOfTheSidesWithinTheSquare) {
    struct TileArc {
        int left, top, right, bottom, xStart, yStart, xEnd, yEnd;
    };
    for (int w : {36, 37}) {
        const int h = 50, hw = w / 2, hh = h / 2;
        const TileArc arcs[] = {
            {-hw, -hh, hw, hh, 0, hh, hw, 0},        // left tile, top-left corner
            {hw, hh, 3 * hw, 3 * hh, w, hh, hw, h},  // left tile, bottom-right corner
            {hw, -hh, 3 * hw, hh, hw, 0, w, hh},     // right tile, top-right corner
            {-hw, hh, hw, 3 * hh, hw, h, 0, hh},     // right tile, bottom-left corner
        };
        for (const TileArc& a : arcs) {
            SCOPED_TRACE(testing::Message() << "w " << w << " box " << a.left << "," << a.top);
            OffScreen surface(3 * w, 3 * h);
            CPen white(PS_SOLID, 1, kWhite);
            surface.dc.SelectObject(&white);
            surface.dc.Arc(a.left + w, a.top + h, a.right + w, a.bottom + h, a.xStart + w,
                           a.yStart + h, a.xEnd + w, a.yEnd + h);
            const auto pixels = Painted(surface.dc, 3 * w, 3 * h, kWhite);
            EXPECT_TRUE(Connected(pixels));
            for (auto [x, y] : pixels) {
                EXPECT_TRUE(x >= w && x < 2 * w && y >= h && y < 2 * h) << x << "," << y;
            }
            const bool leftCorner = a.left < 0, topCorner = a.top < 0;
            EXPECT_TRUE(PaintedNear(surface.dc, w + (leftCorner ? 0 : w - 1), h + hh, 1, kWhite));
            EXPECT_TRUE(PaintedNear(surface.dc, w + hw, h + (topCorner ? 0 : h - 1), 1, kWhite));
        }
    }
    // The odd-width case of the left tile: the ellipse is centred on (36, 50), the last
    // column, not on (37, 50).
    OffScreen picture(37, 50);
    CPen white(PS_SOLID, 1, kWhite);
    picture.dc.SelectObject(&white);
    picture.dc.Arc(18, 25, 54, 75, 37, 25, 18, 50);
    EXPECT_EQ(picture.dc.GetPixel(36, 25), kWhite);
    EXPECT_EQ(picture.dc.GetPixel(18, 49), kWhite);
    EXPECT_EQ(picture.dc.GetPixel(36, 49), kBlack);
}

TEST(DcArc, WidePenIsCentredOnTheOutline) {
    // A circle of 120 around (0, 0): its outline runs through the pixel centres at radius
    // 59.5, and a 17-pixel pen covers radius 51 to 68 along the diagonal.
    OffScreen picture(120, 120);
    CPen wide(PS_SOLID, 17, kWhite);
    picture.dc.SelectObject(&wide);
    picture.dc.Arc(-60, -60, 60, 60, 8, 60, 60, 8);
    for (int d = 30; d < 55; ++d) {
        EXPECT_EQ(picture.dc.GetPixel(d, d), d >= 36 && d <= 47 ? kWhite : kBlack) << d;
    }
    // A round end: the pen reaches past the ray through the start point.
    EXPECT_EQ(picture.dc.GetPixel(5, 59), kWhite);
}

TEST(DcLine, EndPixelIsNeverPaintedInAnyDirection) {
    struct Case {
        int x0, y0, x1, y1;
    };
    for (const Case& c : {Case{1, 2, 6, 2}, Case{6, 2, 1, 2}, Case{3, 0, 3, 4}, Case{3, 4, 3, 0},
                          Case{0, 0, 4, 4}, Case{4, 4, 0, 0}, Case{6, 0, 0, 3}, Case{0, 3, 6, 0}}) {
        SCOPED_TRACE(testing::Message() << c.x0 << "," << c.y0 << " to " << c.x1 << "," << c.y1);
        OffScreen picture(8, 5);
        picture.dc.SelectStockObject(WHITE_PEN);
        picture.dc.MoveTo(c.x0, c.y0);
        picture.dc.LineTo(c.x1, c.y1);
        EXPECT_EQ(picture.dc.GetPixel(c.x0, c.y0), kWhite);
        EXPECT_EQ(picture.dc.GetPixel(c.x1, c.y1), kBlack);
        const auto pixels = Painted(picture.dc, 8, 5, kWhite);
        EXPECT_EQ(pixels.size(), std::max(std::abs(c.x1 - c.x0), std::abs(c.y1 - c.y0)));
        EXPECT_TRUE(Connected(pixels));
        EXPECT_EQ(picture.dc.GetCurrentPosition(), (CPoint{c.x1, c.y1}));
    }
}

TEST(DcLine, CrossOfTheCentreTileAndPositionKeeping) {
    OffScreen picture(37, 50);
    picture.dc.SelectStockObject(WHITE_PEN);
    EXPECT_EQ(picture.dc.MoveTo(18, 0), (CPoint{0, 0}));
    picture.dc.LineTo(18, 50);
    picture.dc.MoveTo(0, 25);
    picture.dc.LineTo(37, 25);
    for (int y = 0; y < 50; ++y)
        EXPECT_EQ(picture.dc.GetPixel(18, y), kWhite) << y;
    for (int x = 0; x < 37; ++x)
        EXPECT_EQ(picture.dc.GetPixel(x, 25), kWhite) << x;
    EXPECT_EQ(Painted(picture.dc, 37, 50, kWhite).size(), 50u + 37u - 1u);

    // A null pen moves without painting; a line to where it stands paints nothing.
    OffScreen still(4, 4);
    still.dc.SelectStockObject(NULL_PEN);
    still.dc.LineTo(3, 3);
    EXPECT_EQ(still.dc.GetCurrentPosition(), (CPoint{3, 3}));
    still.dc.SelectStockObject(WHITE_PEN);
    still.dc.LineTo(3, 3);
    EXPECT_TRUE(Painted(still.dc, 4, 4, kWhite).empty());
}

TEST(DcLine, WidePenHasRoundEndsAndPaintsItsEnd) {
    OffScreen picture(14, 14);
    CPen wide(PS_SOLID, 5, kWhite);
    picture.dc.SelectObject(&wide);
    picture.dc.MoveTo(3, 7);
    picture.dc.LineTo(10, 7);
    for (int y = 1; y < 14; ++y) {
        for (int x = 0; x < 14; ++x) {
            EXPECT_EQ(picture.dc.GetPixel(x, y), picture.dc.GetPixel(13 - x, y)) << x << "," << y;
            EXPECT_EQ(picture.dc.GetPixel(x, y), picture.dc.GetPixel(x, 14 - y)) << x << "," << y;
        }
    }
    for (int y = 5; y <= 9; ++y)
        EXPECT_EQ(picture.dc.GetPixel(6, y), kWhite) << y;
    EXPECT_EQ(picture.dc.GetPixel(6, 4), kBlack);
    EXPECT_EQ(picture.dc.GetPixel(12, 7), kWhite);
    EXPECT_EQ(picture.dc.GetPixel(13, 7), kBlack);
    EXPECT_EQ(picture.dc.GetPixel(12, 5), kBlack);
}
