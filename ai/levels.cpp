// The computer's choice of tile and the four Level commands.

#include "ai/move_search.h"
#include "shell/rolvan_view.h"

SquareKind CRolvanView::ChooseMove() {
    MoveSearch search(ball, random, level, &reportInternalError_);
    return search.ChooseMove();
}

// The game in progress goes on; the next computer move plays at the new level. The
// level is stored every time, even when it does not change.
void CRolvanView::SetLevel(int newLevel) {
    level = newLevel;
    SaveLevel();
}

void CRolvanView::OnLevelOne() {
    SetLevel(1);
}
void CRolvanView::OnLevelTwo() {
    SetLevel(2);
}
void CRolvanView::OnLevelThree() {
    SetLevel(3);
}
void CRolvanView::OnLevelFour() {
    SetLevel(4);
}

namespace {

void UpdateLevelItem(CCmdUI* pCmdUI, bool editing, int level, int itemLevel) {
    pCmdUI->Enable(!editing);
    pCmdUI->SetRadio(level == itemLevel);
}

}  // namespace

void CRolvanView::OnUpdateLevelOne(CCmdUI* pCmdUI) {
    UpdateLevelItem(pCmdUI, editing, level, 1);
}
void CRolvanView::OnUpdateLevelTwo(CCmdUI* pCmdUI) {
    UpdateLevelItem(pCmdUI, editing, level, 2);
}
void CRolvanView::OnUpdateLevelThree(CCmdUI* pCmdUI) {
    UpdateLevelItem(pCmdUI, editing, level, 3);
}
void CRolvanView::OnUpdateLevelFour(CCmdUI* pCmdUI) {
    UpdateLevelItem(pCmdUI, editing, level, 4);
}
