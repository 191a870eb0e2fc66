#include "shell/ball_speed_dialog.h"

#include "shell/rolvan_app.h"
#include "shell/rolvan_view.h"

CBallSpeedDlg::CBallSpeedDlg(int speed, CWnd* pParent)
    : CDialog(IDD_BALLSPEED + LanguageOffset(), pParent), m_nSpeed(speed) {}

void CBallSpeedDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SPEED_SLIDER, m_slider);
}

BOOL CBallSpeedDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_slider.SetRange(0, SpeedSliderMax, TRUE);
    m_slider.SetPos(SpeedSliderMax - m_nSpeed);
    m_slider.SetTicFreq(1);
    // The focus goes to the first tab stop, OK.
    return TRUE;
}

// Dragging, clicks in the channel and the keys all end up here.
void CBallSpeedDlg::OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) {
    CDialog::OnHScroll(nSBCode, nPos, pScrollBar);
    m_nSpeed = SpeedSliderMax - m_slider.GetPos();
}

// The view keeps its speed until OK, and OK stores it even when it did not change.
void CRolvanView::OnBallSpeed() {
    CBallSpeedDlg dialog(ballDelay, this);
    if (dialog.DoModal() == IDOK) {
        ballDelay = dialog.m_nSpeed;
        SaveBallSpeed();
    }
}
