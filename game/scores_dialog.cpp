#include "game/scores_dialog.h"

#include "shell/rolvan_app.h"

BEGIN_MESSAGE_MAP(CScoresDlg, CDialog)
    ON_BN_CLICKED(IDC_RESET, OnReset)
    ON_BN_DOUBLECLICKED(IDC_RESET, OnResetDoubleClicked)
END_MESSAGE_MAP()

CScoresDlg::CScoresDlg(int computer, int human, CWnd* pParent)
    : CDialog(IDD_SCORES + LanguageOffset(), pParent), computerValue(computer), humanValue(human) {}

void CScoresDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_COMPUTER_SCORE, computerValue);
    DDX_Text(pDX, IDC_YOUR_SCORE, humanValue);
}

void CScoresDlg::OnReset() {
    computerValue = 0;
    humanValue = 0;
    UpdateData(FALSE);
}

void CScoresDlg::OnResetDoubleClicked() {
    computerValue = 0;
    humanValue = 0;
    EndDialog(IDC_RESET);
}
