#pragma once

#include "shell/platform/afxwin.h"

class CRolvanApp : public CWinApp {
public:
    CRolvanApp();

    // 0 for English, 1000 for German: added to the English ID of every localized
    // resource at the moment it is built. Chosen anew at every start, never stored.
    int m_nLanguageOffset = 0;

    BOOL InitInstance() override;
    void OnAppAbout();

    DECLARE_MESSAGE_MAP()
};

// The current language offset, 0 when no application object of the game exists.
int LanguageOffset();
