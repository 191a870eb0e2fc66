// The rolling ball as a player sees it: every step reaches the window while the move runs,
// so each flush of the window is one picture to check.

#include <QEvent>
#include <QObject>
#include <QWidget>

#include <algorithm>

#include "render/render_ui_test_support.h"
#include "support/rolvan_fixture.h"

namespace {

// Records, at every paint of the view's window, the whole balls showing around one
// square. A surface given back repaints at once, so one paint is one step on the screen.
class StepRecorder : public QObject {
public:
    StepRecorder(CRolvanView& view, CRect area) : m_view(view), m_area(area) {
        m_view.GetSafeHwnd()->installEventFilter(this);
    }
    ~StepRecorder() override { m_view.GetSafeHwnd()->removeEventFilter(this); }

    std::vector<std::vector<PixelPoint>> paints;

    // The ball of each paint, when every paint from `first` on shows exactly one.
    std::vector<PixelPoint> OneBallEach(std::size_t first = 0) const {
        std::vector<PixelPoint> centres;
        for (std::size_t i = first; i < paints.size(); ++i) {
            EXPECT_EQ(paints[i].size(), 1u) << "paint " << i;
            if (paints[i].size() == 1) {
                centres.push_back(paints[i].front());
            }
        }
        return centres;
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            paints.push_back(WholeBallsIn(m_view, m_area));
        }
        return QObject::eventFilter(object, event);
    }

private:
    CRolvanView& m_view;
    CRect m_area;
};

CRect Around(const Square& square) {
    return {square.x - square.width, square.y - square.height, square.x + 2 * square.width,
            square.y + 2 * square.height};
}

class AnimationTest : public RolvanTest {
protected:
    // Puts the ball on an inner square and paints the board with the ball at rest. The
    // default colours all differ from the ball's, so a whole ball is easy to find.
    Square& PlaceBall(int column, int row, SquareKind kind, Direction direction) {
        Square& square = *view->board.SquareAt(column, row);
        square.kind = kind;
        view->ball.currentSquare = &square;
        view->ball.direction = direction;
        view->RedrawAll();
        return square;
    }

    std::vector<PixelPoint> Straight(const Square& s, Direction d) {
        std::vector<PixelPoint> centres;
        for (int i = 0; i < StraightStepCount(s, d); ++i) {
            centres.push_back(StraightStepCentre(s, d, i));
        }
        return centres;
    }

    // The steps of an arc, then the ball once more on the exit's midpoint.
    std::vector<PixelPoint> ArcWithExit(const Square& s, SquareKind tile, Direction incoming) {
        std::vector<PixelPoint> centres;
        for (int i = 0; i < ArcStepCount(s); ++i) {
            centres.push_back(ArcStepCentre(s, tile, incoming, i));
        }
        PixelPoint exit;
        BallCentreAtEdge(s, 1, ExitDirection(tile, incoming), &exit);
        centres.push_back(exit);
        return centres;
    }
};

TEST_F(AnimationTest, StraightCrossingShowsEveryPixelOfTheWay) {
    StartGame(800, 600);
    Square& s = PlaceBall(5, 5, CentreTile, Direction::Right);
    StepRecorder recorder(*view, Around(s));
    view->AnimateStraight(Direction::Right);
    std::vector<PixelPoint> expected;
    for (int x = 227; x <= 264; ++x) {
        expected.push_back({x, 325});
    }
    EXPECT_EQ(recorder.OneBallEach(), expected);
}

TEST_F(AnimationTest, StraightCrossingsInEveryDirection) {
    StartGame(800, 600);
    for (Direction d : {Direction::Up, Direction::Down, Direction::Left, Direction::Right}) {
        SCOPED_TRACE(static_cast<int>(d));
        Square& s = PlaceBall(5, 5, CentreTile, d);
        StepRecorder recorder(*view, Around(s));
        view->AnimateStraight(d);
        EXPECT_EQ(recorder.OneBallEach(), Straight(s, d));
        EXPECT_EQ(recorder.paints.size(),
                  static_cast<std::size_t>(d == Direction::Up || d == Direction::Down ? 51 : 38));
        // The crossing changes neither the ball's square nor its direction.
        EXPECT_EQ(view->ball.currentSquare, &s);
        EXPECT_EQ(view->ball.direction, d);
    }
}

// The square the ball came from is repainted at every step, so no trail is left on it.
TEST_F(AnimationTest, NoTrailOnTheSquareTheBallCameFrom) {
    StartGame(800, 600);
    Square& s = PlaceBall(5, 5, CentreTile, Direction::Up);
    view->AnimateStraight(Direction::Up);
    const Square& cameFrom = *s.down;
    const SquareImage& empty = view->squareImages.emptyImage;
    for (int y = 0; y < cameFrom.height; ++y) {
        for (int x = 0; x < cameFrom.width; ++x) {
            ASSERT_EQ(PixelOf(*view, cameFrom.x + x, cameFrom.y + y), PixelOf(empty, x, y))
                << x << "," << y;
        }
    }
    // The ball stays on the exit's midpoint, half on the next square.
    EXPECT_EQ(WholeBallsIn(*view, Around(s)), (std::vector<PixelPoint>{{245, 300}}));
}

TEST_F(AnimationTest, ArcOnAnOddSquareFollowsTheRisesAndEndsOnTheExit) {
    StartGame(800, 600);
    // Rolling up into a LeftTile on 37 x 50: k runs from n down to 0.
    Square& s = PlaceBall(5, 5, LeftTile, Direction::Up);
    StepRecorder recorder(*view, Around(s));
    view->AnimateArc(LeftTile, Direction::Up);
    const int rises[] = {5, 10, 12, 14, 16, 18, 19, 20, 21, 22, 23, 23, 24, 24, 25, 25, 25, 25, 25};
    std::vector<PixelPoint> expected;
    for (int i = 0; i < 19; ++i) {
        expected.push_back({227 + 19 + i, 350 - rises[i]});
    }
    expected.push_back({264, 325});
    // The first step is drawn before anything is wiped, so the ball at rest on the entry's
    // midpoint still shows beside it; every later picture shows one ball.
    ASSERT_EQ(recorder.paints.size(), 20u);
    EXPECT_EQ(recorder.paints[0], (std::vector<PixelPoint>{expected[0], {245, 350}}));
    expected.erase(expected.begin());
    EXPECT_EQ(recorder.OneBallEach(1), expected);
}

TEST_F(AnimationTest, ArcOnAnEvenSquareFollowsTheRises) {
    StartGame(765, 600);
    ASSERT_EQ(view->board.squareWidth, 36);
    // Rolling right into a LeftTile on 36 x 50: k runs from 0 up to n, around the top-left
    // corner, from the left side's middle up to the top's middle.
    Square& s = PlaceBall(5, 5, LeftTile, Direction::Right);
    StepRecorder recorder(*view, Around(s));
    view->AnimateArc(LeftTile, Direction::Right);
    // Its first step lies on the entry's midpoint, where the ball already rests.
    const std::vector<PixelPoint> centres = recorder.OneBallEach();
    ASSERT_EQ(centres.size(), 20u);
    const int x = s.x;
    const int y = s.y;
    EXPECT_EQ(centres[0], (PixelPoint{x, y + 25}));
    EXPECT_EQ(centres[1], (PixelPoint{x + 1, y + 24}));
    EXPECT_EQ(centres[17], (PixelPoint{x + 17, y + 8}));
    EXPECT_EQ(centres[18], (PixelPoint{x + 18, y}));
    EXPECT_EQ(centres[19], (PixelPoint{x + 18, y}));
    EXPECT_EQ(centres, ArcWithExit(s, LeftTile, Direction::Right));
}

TEST_F(AnimationTest, AllEightArcsOnAnOddSquare) {
    StartGame(800, 600);
    for (SquareKind tile : {LeftTile, RightTile}) {
        for (Direction d : {Direction::Up, Direction::Right, Direction::Down, Direction::Left}) {
            SCOPED_TRACE(::testing::Message() << tile << " " << static_cast<int>(d));
            Square& s = PlaceBall(5, 5, tile, d);
            StepRecorder recorder(*view, Around(s));
            view->AnimateSegment(tile, d);
            std::vector<PixelPoint> expected = ArcWithExit(s, tile, d);
            ASSERT_EQ(recorder.paints.size(), expected.size());
            const std::vector<PixelPoint>& first = recorder.paints[0];
            EXPECT_NE(std::find(first.begin(), first.end(), expected[0]), first.end());
            expected.erase(expected.begin());
            EXPECT_EQ(recorder.OneBallEach(1), expected);
            EXPECT_EQ(view->ball.currentSquare, &s);
            EXPECT_EQ(view->ball.direction, d);
        }
    }
}

// A whole move: the laid tile is painted, then the ball crosses the start square and the
// computer replies; the first crossing is the one the player started.
TEST_F(AnimationTest, AMoveRollsTheBallStepByStep) {
    StartGame(800, 600);
    Square& start = *view->board.StartSquare();
    StepRecorder recorder(*view, Around(start));
    view->LayTile(CentreTile);
    // The laid tile covers half of the ball at rest; the other half stays on the corner.
    ASSERT_GE(recorder.paints.size(), 39u);
    EXPECT_TRUE(recorder.paints[0].empty());
    std::vector<PixelPoint> crossing;
    for (std::size_t i = 1; i <= 38; ++i) {
        ASSERT_EQ(recorder.paints[i].size(), 1u) << i;
        crossing.push_back(recorder.paints[i].front());
    }
    EXPECT_EQ(crossing, Straight(start, Direction::Right));
}

TEST_F(AnimationTest, SquaresTooNarrowForAnArcShowTheBallOnlyAtTheExit) {
    StoreInt("XGridSize", 100);
    StartGame(800, 600);
    view->ResizeBoard(150, 600);
    ASSERT_EQ(view->board.squareWidth, 1);
    Square& s = PlaceBall(5, 5, RightTile, Direction::Up);
    view->AnimateArc(RightTile, Direction::Up);
    view->AnimateArc(LeftTile, Direction::Left);
    view->AnimateStraight(Direction::Down);
    EXPECT_EQ(view->ball.currentSquare, &s);
}

TEST_F(AnimationTest, StepDelayWaitsAtLeastTheDelayOnTheTickCounter) {
    StartGame(800, 600);
    view->ballDelay = 3;
    const DWORD start = GetTickCount();
    view->StepDelay();
    EXPECT_GE(static_cast<std::int32_t>(GetTickCount() - start), 3);
    // No delay, or a negative one, returns without waiting for anything.
    view->ballDelay = 0;
    view->StepDelay();
    view->ballDelay = -5;
    view->StepDelay();
}

TEST_F(AnimationTest, TheSpriteIsTheInscribedEllipse) {
    StartGame(800, 600);
    const CDC& mask = *view->ballMaskDC;
    ASSERT_EQ(view->ballMaskBitmap->GetSize(), (CSize{14, 20}));
    constexpr COLORREF kWhite = RGB(255, 255, 255);
    constexpr COLORREF kBlack = RGB(0, 0, 0);
    EXPECT_EQ(mask.GetPixel(0, 0), kBlack);
    EXPECT_EQ(mask.GetPixel(13, 19), kBlack);
    EXPECT_EQ(mask.GetPixel(13, 0), kBlack);
    EXPECT_EQ(mask.GetPixel(0, 19), kBlack);
    // It touches all four sides at their middles, symmetrically.
    EXPECT_EQ(mask.GetPixel(0, 9), kWhite);
    EXPECT_EQ(mask.GetPixel(13, 10), kWhite);
    EXPECT_EQ(mask.GetPixel(6, 0), kWhite);
    EXPECT_EQ(mask.GetPixel(7, 19), kWhite);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 14; ++x) {
            EXPECT_EQ(mask.GetPixel(x, y), mask.GetPixel(13 - x, 19 - y)) << x << "," << y;
        }
    }
}

}  // namespace
