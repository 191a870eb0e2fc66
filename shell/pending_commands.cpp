// Commands that stand in the menus with their command state but do nothing yet: the
// colour pickers.

#include "shell/rolvan_view.h"

void CRolvanView::OnWindowBackgroundColour() {}
void CRolvanView::OnGridBackgroundColour() {}
void CRolvanView::OnGridLineColour() {}
void CRolvanView::OnTileBackgroundColour() {}
void CRolvanView::OnTileBorderColour() {}
void CRolvanView::OnTileLineColour() {}
void CRolvanView::OnHomeSquareColour() {}
void CRolvanView::OnBallColour() {}
