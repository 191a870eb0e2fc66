#include "editor/grid_size_dialog.h"

#include "shell/rolvan_app.h"
#include "shell/stored_values.h"

BEGIN_MESSAGE_MAP(CGridSizeDlg, CDialog)
    ON_BN_CLICKED(IDC_DEFAULT, OnDefault)
    ON_BN_DOUBLECLICKED(IDC_DEFAULT, OnDefaultDoubleClicked)
END_MESSAGE_MAP()

CGridSizeDlg::CGridSizeDlg(int x, int y, CWnd* pParent)
    : CDialog(IDD_GRIDSIZE + LanguageOffset(), pParent), xValue(x), yValue(y) {}

// Each value is checked right after it is read, so a refused X keeps the focus on X
// before Y is looked at.
void CGridSizeDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_XSIZE, xValue);
    DDV_MinMaxInt(pDX, xValue, kMinGridSize, kMaxGridSize);
    DDX_Text(pDX, IDC_YSIZE, yValue);
    DDV_MinMaxInt(pDX, yValue, kMinGridSize, kMaxGridSize);
}

void CGridSizeDlg::OnDefault() {
    xValue = kDefaultColumns;
    yValue = kDefaultRows;
    UpdateData(FALSE);
}

void CGridSizeDlg::OnDefaultDoubleClicked() {
    xValue = kDefaultColumns;
    yValue = kDefaultRows;
    EndDialog(IDC_DEFAULT);
}
