// Commands that stand in the menus with their command state but do nothing yet: the
// ball speed dialog and the About box.

#include "shell/rolvan_app.h"
#include "shell/rolvan_view.h"

void CRolvanView::OnBallSpeed() {}

void CRolvanApp::OnAppAbout() {}
