#include "shell/main_frame.h"

#include "shell/rolvan_app.h"

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_COMMAND(ID_LANGUAGE_ENGLISH, OnLanguageEnglish)
    ON_COMMAND(ID_LANGUAGE_DEUTSCH, OnLanguageDeutsch)
    ON_UPDATE_COMMAND_UI(ID_LANGUAGE_ENGLISH, OnUpdateLanguageEnglish)
    ON_UPDATE_COMMAND_UI(ID_LANGUAGE_DEUTSCH, OnUpdateLanguageDeutsch)
END_MESSAGE_MAP()

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style &= ~FWS_ADDTOTITLE;
    return CFrameWnd::PreCreateWindow(cs);
}

// Switching the language comes with the German resources; until then English stays.
void CMainFrame::OnLanguageEnglish() {}
void CMainFrame::OnLanguageDeutsch() {}

void CMainFrame::OnUpdateLanguageEnglish(CCmdUI* pCmdUI) {
    pCmdUI->SetRadio(LanguageOffset() == 0);
}

void CMainFrame::OnUpdateLanguageDeutsch(CCmdUI* pCmdUI) {
    pCmdUI->SetRadio(LanguageOffset() == LANGUAGE_OFFSET_GERMAN);
}
