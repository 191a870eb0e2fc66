// What the view paints: the layout of an 800 x 600 client area, the six square pictures,
// the background, the board in play and in the editor, and the squares that must stay
// untouched.

#include "render/render_ui_test_support.h"
#include "support/rolvan_fixture.h"

namespace {

class PaintingTest : public RolvanTest {
protected:
    void StartPainting(int width = 800, int height = 600) {
        StartGame(width, height);
        UseDistinctColours(*view);
    }

    Square* At(int column, int row) { return view->board.SquareAt(column, row); }
};

TEST_F(PaintingTest, EightHundredBySixHundredLayout) {
    StartPainting();
    const Board& board = view->board;
    EXPECT_EQ(board.squareWidth, 37);
    EXPECT_EQ(board.squareHeight, 50);
    EXPECT_EQ(board.originX, 42);
    EXPECT_EQ(board.originY, 50);
    EXPECT_EQ(board.lastRow->last->x + board.lastRow->last->width, 597);
    EXPECT_EQ(board.lastRow->last->y + board.lastRow->last->height, 550);
    ASSERT_NE(view->ballMaskBitmap, nullptr);
    EXPECT_EQ(view->ballMaskBitmap->GetSize(), (CSize{14, 20}));

    // The grid's outer pixels are grid lines; everything around it is background.
    EXPECT_EQ(PixelOf(*view, 42, 50), kGridLine);
    EXPECT_EQ(PixelOf(*view, 596, 549), kGridLine);
    EXPECT_EQ(PixelOf(*view, 41, 300), kWindow);
    EXPECT_EQ(PixelOf(*view, 597, 300), kWindow);
    EXPECT_EQ(PixelOf(*view, 300, 49), kWindow);
    EXPECT_EQ(PixelOf(*view, 300, 550), kWindow);
    EXPECT_EQ(PixelOf(*view, 620, 300), kWindow);
    EXPECT_EQ(PixelOf(*view, 790, 590), kWindow);

    ASSERT_NE(view->leftButton, nullptr);
    ASSERT_NE(view->centreButton, nullptr);
    ASSERT_NE(view->rightButton, nullptr);
    EXPECT_EQ(view->leftButton->GetWindowRectInParent(), (CRect{640, 60, 760, 180}));
    EXPECT_EQ(view->centreButton->GetWindowRectInParent(), (CRect{640, 240, 760, 360}));
    EXPECT_EQ(view->rightButton->GetWindowRectInParent(), (CRect{640, 420, 760, 540}));
}

TEST_F(PaintingTest, EveryPictureHasItsFillAndOutline) {
    StartPainting();
    const SquareImages& pictures = view->squareImages;
    struct Case {
        const char* name;
        const SquareImage& picture;
        COLORREF fill;
        COLORREF outline;
        CPoint inside;  // away from any tile line
    };
    const Case cases[] = {
        {"left", pictures.leftTileImage, kTile, kTileBorder, {31, 5}},
        {"centre", pictures.centreTileImage, kTile, kTileBorder, {5, 5}},
        {"right", pictures.rightTileImage, kTile, kTileBorder, {5, 5}},
        {"empty", pictures.emptyImage, kGrid, kGridLine, {18, 25}},
        {"home", pictures.homeImage, kHome, kGridLine, {18, 25}},
        {"border", pictures.borderImage, kWindow, kGridLine, {18, 25}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(c.picture.bitmap, nullptr);
        EXPECT_EQ(c.picture.bitmap->GetSize(), (CSize{37, 50}));
        for (const CPoint& p : {CPoint{0, 0}, CPoint{36, 0}, CPoint{0, 49}, CPoint{36, 49},
                                CPoint{5, 0}, CPoint{0, 40}, CPoint{36, 40}, CPoint{30, 49}}) {
            EXPECT_EQ(PixelOf(c.picture, p.x, p.y), c.outline) << p.x << "," << p.y;
        }
        EXPECT_EQ(PixelOf(c.picture, 1, 1), c.fill);
        EXPECT_EQ(PixelOf(c.picture, 35, 48), c.fill);
        EXPECT_EQ(PixelOf(c.picture, c.inside.x, c.inside.y), c.fill);
        // Nothing outside the picture.
        EXPECT_EQ(PixelOf(c.picture, 37, 10), CLR_INVALID);
        EXPECT_EQ(PixelOf(c.picture, 10, 50), CLR_INVALID);
    }
}

TEST_F(PaintingTest, TileLinesFollowTheirCorners) {
    StartPainting();
    const SquareImages& pictures = view->squareImages;
    // The cross: a column and a row through the middle, from edge to edge.
    for (int y = 0; y < 50; ++y) {
        EXPECT_EQ(PixelOf(pictures.centreTileImage, 18, y), kTileLine);
    }
    for (int x = 0; x < 37; ++x) {
        EXPECT_EQ(PixelOf(pictures.centreTileImage, x, 25), kTileLine);
    }
    EXPECT_EQ(PixelOf(pictures.centreTileImage, 17, 10), kTile);

    // Halfway along each quarter ellipse (half-axes 18 and 25, 45 degrees from its corner).
    const CPoint nearTopLeft{13, 18};
    const CPoint nearBottomRight{36 - 13, 50 - 18};
    const CPoint nearTopRight{36 - 13, 18};
    const CPoint nearBottomLeft{13, 50 - 18};
    EXPECT_TRUE(ColourNear(pictures.leftTileImage, nearTopLeft.x, nearTopLeft.y, 1, kTileLine));
    EXPECT_TRUE(
        ColourNear(pictures.leftTileImage, nearBottomRight.x, nearBottomRight.y, 1, kTileLine));
    EXPECT_FALSE(ColourNear(pictures.leftTileImage, nearTopRight.x, nearTopRight.y, 2, kTileLine));
    EXPECT_FALSE(
        ColourNear(pictures.leftTileImage, nearBottomLeft.x, nearBottomLeft.y, 2, kTileLine));
    EXPECT_TRUE(ColourNear(pictures.rightTileImage, nearTopRight.x, nearTopRight.y, 1, kTileLine));
    EXPECT_TRUE(
        ColourNear(pictures.rightTileImage, nearBottomLeft.x, nearBottomLeft.y, 1, kTileLine));
    EXPECT_FALSE(ColourNear(pictures.rightTileImage, nearTopLeft.x, nearTopLeft.y, 2, kTileLine));
    EXPECT_FALSE(
        ColourNear(pictures.rightTileImage, nearBottomRight.x, nearBottomRight.y, 2, kTileLine));
}

// With w = 37 the far ellipse of the left tile is centred on (36, 50), the last column:
// its arc reaches the bottom edge at x = 18 and the last column at the middle height.
TEST_F(PaintingTest, ArcEndsOnAnOddSquare) {
    StartPainting(800, 600);
    const SquareImage& left = view->squareImages.leftTileImage;
    EXPECT_EQ(PixelOf(left, 18, 49), kTileLine);
    EXPECT_EQ(PixelOf(left, 17, 49), kTileBorder);
    EXPECT_EQ(PixelOf(left, 36, 25), kTileLine);
    EXPECT_EQ(PixelOf(left, 36, 23), kTileBorder);
    // The near arc: from the middle of the left side to the middle of the top.
    EXPECT_EQ(PixelOf(left, 0, 24), kTileLine);
    EXPECT_EQ(PixelOf(left, 17, 0), kTileLine);
    EXPECT_EQ(PixelOf(left, 19, 0), kTileBorder);
}

TEST_F(PaintingTest, ArcEndsOnAnEvenSquare) {
    StartPainting(765, 600);
    ASSERT_EQ(view->board.squareWidth, 36);
    const SquareImage& left = view->squareImages.leftTileImage;
    EXPECT_EQ(PixelOf(left, 18, 49), kTileLine);
    EXPECT_EQ(PixelOf(left, 17, 49), kTileBorder);
    EXPECT_EQ(PixelOf(left, 35, 25), kTileLine);
    const SquareImage& right = view->squareImages.rightTileImage;
    // Top middle to right middle, then bottom middle to left middle.
    EXPECT_EQ(PixelOf(right, 18, 0), kTileLine);
    EXPECT_EQ(PixelOf(right, 35, 24), kTileLine);
    EXPECT_EQ(PixelOf(right, 17, 49), kTileLine);
    EXPECT_EQ(PixelOf(right, 18, 49), kTileBorder);
    EXPECT_EQ(PixelOf(right, 0, 25), kTileLine);
}

TEST_F(PaintingTest, NeighboursShowATwoPixelGridLine) {
    StartPainting();
    const Square* a = At(3, 2);
    ASSERT_EQ(a->x, 153);
    ASSERT_EQ(a->y, 150);
    // Across: the last column of one square and the first of the next.
    EXPECT_EQ(PixelOf(*view, 188, 175), kGrid);
    EXPECT_EQ(PixelOf(*view, 189, 175), kGridLine);
    EXPECT_EQ(PixelOf(*view, 190, 175), kGridLine);
    EXPECT_EQ(PixelOf(*view, 191, 175), kGrid);
    // Down: the last row of one and the first row of the next.
    EXPECT_EQ(PixelOf(*view, 165, 198), kGrid);
    EXPECT_EQ(PixelOf(*view, 165, 199), kGridLine);
    EXPECT_EQ(PixelOf(*view, 165, 200), kGridLine);
    EXPECT_EQ(PixelOf(*view, 165, 201), kGrid);
}

TEST_F(PaintingTest, KindsArePaintedFromTheirPictures) {
    StartPainting();
    At(3, 2)->kind = Home;
    At(4, 2)->kind = Border;
    At(5, 2)->kind = CentreTile;
    view->RedrawAll();
    EXPECT_EQ(PixelOf(*view, 153 + 10, 150 + 10), kHome);
    EXPECT_EQ(PixelOf(*view, 190 + 10, 150 + 10), kWindow);
    EXPECT_EQ(PixelOf(*view, 190, 150 + 10), kGridLine);
    EXPECT_EQ(PixelOf(*view, 227 + 10, 150 + 10), kTile);
    EXPECT_EQ(PixelOf(*view, 227 + 18, 150 + 10), kTileLine);
    EXPECT_EQ(PixelOf(*view, 227, 150 + 10), kTileBorder);
    // The top-right corner is the game's Home square.
    EXPECT_EQ(PixelOf(*view, 570, 70), kHome);
}

TEST_F(PaintingTest, BallAtRestForEachDirection) {
    StartPainting();
    Square* square = At(5, 5);
    ASSERT_EQ(square->x, 227);
    ASSERT_EQ(square->y, 300);
    struct Case {
        Direction direction;
        PixelPoint centre;
    };
    // The middle of the edge it came in by.
    const Case cases[] = {{Direction::Up, {245, 350}},
                          {Direction::Right, {227, 325}},
                          {Direction::Down, {245, 300}},
                          {Direction::Left, {264, 325}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.direction));
        view->ball.currentSquare = square;
        view->ball.direction = c.direction;
        view->RedrawAll();
        const std::vector<PixelPoint> balls = WholeBallsIn(*view, {0, 0, 800, 600});
        ASSERT_EQ(balls.size(), 1u);
        EXPECT_EQ(balls[0].x, c.centre.x);
        EXPECT_EQ(balls[0].y, c.centre.y);
    }
    // Only the ellipse is painted; the corners of the sprite's box keep what was there.
    EXPECT_EQ(PixelOf(*view, 264 - 7, 325 - 10), kGrid);
    EXPECT_EQ(PixelOf(*view, 264 + 6, 325 + 9), kGrid);
}

TEST_F(PaintingTest, NoBallWhileItIsOffTheBoard) {
    StartPainting();
    view->ball.currentSquare = nullptr;
    FillWindow(*view, kMarker);
    view->RedrawAll();
    EXPECT_EQ(CountColour(*view, kBall), 0);
    EXPECT_EQ(CountColour(*view, kMarker), 0);
    EXPECT_EQ(PixelOf(*view, 42 + 37 + 10, 510), kGrid);

    // The paint cycle as well.
    FillWindow(*view, kMarker);
    view->Invalidate();
    view->UpdateWindow();
    EXPECT_EQ(CountColour(*view, kBall), 0);
    EXPECT_EQ(CountColour(*view, kMarker), 0);
}

TEST_F(PaintingTest, TheEditorShowsTilesAsEmptySquaresAndNoBall) {
    StartPainting();
    At(5, 5)->kind = LeftTile;
    view->editing = true;
    view->RedrawAll();
    EXPECT_EQ(CountColour(*view, kBall), 0);
    EXPECT_EQ(CountColour(*view, kTileLine), 0);
    EXPECT_EQ(CountColour(*view, kTileBorder), 0);
    EXPECT_EQ(PixelOf(*view, 42 + 10, 500 + 10), kGrid);
    EXPECT_EQ(PixelOf(*view, 570, 70), kHome);
    EXPECT_EQ(At(5, 5)->kind, LeftTile);

    view->editing = false;
    view->RedrawAll();
    EXPECT_EQ(PixelOf(*view, 42 + 18, 500 + 10), kTileLine);
    EXPECT_EQ(WholeBallsIn(*view, {0, 0, 800, 600}).size(), 1u);
}

TEST_F(PaintingTest, EraseFillsOnlyTheClipBox) {
    StartPainting();
    FillWindow(*view, kMarker);
    CDC dc(view->SurfaceImage(), CRect{100, 100, 150, 120});
    EXPECT_TRUE(view->OnEraseBkgnd(&dc));
    EXPECT_EQ(PixelOf(*view, 100, 100), kWindow);
    EXPECT_EQ(PixelOf(*view, 149, 119), kWindow);
    EXPECT_EQ(PixelOf(*view, 99, 100), kMarker);
    EXPECT_EQ(PixelOf(*view, 150, 110), kMarker);
    EXPECT_EQ(PixelOf(*view, 120, 120), kMarker);
    EXPECT_EQ(CountColour(*view, kWindow), 50 * 20);
}

TEST_F(PaintingTest, RepaintKindsPaintsOnlyTheKindsOfItsMask) {
    StartPainting();
    At(3, 2)->kind = TrialLeft;
    At(4, 2)->kind = TrialCentre;
    At(5, 2)->kind = TrialRight;
    At(6, 2)->kind = SquareKind(3);
    const int squarePixels = 37 * 50;

    FillWindow(*view, kMarker);
    view->RepaintKinds(0);
    EXPECT_EQ(CountColour(*view, kMarker), 800 * 600);
    // Bits above Empty name no painted kind, even with trial squares on the board.
    view->RepaintKinds(~63);
    EXPECT_EQ(CountColour(*view, kMarker), 800 * 600);

    view->RepaintKinds(Home);
    EXPECT_EQ(CountColour(*view, kMarker), 800 * 600 - squarePixels);
    EXPECT_EQ(PixelOf(*view, 570, 70), kHome);

    view->RepaintKinds(63);
    // Trial and unknown kinds are skipped: their pixels stay as they were.
    for (int column = 3; column <= 6; ++column) {
        EXPECT_EQ(PixelOf(*view, At(column, 2)->x + 10, 160), kMarker) << column;
    }
    EXPECT_EQ(CountColour(*view, kMarker), 800 * 600 - 150 * squarePixels + 4 * squarePixels);
    EXPECT_EQ(CountColour(*view, kBall), 0);
}

TEST_F(PaintingTest, ZeroSizeChangesNothing) {
    StartPainting();
    view->OnSize(SIZE_RESTORED, 0, 600);
    view->OnSize(SIZE_RESTORED, 765, 0);
    EXPECT_EQ(view->clientWidth, 800);
    EXPECT_EQ(view->clientHeight, 600);
    EXPECT_EQ(view->board.squareWidth, 37);
    view->OnSize(SIZE_RESTORED, 765, 600);
    EXPECT_EQ(view->clientWidth, 765);
    EXPECT_EQ(view->board.squareWidth, 36);
    EXPECT_EQ(view->squareImages.emptyImage.bitmap->GetSize(), (CSize{36, 50}));
}

// Many columns on a narrow window give squares of no width at all, or of one pixel: the
// game goes on without pictures to show and without arcs to follow.
TEST_F(PaintingTest, SquaresTooSmallToDrawStillPlay) {
    StoreInt("XGridSize", 100);
    StoreInt("YGridSize", 100);
    StartPainting();
    for (int width : {100, 130, 300}) {
        SCOPED_TRACE(width);
        view->ResizeBoard(width, 130);
        EXPECT_EQ(view->board.squareWidth, width * 8 / 10 / 102);
        EXPECT_EQ(view->board.squareHeight, 1);
        view->RedrawAll();
        for (SquareKind tile : {LeftTile, RightTile, CentreTile, LeftTile}) {
            if (view->ball.currentSquare == nullptr) {
                view->NewGame(true);
            }
            view->LayTile(tile);
        }
        view->RepaintKinds(63);
    }
}

}  // namespace
