// The three tile buttons: where they stand, what they show, and what a click does.

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "render/render_ui_test_support.h"
#include "support/rolvan_fixture.h"

namespace {

class TileButtonsTest : public RolvanTest {
protected:
    void StartButtons(int width = 800, int height = 600) {
        StartGame(width, height);
        UseDistinctColours(*view);
    }

    // Press and release the left mouse button in the middle of the button, as a player does.
    void Click(CButton& button) {
        QWidget* widget = button.GetSafeHwnd();
        ASSERT_NE(widget, nullptr);
        const QPointF centre(widget->width() / 2, widget->height() / 2);
        QMouseEvent press(QEvent::MouseButtonPress, centre, widget->mapToGlobal(centre),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, centre, widget->mapToGlobal(centre),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &release);
        QApplication::processEvents();
    }
};

TEST_F(TileButtonsTest, PicturesAndPensAtEightHundredBySixHundred) {
    StartButtons();
    for (TileButton* button : std::initializer_list<TileButton*>{
             view->leftButton.get(), view->centreButton.get(), view->rightButton.get()}) {
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->width, 120);
        EXPECT_EQ(button->height, 120);
        EXPECT_EQ(button->halfWidth, 60);
        EXPECT_EQ(button->halfHeight, 60);
        EXPECT_EQ(button->penWidth, 17);
        EXPECT_EQ(button->view, view);
        EXPECT_EQ(button->GetWindowRectInParent().Width(), 120);
        EXPECT_EQ(button->GetWindowRectInParent().Height(), 120);
        // A frame of the border colour all round, the tile background inside.
        EXPECT_EQ(PixelOf(*button, 0, 0), kTileBorder);
        EXPECT_EQ(PixelOf(*button, 119, 30), kTileBorder);
        EXPECT_EQ(PixelOf(*button, 30, 119), kTileBorder);
        EXPECT_EQ(PixelOf(*button, 4, 30), kTileBorder);
        EXPECT_EQ(PixelOf(*button, 30, 4), kTileBorder);
    }
    EXPECT_EQ(view->leftButton->GetDlgCtrlID(), static_cast<int>(ID_MOVES_TOPSQUARE));
    EXPECT_EQ(view->centreButton->GetDlgCtrlID(), static_cast<int>(ID_MOVES_MIDDLESQUARE));
    EXPECT_EQ(view->rightButton->GetDlgCtrlID(), static_cast<int>(ID_MOVES_BOTTOMSQUARE));

    // The cross, seventeen pixels wide.
    CButton& centre = *view->centreButton;
    EXPECT_EQ(PixelOf(centre, 60, 30), kTileLine);
    EXPECT_EQ(PixelOf(centre, 30, 60), kTileLine);
    EXPECT_EQ(PixelOf(centre, 52, 30), kTileLine);
    EXPECT_EQ(PixelOf(centre, 68, 30), kTileLine);
    EXPECT_EQ(PixelOf(centre, 30, 30), kTile);
    EXPECT_EQ(PixelOf(centre, 90, 90), kTile);

    // Quarter arcs, halfway round: the left tile's around the top-left and bottom-right
    // corners, the right tile's around the other two.
    CButton& left = *view->leftButton;
    CButton& right = *view->rightButton;
    EXPECT_EQ(PixelOf(left, 42, 42), kTileLine);
    EXPECT_EQ(PixelOf(left, 78, 78), kTileLine);
    EXPECT_EQ(PixelOf(left, 78, 42), kTile);
    EXPECT_EQ(PixelOf(left, 42, 78), kTile);
    EXPECT_EQ(PixelOf(right, 78, 42), kTileLine);
    EXPECT_EQ(PixelOf(right, 42, 78), kTileLine);
    EXPECT_EQ(PixelOf(right, 42, 42), kTile);
    EXPECT_EQ(PixelOf(right, 78, 78), kTile);
    EXPECT_EQ(PixelOf(left, 60, 60), kTile);
    EXPECT_EQ(PixelOf(right, 60, 60), kTile);
}

// 709 rows give windows 142 high and pictures of 141: the picture keeps its own size and
// its frame still closes the window's last row.
TEST_F(TileButtonsTest, PictureOnePixelShorterThanItsWindow) {
    StartButtons(800, 709);
    CButton& left = *view->leftButton;
    EXPECT_EQ(left.GetWindowRectInParent(), (CRect{640, 70, 760, 212}));
    EXPECT_EQ(view->centreButton->GetWindowRectInParent(), (CRect{640, 282, 760, 424}));
    EXPECT_EQ(view->rightButton->GetWindowRectInParent(), (CRect{640, 494, 760, 636}));
    EXPECT_EQ(view->leftButton->height, 141);
    EXPECT_EQ(view->leftButton->halfHeight, 70);
    EXPECT_EQ(view->leftButton->width, 120);
    for (int x = 0; x < 120; x += 7) {
        EXPECT_EQ(PixelOf(left, x, 141), kTileBorder) << x;
        EXPECT_EQ(PixelOf(left, x, 0), kTileBorder) << x;
    }
}

TEST_F(TileButtonsTest, PenIsOnePixelUpToThirteenAndTwoFromFourteen) {
    for (int side = 1; side <= 13; ++side) {
        EXPECT_EQ(LeftButton(side, 200, nullptr).penWidth, 1) << side;
        EXPECT_EQ(RightButton(200, side, nullptr).penWidth, 1) << side;
    }
    EXPECT_EQ(CentreButton(14, 200, nullptr).penWidth, 2);
    EXPECT_EQ(CentreButton(200, 14, nullptr).penWidth, 2);
    EXPECT_EQ(CentreButton(27, 27, nullptr).penWidth, 3);
    const RightButton odd(121, 141, nullptr);
    EXPECT_EQ(odd.halfWidth, 60);
    EXPECT_EQ(odd.halfHeight, 70);
}

TEST_F(TileButtonsTest, ButtonsWithoutAViewComplainAndDrawNothing) {
    StartButtons();
    LeftButton left(120, 120, nullptr);
    CentreButton centre(120, 120, nullptr);
    RightButton right(120, 120, nullptr);
    left.DrawItem(nullptr);
    centre.DrawItem(nullptr);
    right.DrawItem(nullptr);
    ASSERT_EQ(messageBoxes.size(), 3u);
    EXPECT_EQ(messageBoxes[0].text, "DEBUG - We appear to have an orphaned left button !!!");
    EXPECT_EQ(messageBoxes[1].text, "DEBUG - We appear to have an orphaned centre button !!!");
    EXPECT_EQ(messageBoxes[2].text, "DEBUG - We appear to have an orphaned right button !!!");
    for (const MessageBoxRequest& box : messageBoxes) {
        EXPECT_EQ(box.buttons, MB_OK);
        EXPECT_EQ(box.caption, "Rolvan");
    }
}

TEST_F(TileButtonsTest, RedrawAllRepaintsTheButtons) {
    StartButtons();
    FillWindow(*view->leftButton, kMarker);
    FillWindow(*view->rightButton, kMarker);
    view->TileBackgroundColour = RGB(9, 9, 9);
    view->RedrawAll();
    EXPECT_EQ(PixelOf(*view->leftButton, 78, 42), RGB(9, 9, 9));
    EXPECT_EQ(PixelOf(*view->rightButton, 42, 42), RGB(9, 9, 9));
    EXPECT_EQ(CountColour(*view->leftButton, kMarker), 0);

    // In the editor there are no tile buttons to repaint.
    view->leftButton.reset();
    view->centreButton.reset();
    view->rightButton.reset();
    view->editing = true;
    view->RedrawAll();
}

TEST_F(TileButtonsTest, ResizeCreatesTheButtonsAnew) {
    StartButtons();
    SetClientSize(1000, 700);
    EXPECT_EQ(view->leftButton->GetWindowRectInParent(), (CRect{800, 70, 950, 210}));
    EXPECT_EQ(view->rightButton->GetWindowRectInParent(), (CRect{800, 490, 950, 630}));
    EXPECT_EQ(view->centreButton->width, 150);
    EXPECT_EQ(view->centreButton->height, 140);
    EXPECT_EQ(view->centreButton->penWidth, 20);
}

TEST_F(TileButtonsTest, TopButtonLaysTheLeftTile) {
    StartButtons();
    Square* start = view->board.StartSquare();
    Click(*view->leftButton);
    EXPECT_EQ(start->kind, LeftTile);
}

TEST_F(TileButtonsTest, MiddleButtonLaysTheCentreTile) {
    StartButtons();
    Square* start = view->board.StartSquare();
    Click(*view->centreButton);
    EXPECT_EQ(start->kind, CentreTile);
}

TEST_F(TileButtonsTest, BottomButtonLaysTheRightTile) {
    StartButtons();
    // The right tile sends the ball down off the board: the computer's point.
    Click(*view->rightButton);
    EXPECT_EQ(view->computerScore, 1);
    EXPECT_EQ(view->humanScore, 0);
}

}  // namespace
