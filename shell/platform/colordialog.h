#pragma once

// CColorDialog: the colour picker (QColorDialog, never the desktop's native chooser).
// Its sixteen custom colours are white at the first use in a run and then kept for the
// rest of the run, shared by every picker; none of them reaches the next run, and the
// custom colours other Qt programs of the user keep are left as they were.

#include "shell/platform/windef.h"

class CWnd;

class CColorDialog {
public:
    // dwFlags is accepted for the classic signature; no option changes anything.
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);

    // IDOK with the chosen colour in GetColor(), or IDCANCEL.
    int DoModal();
    COLORREF GetColor() const { return m_color; }

private:
    COLORREF m_color;
    CWnd* m_pParentWnd;
};
