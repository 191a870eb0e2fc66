#pragma once

// CButton: a push button (QPushButton). A click sends the button's ID to its parent as a
// command (BN_CLICKED); a BS_NOTIFY or BS_OWNERDRAW button delivers a double-click as
// BN_DOUBLECLICKED on the same ID, and the double-click does not click as well. A
// BS_OWNERDRAW button is painted by DrawItem into its own backing image, so a CClientDC
// on it works too.

#include "shell/platform/wnd.h"

class CDC;

struct DRAWITEMSTRUCT {
    UINT CtlType = ODT_BUTTON;
    UINT CtlID = 0;
    UINT itemAction = ODA_DRAWENTIRE;
    UINT itemState = 0;
    CWnd* hwndItem = nullptr;
    // The paint cycle's surface over the button's image.
    CDC* hDC = nullptr;
    CRect rcItem;
};
using LPDRAWITEMSTRUCT = DRAWITEMSTRUCT*;

class CButton : public CWnd {
public:
    CButton();
    ~CButton() override;

    // dwStyle: BS_PUSHBUTTON, BS_DEFPUSHBUTTON or BS_OWNERDRAW, with BS_NOTIFY and
    // WS_VISIBLE as wanted; rect is in the parent's client coordinates.
    BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const CRect& rect, CWnd* pParentWnd, UINT nID);

    // Paints an owner-drawn button; the base draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    DWORD GetButtonStyle() const { return m_style; }

protected:
    void PaintCycle(CDC* pDC) override;

private:
    friend struct WndBridge;
    DWORD m_style = 0;
};
