// The rolling ball: the sprite, the ball at rest on an edge, and the twelve crossings of a
// square, drawn straight onto the window while the move's handler runs.

#include <chrono>
#include <thread>

#include "render/ball_motion.h"
#include "shell/rolvan_view.h"

namespace {

// Paints the ball colour through the mask, so only the ellipse covers what lies beneath.
void DrawSprite(CRolvanView& view, CDC& dc, PixelPoint centre) {
    if (!view.ballMaskDC || !view.ballBrush) {
        return;
    }
    CBrush* oldBrush = dc.SelectObject(view.ballBrush.get());
    dc.BitBlt(centre.x - view.ballRadiusX, centre.y - view.ballRadiusY, 2 * view.ballRadiusX,
              2 * view.ballRadiusY, view.ballMaskDC.get(), 0, 0, DSPDxax);
    if (oldBrush != nullptr) {
        dc.SelectObject(oldBrush);
    }
}

}  // namespace

void CRolvanView::BuildBallSprite() {
    ballMaskDC.reset();
    ballMaskBitmap.reset();

    const int width = 2 * ballRadiusX;
    const int height = 2 * ballRadiusY;
    ballMaskDC = std::make_unique<CDC>();
    ballMaskDC->CreateCompatibleDC(nullptr);
    ballMaskBitmap = std::make_unique<CBitmap>();
    {
        CClientDC window(this);
        ballMaskBitmap->CreateCompatibleBitmap(&window, width, height);
    }
    ballMaskDC->SelectObject(ballMaskBitmap.get());

    CGdiObject* oldBrush = ballMaskDC->SelectStockObject(BLACK_BRUSH);
    CGdiObject* oldPen = ballMaskDC->SelectStockObject(BLACK_PEN);
    ballMaskDC->Rectangle(0, 0, width, height);
    ballMaskDC->SelectStockObject(WHITE_BRUSH);
    ballMaskDC->SelectStockObject(WHITE_PEN);
    ballMaskDC->Ellipse(0, 0, width, height);
    ballMaskDC->SelectObject(oldBrush);
    ballMaskDC->SelectObject(oldPen);
}

void CRolvanView::DrawBallAtEdge(CDC* pDC, int fraction, Direction direction) {
    if (pDC == nullptr || ball.currentSquare == nullptr) {
        return;
    }
    PixelPoint centre;
    if (!BallCentreAtEdge(*ball.currentSquare, fraction, direction, &centre)) {
        return;
    }
    DrawSprite(*this, *pDC, centre);
}

// Sleeping alone overshoots by a fraction of a millisecond per step, spinning alone holds
// a core: sleep to a millisecond before the end, then watch the tick counter.
void CRolvanView::StepDelay() {
    if (ballDelay <= 0) {
        return;
    }
    const DWORD start = GetTickCount();
    if (ballDelay > 1) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ballDelay - 1));
    }
    while (static_cast<std::int32_t>(GetTickCount() - start) < ballDelay) {
    }
}

// Each step gets its own surface: giving it back puts the step on the screen at once,
// while the roll goes on.
void CRolvanView::AnimateStraight(Direction direction) {
    Square* square = ball.currentSquare;
    if (square == nullptr) {
        return;
    }
    const Square* cameFrom = CameFrom(*square, direction);
    const std::int32_t steps = StraightStepCount(*square, direction);
    for (std::int32_t i = 0; i < steps; ++i) {
        StepDelay();
        CClientDC dc(this);
        PaintSquare(cameFrom, &dc);
        PaintSquare(square, &dc);
        DrawSprite(*this, dc, StraightStepCentre(*square, direction, i));
    }
}

// The ball is drawn before each pause and wiped after it. The wipe of one step and the
// drawing of the next go out together, so the screen never shows the square without the
// ball in between.
void CRolvanView::AnimateArc(SquareKind tile, Direction incoming) {
    Square* square = ball.currentSquare;
    if (square == nullptr) {
        return;
    }
    const Direction outgoing = ExitDirection(tile, incoming);
    if (outgoing == Direction::None) {
        return;
    }
    const Square* cameFrom = CameFrom(*square, incoming);
    const std::int32_t steps = ArcStepCount(*square);

    if (steps == 0) {
        // Too narrow for an ellipse: the ball only shows where it leaves.
        CClientDC dc(this);
        PaintSquare(cameFrom, &dc);
        PaintSquare(square, &dc);
        DrawBallAtEdge(&dc, 1, outgoing);
        return;
    }
    {
        CClientDC dc(this);
        DrawSprite(*this, dc, ArcStepCentre(*square, tile, incoming, 0));
    }
    for (std::int32_t i = 0; i < steps; ++i) {
        StepDelay();
        CClientDC dc(this);
        PaintSquare(cameFrom, &dc);
        PaintSquare(square, &dc);
        if (i + 1 < steps) {
            DrawSprite(*this, dc, ArcStepCentre(*square, tile, incoming, i + 1));
        } else {
            // The last computed step can lie a pixel or more off the exit's midpoint.
            DrawBallAtEdge(&dc, 1, outgoing);
        }
    }
}

void CRolvanView::AnimateSegment(SquareKind tile, Direction incoming) {
    if (tile == CentreTile) {
        AnimateStraight(incoming);
    } else {
        AnimateArc(tile, incoming);
    }
}
