#pragma once

#include "shell/platform/afxwin.h"

// "Current Scores": shows both scores after every game and on Show Scores. Reset clears
// them (OK keeps the zeros, Cancel throws them away); a double-click on Reset clears
// them and closes the dialog at once with the Reset button's ID, which counts as OK.
class CScoresDlg : public CDialog {
public:
    CScoresDlg(int computer, int human, CWnd* pParent);

    int computerValue;
    int humanValue;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnReset();
    void OnResetDoubleClicked();

    DECLARE_MESSAGE_MAP()
};
