#include "shell/rolvan_app.h"

#include "shell/about_box.h"
#include "shell/main_frame.h"
#include "shell/rolvan_doc.h"
#include "shell/rolvan_view.h"

BEGIN_MESSAGE_MAP(CRolvanApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

CRolvanApp::CRolvanApp() = default;

int LanguageOffset() {
    auto* app = dynamic_cast<CRolvanApp*>(AfxGetApp());
    return app ? app->m_nLanguageOffset : 0;
}

BOOL CRolvanApp::InitInstance() {
    // Before the first window: desktops match the windows to the launcher by it.
    SetAppID(_T(ROLVAN_APP_ID));
    // Every profile read and write from here on goes to quendel/Rolvan, section Settings.
    SetRegistryKey(_T("quendel"));
    Enable3dControlsStatic();
    LoadStdProfileSettings(0);

    // Made before the start-up language is chosen, so the frame's default menu is
    // always the English one.
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CRolvanDoc),
                                          RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CRolvanView)));

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo)) {
        return FALSE;
    }

    // The window was made with the English menu; German in any country switches now.
    if (auto* frame = dynamic_cast<CMainFrame*>(m_pMainWnd)) {
        if (PRIMARYLANGID(GetSystemDefaultLCID()) == LANG_GERMAN) {
            frame->OnLanguageDeutsch();
        } else {
            frame->OnLanguageEnglish();
        }
    }
    return TRUE;
}

void CRolvanApp::OnAppAbout() {
    CAboutBoxDlg aboutDlg;
    aboutDlg.DoModal();
}
