#pragma once

#include "shell/platform/afxwin.h"

// "Graphics Speed": a slider from "Slow" (position 0, 19 ms a step) to "Fast" (position
// 19, no pause). Only a move of the slider changes m_nSpeed, so OK on an untouched
// slider gives back the speed it was opened with.
class CBallSpeedDlg : public CDialog {
public:
    static constexpr int SpeedSliderMax = 19;

    CBallSpeedDlg(int speed, CWnd* pParent);

    int m_nSpeed;
    CSliderCtrl m_slider;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) override;
};
