#pragma once

// The view holds the whole game: the board, the ball, the scores, the level, the speed,
// the colours and the pictures. Its member functions are short and hand over to the rules
// (board, walk, search, layout); each is defined in the folder of the subsystem it belongs
// to (game/turns.cpp, ai/levels.cpp, editor/..., render/..., shell/rolvan_view.cpp).

#include <functional>
#include <memory>

#include "ai/tile_random.h"
#include "game/ball_path.h"
#include "game/board.h"
#include "render/square_image.h"
#include "shell/platform/accessible_grid.h"
#include "shell/platform/afxwin.h"

class LeftButton;
class CentreButton;
class RightButton;

class CRolvanView : public CView, public SegmentAnimation, public CAccessibleGrid {
public:
    CRolvanView();
    ~CRolvanView() override;

    // --- Game state, in the order the view declares it ---------------------------------
    std::unique_ptr<LeftButton> leftButton;
    std::unique_ptr<CentreButton> centreButton;
    std::unique_ptr<RightButton> rightButton;
    std::unique_ptr<CButton> saveGridButton;
    std::unique_ptr<CButton> resetGridButton;
    std::unique_ptr<CButton> cancelGridButton;
    std::unique_ptr<CBitmap> ballMaskBitmap;
    std::unique_ptr<CBrush> ballBrush;
    std::unique_ptr<CDC> ballMaskDC;

    COLORREF WindowBackgroundColour = 0;
    COLORREF GridBackgroundColour = 0;
    COLORREF GridLineColour = 0;
    COLORREF TileBackgroundColour = 0;
    COLORREF TileBorderColour = 0;
    COLORREF TileLineColour = 0;
    COLORREF HomeSquareColour = 0;
    COLORREF BallColour = 0;

    // currentSquare (absent while a ball that left the board waits for the next game)
    // and direction.
    BallState ball;
    int clientWidth = 0;
    int clientHeight = 0;
    Board board;
    SquareImages squareImages;
    int humanScore = 0;
    int computerScore = 0;
    bool humanStarts = true;
    int level = 0;
    int ballDelay = 0;
    int ballRadiusX = 0;
    int ballRadiusY = 0;
    bool editing = false;
    bool changed = false;

    // The draws of the computer's tie-breaks; seeded by every new game.
    TileRandom random;

    // --- Turns and scoring (game/turns.cpp) ---------------------------------------------
    void NewGame(bool redraw);
    void LayTile(SquareKind kind);
    void FinishHumanMove();
    void ComputerTurn();
    bool ScoreResult(int result, bool humanMoved);
    void ShowScoresDialog();
    void ResetScoresCommand();
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnTopSquare();
    void OnMiddleSquare();
    void OnBottomSquare();
    void OnShowScores();

    // The animated or dry walk of the ball from its square (game/turns.cpp).
    int RollBall(bool animate);

    // --- Ball animation (game/animation.cpp) ----------------------------------------------
    void BuildBallSprite();
    void DrawBallAtEdge(CDC* pDC, int fraction, Direction direction);
    void StepDelay();
    void AnimateStraight(Direction direction);
    void AnimateArc(SquareKind tile, Direction incoming);
    void AnimateSegment(SquareKind tile, Direction incoming) override;

    // --- Computer opponent (ai/levels.cpp) ---------------------------------------------
    SquareKind ChooseMove();
    void OnLevelOne();
    void OnLevelTwo();
    void OnLevelThree();
    void OnLevelFour();
    void OnUpdateLevelOne(CCmdUI* pCmdUI);
    void OnUpdateLevelTwo(CCmdUI* pCmdUI);
    void OnUpdateLevelThree(CCmdUI* pCmdUI);
    void OnUpdateLevelFour(CCmdUI* pCmdUI);
    void SetLevel(int newLevel);

    // --- Board editor (editor/) ---------------------------------------------------------
    void SaveLayout();
    void LoadLayout();
    void OnEditGrid();
    void OnSaveGrid();
    void OnResetGrid();
    void OnCancelGrid();
    void OnGridSize();
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnRButtonDown(UINT nFlags, CPoint point) override;
    void CreateEditButtons();
    void DestroyEditButtons();
    Square* SquareAtPoint(int x, int y) const;
    bool IsProtectedSquare(const Square* square, SquareKind kind) const;
    // A click of the mouse button that toggles `mark` (Border left, Home right).
    void MarkSquare(CPoint point, SquareKind mark);
    // Save and Cancel end alike: the tile buttons, the tiles and the ball come back.
    void LeaveEditor();

    // --- Painting (render/) -------------------------------------------------------------
    void OnSize(UINT nType, int cx, int cy) override;
    void ResizeBoard(int cx, int cy);
    void BuildAllImages();
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnDraw(CDC* pDC) override;
    void RedrawAll();
    void BuildLeftTileImage();
    void BuildCentreTileImage();
    void BuildRightTileImage();
    void BuildEmptyImage();
    void BuildHomeImage();
    void BuildBorderImage();
    void PaintSquare(const Square* square, CDC* pDC);
    // The picture of an Empty square at the square's place, whatever it holds: how the
    // editor hides the tiles.
    void PaintAsEmpty(const Square* square, CDC* pDC);
    void PaintAllSquares(CDC* pDC);
    void RepaintKinds(int kindMask);
    void CreateTileButtons();

    // --- Colours (render/) --------------------------------------------------------------
    void OnWindowBackgroundColour();
    void OnGridBackgroundColour();
    void OnGridLineColour();
    void OnTileBackgroundColour();
    void OnTileBorderColour();
    void OnTileLineColour();
    void OnHomeSquareColour();
    void OnBallColour();

    // --- Settings and small dialogs (shell/rolvan_view.cpp) ----------------------------
    void LoadGridSize();
    void SaveGridSize();
    void LoadColours();
    void StoreColour(COLORREF colour, const char* valueName);
    void LoadLevel();
    void SaveLevel();
    void LoadBallSpeed();
    void SaveBallSpeed();
    void OnBallSpeed();
    void OnHelp();

    // --- Assistive technology (shell/accessible_board.cpp) ------------------------------
    // The board's name and state (the ball's square and way, the scores, or the editor),
    // announced when it changes: after every move, game, score change and editor switch.
    void UpdateAccessibleState();
    // The tile buttons' names (their Moves menu texts) and what each tile does.
    void DescribeTileButtons();
    // Everything assistive technology hears is said again in the new language.
    void OnLanguageChanged();
    // Says what a roll did: who laid which tile on `laidOn`, where the ball went, the point
    // when the game ended, and who moves next.
    void AnnounceRoll(const Square& laidOn, bool humanMoved, int result);
    // Says that a new game starts with the human to move.
    void AnnounceNewGame();
    // Any square may show something else now (a new game, the editor, the language).
    void BoardChangedForAccessibility();
    // Only this square shows something else now (the editor marked it).
    void SquareChangedForAccessibility(const Square& square);
    // The board as a screen reader reads it, square by square.
    int GetGridColumns() const override;
    int GetGridRows() const override;
    CString GetGridCellName(int column, int row) const override;
    CRect GetGridCellRect(int column, int row) const override;
    // Set while the computer's opening move of a new game is made.
    bool computerOpening = false;

    // Command state shared by most items: enabled only outside the editor, or only in it.
    void OnUpdateNotEditing(CCmdUI* pCmdUI);
    void OnUpdateOnlyEditing(CCmdUI* pCmdUI);

private:
    // Shows the search's "DEBUG - " message for an impossible choice.
    std::function<void(const char*)> reportInternalError_;

    DECLARE_MESSAGE_MAP()
};
