// The board editor's commands. They are in the menus with their command state already;
// editing itself comes with the editor.

#include "shell/rolvan_view.h"

void CRolvanView::OnEditGrid() {}
void CRolvanView::OnSaveGrid() {}
void CRolvanView::OnResetGrid() {}
void CRolvanView::OnCancelGrid() {}
void CRolvanView::OnGridSize() {}

void CRolvanView::OnLButtonDown(UINT nFlags, CPoint point) { CView::OnLButtonDown(nFlags, point); }

void CRolvanView::OnRButtonDown(UINT nFlags, CPoint point) { CView::OnRButtonDown(nFlags, point); }
