#include "shell/main_frame.h"

#include "shell/rolvan_app.h"
#include "shell/rolvan_view.h"

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

void CMainFrame::OnLanguageEnglish() {
    SwitchLanguage(0);
}

void CMainFrame::OnLanguageDeutsch() {
    SwitchLanguage(LANGUAGE_OFFSET_GERMAN);
}

// Only the menu bar changes at once; every dialog, message and editor button takes the new
// language the next time it is built.
void CMainFrame::SwitchLanguage(int offset) {
    auto* app = dynamic_cast<CRolvanApp*>(AfxGetApp());
    if (app == nullptr || app->m_nLanguageOffset == offset) {
        return;
    }
    app->m_nLanguageOffset = offset;
    AfxSetPlatformLanguage(offset == LANGUAGE_OFFSET_GERMAN ? LANG_GERMAN : LANG_ENGLISH);
    ReplaceMenuBar();
    if (auto* view = dynamic_cast<CRolvanView*>(GetActiveView())) {
        view->OnLanguageChanged();
    }
}

void CMainFrame::ReplaceMenuBar() {
    CMenu newMenu;
    if (!newMenu.LoadMenu(IDR_MAINFRAME + LanguageOffset())) {
        return;
    }
    // The default menu stays for the frame's whole life; a copy loaded by an earlier
    // switch is not needed any more.
    CMenu* current = GetMenu();
    if (current != nullptr && current->GetSafeHmenu() != m_hMenuDefault) {
        current->DestroyMenu();
    }
    SetMenu(&newMenu);
    newMenu.Detach();
}

void CMainFrame::OnUpdateLanguageEnglish(CCmdUI* pCmdUI) {
    pCmdUI->SetRadio(LanguageOffset() == 0);
}

void CMainFrame::OnUpdateLanguageDeutsch(CCmdUI* pCmdUI) {
    pCmdUI->SetRadio(LanguageOffset() == LANGUAGE_OFFSET_GERMAN);
}
