// The numbers behind the tile pictures and the tile buttons: stroke ends, button places,
// picture sizes and pen widths.

#include <gtest/gtest.h>

#include "render/button_geometry.h"
#include "render/tile_strokes.h"

namespace {

TileStroke Arc(int l, int t, int r, int b, int xs, int ys, int xe, int ye) {
    return {true, l, t, r, b, xs, ys, xe, ye};
}

TileStroke Line(int xs, int ys, int xe, int ye) {
    return {false, 0, 0, 0, 0, xs, ys, xe, ye};
}

TEST(SquarePictureStrokes, EvenSquareArcsMeetTheMiddlesOfTheSides) {
    const TileStrokes left = SquarePictureStrokes(LeftTile, 36, 50);
    ASSERT_TRUE(left.valid);
    EXPECT_EQ(left.strokes[0], Arc(-18, -25, 18, 25, 0, 25, 18, 0));
    EXPECT_EQ(left.strokes[1], Arc(18, 25, 54, 75, 36, 25, 18, 50));

    const TileStrokes right = SquarePictureStrokes(RightTile, 36, 50);
    ASSERT_TRUE(right.valid);
    EXPECT_EQ(right.strokes[0], Arc(18, -25, 54, 25, 18, 0, 36, 25));
    EXPECT_EQ(right.strokes[1], Arc(-18, 25, 18, 75, 18, 50, 0, 25));
}

// With an odd width the far ellipse is centred on the last pixel column, not beyond it.
TEST(SquarePictureStrokes, OddSquareFarEllipsesCentreOnTheLastColumn) {
    const TileStrokes left = SquarePictureStrokes(LeftTile, 37, 50);
    EXPECT_EQ(left.strokes[1], Arc(18, 25, 54, 75, 37, 25, 18, 50));
    EXPECT_EQ((left.strokes[1].left + left.strokes[1].right) / 2, 36);

    const TileStrokes right = SquarePictureStrokes(RightTile, 37, 51);
    EXPECT_EQ(right.strokes[0], Arc(18, -25, 54, 25, 18, 0, 37, 25));
    EXPECT_EQ(right.strokes[1], Arc(-18, 25, 18, 75, 18, 51, 0, 25));

    const TileStrokes cross = SquarePictureStrokes(CentreTile, 37, 51);
    EXPECT_EQ(cross.strokes[0], Line(18, 0, 18, 51));
    EXPECT_EQ(cross.strokes[1], Line(0, 25, 37, 25));
}

TEST(SquarePictureStrokes, KindsWithoutLines) {
    for (SquareKind kind : {Home, Border, Empty, TrialLeft, TrialCentre, TrialRight}) {
        EXPECT_FALSE(SquarePictureStrokes(kind, 37, 50).valid) << kind;
        EXPECT_FALSE(ButtonPictureStrokes(kind, 120, 120, 17).valid) << kind;
    }
}

TEST(ButtonPictureStrokes, StopHalfAPenShortOfTheEdges) {
    // 800 x 600: pictures of 120 x 120 with a pen of 17, so p = 8.
    EXPECT_EQ(ButtonPictureStrokes(LeftTile, 120, 120, 17).strokes,
              (std::array<TileStroke, 2>{Arc(-60, -60, 60, 60, 8, 60, 60, 8),
                                         Arc(60, 60, 180, 180, 112, 60, 60, 112)}));
    EXPECT_EQ(ButtonPictureStrokes(CentreTile, 120, 120, 17).strokes,
              (std::array<TileStroke, 2>{Line(60, 8, 60, 112), Line(8, 60, 112, 60)}));
    // The first arc of the right tile aims at the bottom edge, (w - p, h), not at the
    // middle of the right side.
    EXPECT_EQ(ButtonPictureStrokes(RightTile, 120, 120, 17).strokes,
              (std::array<TileStroke, 2>{Arc(60, -60, 180, 60, 60, 8, 112, 120),
                                         Arc(-60, 60, 60, 180, 60, 112, 8, 60)}));
}

TEST(TileButtonLayout, EightHundredBySixHundred) {
    const TileButtonLayout layout = ComputeTileButtonLayout(800, 600);
    EXPECT_EQ(layout.windows[0], (ButtonRect{640, 60, 760, 180}));
    EXPECT_EQ(layout.windows[1], (ButtonRect{640, 240, 760, 360}));
    EXPECT_EQ(layout.windows[2], (ButtonRect{640, 420, 760, 540}));
    EXPECT_EQ(layout.pictureWidth, 120);
    EXPECT_EQ(layout.pictureHeight, 120);
    EXPECT_EQ(TileButtonPenWidth(120, 120), 17);
}

// The picture keeps its own size: 709 gives windows 142 high (212 - 70) but pictures of
// 141 (1418 / 10).
TEST(TileButtonLayout, PictureSizeIsWorkedOutApartFromTheWindow) {
    const TileButtonLayout layout = ComputeTileButtonLayout(1000, 709);
    EXPECT_EQ(layout.windows[0], (ButtonRect{800, 70, 950, 212}));
    EXPECT_EQ(layout.windows[1], (ButtonRect{800, 282, 950, 424}));
    EXPECT_EQ(layout.windows[2], (ButtonRect{800, 494, 950, 636}));
    EXPECT_EQ(layout.pictureHeight, 141);
    EXPECT_EQ(layout.pictureWidth, 150);

    // Never more than a pixel apart, for any size.
    for (int cx = 1; cx < 2000; cx += 7) {
        for (int cy = 1; cy < 1500; cy += 11) {
            const TileButtonLayout l = ComputeTileButtonLayout(cx, cy);
            for (const ButtonRect& w : l.windows) {
                ASSERT_LE(w.right - w.left - l.pictureWidth, 1) << cx << " x " << cy;
                ASSERT_GE(w.right - w.left - l.pictureWidth, 0) << cx << " x " << cy;
                ASSERT_LE(w.bottom - w.top - l.pictureHeight, 1) << cx << " x " << cy;
                ASSERT_GE(w.bottom - w.top - l.pictureHeight, 0) << cx << " x " << cy;
            }
        }
    }
}

TEST(TileButtonLayout, PenWidthIsASeventhOfTheSmallerSideAndAtLeastOne) {
    for (int side = 0; side <= 13; ++side) {
        EXPECT_EQ(TileButtonPenWidth(side, 200), 1) << side;
        EXPECT_EQ(TileButtonPenWidth(200, side), 1) << side;
    }
    EXPECT_EQ(TileButtonPenWidth(14, 200), 2);
    EXPECT_EQ(TileButtonPenWidth(200, 14), 2);
    EXPECT_EQ(TileButtonPenWidth(20, 20), 2);
    EXPECT_EQ(TileButtonPenWidth(21, 300), 3);
    EXPECT_EQ(TileButtonPenWidth(-40, 300), 1);
}

}  // namespace
