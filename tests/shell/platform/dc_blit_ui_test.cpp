// Pattern fills, block transfers and surfaces on a client area.

#include <gtest/gtest.h>

#include <climits>

#include "shell/platform/dc.h"
#include "shell/platform/dc_image_owner.h"
#include "shell/platform/dc_test_support.h"

namespace {

// Fills the surface with a pattern in which no two neighbouring pixels share a colour and
// none is black, the colour of a fresh bitmap.
void Scribble(CDC& dc, int width, int height) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            dc.SetPixel(x, y, RGB(10 + x * 20, 10 + y * 20, (x + y) % 2 * 245 + 10));
        }
    }
}

}  // namespace

TEST(DcPatBlt, PatternCopyReplacesPixelsWithTheBrushWithinTheSurface) {
    OffScreen picture(6, 4);
    CBrush green(kGreen);
    CBrush* oldBrush = picture.dc.SelectObject(&green);
    EXPECT_TRUE(picture.dc.PatBlt(4, 1, 10, 2, PATCOPY));
    EXPECT_TRUE(picture.dc.PatBlt(-2, -2, 3, 3, PATCOPY));
    EXPECT_TRUE(picture.dc.PatBlt(2, 2, 0, 5, PATCOPY));
    EXPECT_TRUE(picture.dc.PatBlt(2, 2, -1, -1, PATCOPY));
    EXPECT_EQ(Picture(picture.dc, 6, 4, kGreen), Art(R"(
#.....
....##
....##
......
)"));
    // The brush decides nothing when the raster operation ignores it.
    picture.dc.SelectStockObject(NULL_BRUSH);
    EXPECT_FALSE(picture.dc.PatBlt(0, 0, 6, 4, PATCOPY));
    EXPECT_TRUE(picture.dc.PatBlt(0, 3, 2, 1, DSTINVERT));
    EXPECT_EQ(picture.dc.GetPixel(0, 3), kWhite);
    EXPECT_EQ(picture.dc.GetPixel(0, 0), kGreen);
    EXPECT_FALSE(picture.dc.PatBlt(0, 0, 6, 4, SRCCOPY));
    picture.dc.SelectObject(oldBrush);
}

// The paint cycle's surface: its clip box is the region being repainted, and a pattern
// fill over that box paints exactly there.
TEST(DcPatBlt, PaintSurfaceAnswersItsClipBoxAndPaintsOnlyInside) {
    CImageSurfaceOwner window(8, 6);
    CDC paint(window.SurfaceImage(), CRect{6, 4, 2, 1});
    CRect box;
    EXPECT_EQ(paint.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, (CRect{2, 1, 6, 4}));
    CBrush red(kRed);
    paint.SelectObject(&red);
    paint.PatBlt(-100, -100, 1000, 1000, PATCOPY);
    paint.SelectStockObject(WHITE_PEN);
    paint.MoveTo(0, 5);
    paint.LineTo(8, 0);
    EXPECT_EQ(paint.GetPixel(0, 0), CLR_INVALID);
    EXPECT_EQ(window.GetPixel(0, 5), kBlack);
    int inside = 0;
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool inClip = x >= 2 && x < 6 && y >= 1 && y < 4;
            if (!inClip) {
                EXPECT_EQ(window.GetPixel(x, y), kBlack) << x << "," << y;
            }
            inside += inClip && window.GetPixel(x, y) != kBlack;
        }
    }
    EXPECT_EQ(inside, 12);

    CDC beyond(window.SurfaceImage(), CRect{10, 10, 20, 20});
    EXPECT_EQ(beyond.GetClipBox(&box), NULLREGION);
    EXPECT_TRUE(box.IsRectEmpty());
}

TEST(DcBitBlt, PlainCopyTakesOnlyPixelsThatExistOnBothSides) {
    OffScreen source(4, 3);
    Scribble(source.dc, 4, 3);
    OffScreen target(6, 5);
    // A box larger than the source and hanging over the target's edge.
    EXPECT_TRUE(target.dc.BitBlt(3, 1, 10, 10, &source.dc, 1, 0, SRCCOPY));
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool copied = x >= 3 && y >= 1 && y < 4;
            EXPECT_EQ(target.dc.GetPixel(x, y), copied ? source.dc.GetPixel(x - 2, y - 1) : kBlack)
                << x << "," << y;
        }
    }
    // The copy lies right at the corner: a negative source origin copies nothing there.
    OffScreen corner(3, 3);
    corner.dc.BitBlt(0, 0, 3, 3, &source.dc, -1, -1, SRCCOPY);
    EXPECT_EQ(corner.dc.GetPixel(0, 0), kBlack);
    EXPECT_EQ(corner.dc.GetPixel(1, 1), source.dc.GetPixel(0, 0));
    EXPECT_EQ(corner.dc.GetPixel(2, 2), source.dc.GetPixel(1, 1));
}

TEST(DcBitBlt, CopyWithinOneSurfaceReadsTheOldPixels) {
    OffScreen picture(5, 5);
    Scribble(picture.dc, 5, 5);
    OffScreen before(5, 5);
    before.dc.BitBlt(0, 0, 5, 5, &picture.dc, 0, 0, SRCCOPY);
    picture.dc.BitBlt(1, 1, 4, 4, &picture.dc, 0, 0, SRCCOPY);
    for (int y = 1; y < 5; ++y) {
        for (int x = 1; x < 5; ++x) {
            EXPECT_EQ(picture.dc.GetPixel(x, y), before.dc.GetPixel(x - 1, y - 1)) << x << "," << y;
        }
    }
    // Upwards through the pixel-by-pixel path: with the white brush, source OR destination.
    OffScreen middle(5, 5);
    middle.dc.BitBlt(0, 0, 5, 5, &picture.dc, 0, 0, SRCCOPY);
    picture.dc.BitBlt(0, 0, 3, 3, &picture.dc, 1, 1, DSPDxax);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(picture.dc.GetPixel(x, y),
                      middle.dc.GetPixel(x + 1, y + 1) | middle.dc.GetPixel(x, y))
                << x << "," << y;
        }
    }
}

// The ball's transfer: the brush where the mask is white, the screen kept where it is
// black, and bit by bit in between.
TEST(DcBitBlt, MaskedBrushTransferPaintsTheBrushThroughWhite) {
    OffScreen mask(4, 1);
    mask.dc.SetPixel(0, 0, kWhite);
    mask.dc.SetPixel(2, 0, RGB(0x80, 0x80, 0x80));
    mask.dc.SetPixel(3, 0, kWhite);
    OffScreen screen(5, 1);
    screen.dc.SetPixel(0, 0, kRed);
    screen.dc.SetPixel(1, 0, kRed);
    screen.dc.SetPixel(2, 0, RGB(0x12, 0x34, 0x56));
    screen.dc.SetPixel(3, 0, kBlue);
    screen.dc.SetPixel(4, 0, kBlue);
    CBrush ball(kGreen);
    CBrush* oldBrush = screen.dc.SelectObject(&ball);
    EXPECT_TRUE(screen.dc.BitBlt(0, 0, 4, 1, &mask.dc, 0, 0, DSPDxax));
    EXPECT_EQ(screen.dc.GetPixel(0, 0), kGreen);
    EXPECT_EQ(screen.dc.GetPixel(1, 0), kRed);
    EXPECT_EQ(screen.dc.GetPixel(2, 0), RGB(0x12, 0xB4, 0x56));
    EXPECT_EQ(screen.dc.GetPixel(3, 0), kGreen);
    EXPECT_EQ(screen.dc.GetPixel(4, 0), kBlue);
    screen.dc.SelectObject(oldBrush);
}

TEST(DcBitBlt, BallSpriteLeavesTheCornersOfItsBoxAlone) {
    OffScreen mask(14, 20);
    mask.dc.SelectStockObject(BLACK_PEN);
    mask.dc.SelectStockObject(BLACK_BRUSH);
    mask.dc.Rectangle(0, 0, 14, 20);
    mask.dc.SelectStockObject(WHITE_PEN);
    mask.dc.SelectStockObject(WHITE_BRUSH);
    mask.dc.Ellipse(0, 0, 14, 20);

    OffScreen screen(30, 30);
    Scribble(screen.dc, 30, 30);
    OffScreen before(30, 30);
    before.dc.BitBlt(0, 0, 30, 30, &screen.dc, 0, 0, SRCCOPY);
    CBrush ball(RGB(200, 10, 10));
    screen.dc.SelectObject(&ball);
    screen.dc.BitBlt(10 - 7, 12 - 10, 14, 20, &mask.dc, 0, 0, DSPDxax);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 30; ++x) {
            const bool white = mask.dc.GetPixel(x - 3, y - 2) == kWhite;
            EXPECT_EQ(screen.dc.GetPixel(x, y), white ? RGB(200, 10, 10) : before.dc.GetPixel(x, y))
                << x << "," << y;
        }
    }
}

TEST(DcBitBlt, OtherRasterOperationsFollowTheirTruthTables) {
    OffScreen source(1, 1);
    source.dc.SetPixel(0, 0, RGB(0xF0, 0x0F, 0x55));
    struct Case {
        DWORD rop;
        COLORREF expected;
    };
    const COLORREF destination = RGB(0xCC, 0x33, 0x0F);
    for (const Case& c :
         {Case{SRCAND, RGB(0xC0, 0x03, 0x05)}, Case{SRCPAINT, RGB(0xFC, 0x3F, 0x5F)},
          Case{SRCINVERT, RGB(0x3C, 0x3C, 0x5A)}, Case{BLACKNESS, kBlack}, Case{WHITENESS, kWhite},
          Case{PATINVERT, RGB(0xCC, 0xCC, 0x0F)}}) {
        SCOPED_TRACE(testing::Message() << std::hex << c.rop);
        OffScreen target(1, 1);
        target.dc.SetPixel(0, 0, destination);
        CBrush green(kGreen);
        target.dc.SelectObject(&green);
        EXPECT_TRUE(target.dc.BitBlt(0, 0, 1, 1, &source.dc, 0, 0, c.rop));
        EXPECT_EQ(target.dc.GetPixel(0, 0), c.expected);
        target.dc.SelectStockObject(WHITE_BRUSH);
    }
}

// Pictures that were never built, or have no area, paint nothing.
TEST(DcBitBlt, MissingOrEmptySourcesPaintNothing) {
    OffScreen target(4, 4);
    target.dc.FillSolidRect(CRect{0, 0, 4, 4}, kBlue);
    CDC noBitmap;
    noBitmap.CreateCompatibleDC(&target.dc);
    CDC nothing;
    OffScreen empty(0, 7);
    EXPECT_FALSE(target.dc.BitBlt(0, 0, 4, 4, &noBitmap, 0, 0, SRCCOPY));
    EXPECT_FALSE(target.dc.BitBlt(0, 0, 4, 4, &nothing, 0, 0, DSPDxax));
    EXPECT_FALSE(target.dc.BitBlt(0, 0, 4, 4, nullptr, 0, 0, SRCCOPY));
    EXPECT_FALSE(target.dc.BitBlt(0, 0, 4, 4, &empty.dc, 0, 0, SRCCOPY));
    EXPECT_FALSE(empty.dc.BitBlt(0, 0, 4, 4, &target.dc, 0, 0, SRCCOPY));
    EXPECT_TRUE(target.dc.BitBlt(0, 0, 0, 0, &target.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(Picture(target.dc, 4, 4, kBlue), "####\n####\n####\n####\n");
}

TEST(DcClientDC, PaintsIntoTheWindowAndReportsWhatItTouchedOnce) {
    CImageSurfaceOwner window(20, 10);
    {
        CClientDC dc(&window);
        CRect box;
        dc.GetClipBox(&box);
        EXPECT_EQ(box, (CRect{0, 0, 20, 10}));
        dc.FillSolidRect(2, 3, 2, 2, kRed);
        dc.SelectStockObject(WHITE_PEN);
        dc.MoveTo(15, 1);
        dc.LineTo(15, 50);
        OffScreen square(3, 2);
        square.dc.FillSolidRect(CRect{0, 0, 3, 2}, kGreen);
        dc.BitBlt(18, 8, 3, 2, &square.dc, 0, 0, SRCCOPY);
        dc.SelectStockObject(WHITE_BRUSH);
        dc.PatBlt(0, 9, 1, 1, PATCOPY);
        EXPECT_TRUE(window.TouchedBoxes().empty());
    }
    ASSERT_EQ(window.TouchedBoxes().size(), 1u);
    const CRect touched = window.TouchedBoxes()[0];
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 20; ++x) {
            const bool inside =
                x >= touched.left && x < touched.right && y >= touched.top && y < touched.bottom;
            if (!inside) {
                EXPECT_EQ(window.GetPixel(x, y), kBlack) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(window.GetPixel(2, 3), kRed);
    EXPECT_EQ(window.GetPixel(15, 9), kWhite);
    EXPECT_EQ(window.GetPixel(19, 9), kGreen);
    EXPECT_EQ(window.GetPixel(0, 9), kWhite);
    EXPECT_GE(touched.left, 0);
    EXPECT_LE(touched.right, 20);

    // A surface that painted nothing has nothing to show.
    { CClientDC idle(&window); }
    EXPECT_EQ(window.TouchedBoxes().size(), 1u);
}

TEST(DcClientDC, WindowWithoutPixelsOrWithoutOwnerDrawsNothing) {
    CImageSurfaceOwner hidden(0, 0);
    {
        CClientDC dc(&hidden);
        EXPECT_FALSE(dc.Rectangle(0, 0, 5, 5));
        EXPECT_EQ(dc.GetPixel(0, 0), CLR_INVALID);
        OffScreen source(3, 3);
        EXPECT_FALSE(dc.BitBlt(0, 0, 3, 3, &source.dc, 0, 0, SRCCOPY));
        EXPECT_FALSE(source.dc.BitBlt(0, 0, 3, 3, &dc, 0, 0, SRCCOPY));
    }
    EXPECT_TRUE(hidden.TouchedBoxes().empty());
    CClientDC orphan(nullptr);
    EXPECT_FALSE(orphan.Ellipse(0, 0, 3, 3));
}

// Coordinates anywhere in the 32-bit range finish and paint only what lies on the surface.
TEST(DcBadInput, ExtremeCoordinatesAndSizesPaintSafely) {
    OffScreen picture(16, 12);
    CDC& dc = picture.dc;
    CPen wide(PS_SOLID, INT_MAX, kRed);
    dc.SelectStockObject(WHITE_PEN);
    dc.MoveTo(INT_MIN, 3);
    dc.LineTo(INT_MAX, 3);
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(dc.GetPixel(x, 3), kWhite) << x;

    dc.MoveTo(INT_MIN, INT_MIN);
    dc.LineTo(INT_MAX, INT_MAX);
    dc.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    dc.Arc(INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX, 0, 0, INT_MIN);
    dc.Arc(-5, -5, 5, 5, 0, 0, 0, 0);
    dc.Arc(3, 3, 3, 9, 0, 0, 1, 1);
    dc.PatBlt(INT_MAX, INT_MAX, INT_MAX, INT_MAX, PATCOPY);
    dc.BitBlt(INT_MIN, INT_MIN, INT_MAX, INT_MAX, &dc, INT_MAX, INT_MAX, SRCCOPY);
    dc.FillSolidRect(CRect{INT_MAX, INT_MAX, INT_MIN, INT_MIN}, kGreen);
    EXPECT_EQ(dc.GetPixel(0, 0), kGreen);

    dc.SelectObject(&wide);
    dc.MoveTo(-3, -3);
    dc.LineTo(20, 20);
    dc.Rectangle(INT_MIN, 0, INT_MAX, 5);
    dc.Arc(-100000, -100000, 100000, 100000, 1, 0, 0, 1);
    EXPECT_EQ(dc.GetPixel(8, 8), kRed);
    EXPECT_EQ(dc.GetPixel(INT_MAX, INT_MIN), CLR_INVALID);
    EXPECT_EQ(dc.SetPixel(-1, 0, kRed), CLR_INVALID);
}
