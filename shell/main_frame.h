#pragma once

#include "shell/platform/afxwin.h"

class CMainFrame : public CFrameWnd {
public:
    // Without FWS_ADDTOTITLE the caption is "rolvan" and never shows a document name.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // The program offers no help.
    void WinHelp(DWORD, UINT) override {}

    void OnLanguageEnglish();
    void OnLanguageDeutsch();
    void OnUpdateLanguageEnglish(CCmdUI* pCmdUI);
    void OnUpdateLanguageDeutsch(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};
