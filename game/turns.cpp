// Turns and scoring: new games, the human's move, the computer's reply, the points and
// the scores dialog.

#include <ctime>

#include "game/scores_dialog.h"
#include "game/start_position.h"
#include "shell/localized_string.h"
#include "shell/rolvan_view.h"

void CRolvanView::NewGame(bool redraw) {
    random.Seed(static_cast<std::uint32_t>(std::time(nullptr)));
    SetUpStartPosition(board, ball);
    LoadLayout();
    if (redraw) {
        RedrawAll();
    }
    // The opener is switched before the computer's opening move: when that move already
    // ends the game, the next game starts from inside it and must be the human's, or a
    // layout on which every opening tile scores would start games without end.
    const bool computerOpens = !humanStarts;
    humanStarts = !humanStarts;
    BoardChangedForAccessibility();
    if (computerOpens) {
        computerOpening = true;
        ComputerTurn();
        // Its notice took the flag, unless the board had no square to lay the tile on.
        computerOpening = false;
    } else {
        AnnounceNewGame();
    }
    UpdateAccessibleState();
}

int CRolvanView::RollBall(bool animate) {
    return ::RollBall(ball, animate ? this : nullptr);
}

void CRolvanView::LayTile(SquareKind kind) {
    // A board of one column has no start square, so there is nowhere to lay a tile.
    if (!ball.currentSquare) {
        return;
    }
    ball.currentSquare->kind = kind;
    {
        CClientDC dc(this);
        PaintSquare(ball.currentSquare, &dc);
    }
    FinishHumanMove();
}

void CRolvanView::FinishHumanMove() {
    const Square& laidOn = *ball.currentSquare;
    const int result = RollBall(true);
    const bool gameOver = ScoreResult(result, true);
    UpdateAccessibleState();
    AnnounceRoll(laidOn, true, result);
    if (gameOver) {
        ShowScoresDialog();
        NewGame(true);
    } else {
        ComputerTurn();
    }
}

void CRolvanView::ComputerTurn() {
    if (!ball.currentSquare) {
        return;
    }
    Square& laidOn = *ball.currentSquare;
    laidOn.kind = ChooseMove();
    {
        CClientDC dc(this);
        PaintSquare(&laidOn, &dc);
    }
    const int result = RollBall(true);
    const bool gameOver = ScoreResult(result, false);
    UpdateAccessibleState();
    AnnounceRoll(laidOn, false, result);
    if (gameOver) {
        ShowScoresDialog();
        NewGame(true);
    }
}

bool CRolvanView::ScoreResult(int result, bool humanMoved) {
    switch (result) {
        case PathHome:
            ++(humanMoved ? humanScore : computerScore);
            return true;
        case PathBorder:
            ++(humanMoved ? computerScore : humanScore);
            return true;
        default:
            return false;
    }
}

void CRolvanView::ShowScoresDialog() {
    CScoresDlg dialog(computerScore, humanScore, this);
    if (dialog.DoModal() != IDCANCEL) {
        computerScore = dialog.computerValue;
        humanScore = dialog.humanValue;
    }
    UpdateAccessibleState();
}

void CRolvanView::ResetScoresCommand() {
    LocalizedString text;
    const int answer =
        AfxMessageBox(text.LoadLocalizedString(IDS_RESET_SCORES_QUESTION,
                                               "Do you really want to set the scores to zero ?"),
                      MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    if (answer == IDYES) {
        humanScore = 0;
        computerScore = 0;
    }
    UpdateAccessibleState();
}

void CRolvanView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (!editing) {
        // One move per key-down, whatever its repeat count.
        switch (nChar) {
            case '1':
            case VK_NUMPAD0 + 1:
                LayTile(LeftTile);
                return;
            case '2':
            case VK_NUMPAD0 + 2:
                LayTile(CentreTile);
                return;
            case '3':
            case VK_NUMPAD0 + 3:
                LayTile(RightTile);
                return;
            default:
                break;
        }
    }
    CView::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CRolvanView::OnTopSquare() {
    LayTile(LeftTile);
}
void CRolvanView::OnMiddleSquare() {
    LayTile(CentreTile);
}
void CRolvanView::OnBottomSquare() {
    LayTile(RightTile);
}
void CRolvanView::OnShowScores() {
    ShowScoresDialog();
}
