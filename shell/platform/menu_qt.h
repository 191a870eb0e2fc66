#pragma once

// Menus on the Qt side: each item is a QAction whose data is its command ID.

#include "shell/platform/windef.h"

class QAction;
class QMenu;

UINT CommandIdOf(const QAction* action);
// Runs the update handlers of the items of menu through the frame that shows it.
void RunMenuUpdateHandlers(QMenu* menu);
