#pragma once

#include "shell/platform/afxwin.h"

// "Grid Size": the number of columns (X) and rows (Y), each 1 to 100. OK keeps the dialog
// open until both edits hold such a number. Default puts 15 and 10 into the edits; a
// double-click on it closes the dialog at once with 15 x 10 and the Default button's ID,
// which counts as OK, whatever the edits hold.
class CGridSizeDlg : public CDialog {
public:
    CGridSizeDlg(int x, int y, CWnd* pParent = nullptr);

    int xValue;
    int yValue;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnDefault();
    void OnDefaultDoubleClicked();

    DECLARE_MESSAGE_MAP()
};
