#pragma once

// The modal side of the layer: everything modal passes through here, where the test
// script (seams.h) takes over when one is installed.

#include <QString>

#include "shell/platform/seams.h"
#include "shell/platform/windef.h"

class QWidget;

// Whether the game is ending (a logout, Ctrl+C): a modal window then returns at once, as
// if cancelled, and the main window is not shown any more.
bool EndingTheGame();

// The installed script, or null when the real dialogs run.
ModalScript* CurrentModalScript();

// The message box of CWnd::MessageBox and AfxMessageBox. A null caption gives the
// application title.
int ShowMessageBox(QWidget* owner, LPCTSTR text, LPCTSTR caption, UINT type);

// A modal window's frame: a title bar with the close box only, no minimise or maximise
// buttons, whatever the window manager would give a dialog by default. The notices for a
// screen reader that wait for the program to be free go out first, before the window.
void GiveModalFrame(QWidget* window);

// Sends the notices for assistive technology that wait for the end of the handler.
void FlushAccessibleNotices();

// A new run of the program: the colour picker's sixteen custom colours become white at
// its first opening, instead of those some Qt program left in the user's QtProject.conf.
void StartColourPickerRun();
