#pragma once

#include "shell/platform/afxwin.h"

// "About rolvan": the program's icon, name and version, and OK. Owned by the main window.
class CAboutBoxDlg : public CDialog {
public:
    CAboutBoxDlg();
};
