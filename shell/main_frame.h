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

    // Shows the menu bar of the current language (menu 128 plus the language offset). The
    // bar it replaces is destroyed unless it is the frame's default menu; a menu that
    // cannot be loaded leaves the bar as it is.
    void ReplaceMenuBar();

    DECLARE_MESSAGE_MAP()

private:
    void SwitchLanguage(int offset);
};
