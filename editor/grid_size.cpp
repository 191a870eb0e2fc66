// The Grid Size command: a new board of the chosen size, stored, laid out for the window
// and started with a new game. The scores stay.

#include "editor/grid_size_dialog.h"
#include "shell/rolvan_view.h"

void CRolvanView::OnGridSize() {
    if (editing) {
        return;
    }
    CGridSizeDlg dialog(board.columns, board.rows, this);
    const int result = dialog.DoModal();
    // -1: the dialog could not be built, so nothing was accepted either.
    if (result == IDCANCEL || result == -1) {
        return;
    }
    board.FreeRows();
    // Until the new game places it, the ball has no square on the new board.
    ball.currentSquare = nullptr;
    board.columns = dialog.xValue;
    board.rows = dialog.yValue;
    board.BuildBoard();
    SaveGridSize();
    ResizeBoard(clientWidth, clientHeight);
    NewGame(true);
}
