#pragma once

// CDialog: a modal dialog (QDialog) built from a dialog template of res/, centred on its
// owner. Its controls are placed in dialog units converted with the dialog font's
// metrics. Button clicks arrive as commands in the dialog's message map (IDOK runs
// OnOK, IDCANCEL and Escape and the close box run OnCancel). Data exchange moves
// integers between edits and members, with validation that keeps the dialog open.

#include <map>
#include <memory>

#include "shell/platform/wnd.h"

class CDataExchange;

// A slider control of a dialog, bound with DDX_Control. Moves by the user reach the
// dialog's OnHScroll; SetRange and SetPos send no notification.
class CSliderCtrl : public CWnd {
public:
    void SetRange(int nMin, int nMax, BOOL bRedraw = FALSE);
    int GetRangeMin() const;
    int GetRangeMax() const;
    // Clamped to the range.
    void SetPos(int nPos);
    int GetPos() const;
    void SetTicFreq(int nFreq);
};

class CDialog : public CWnd {
public:
    // The template is nIDTemplate; a null pParentWnd makes the main window the owner.
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Builds the dialog, runs OnInitDialog and the modal loop (or the test script, see
    // seams.h) and returns the end code; -1 when the template does not exist.
    virtual int DoModal();
    void EndDialog(int nResult);

    // Runs DoDataExchange (binding and loading the controls); returns TRUE to let the
    // focus go to the first tab stop control.
    virtual BOOL OnInitDialog();
    // UpdateData(TRUE), then EndDialog(IDOK) when it succeeded.
    virtual void OnOK();
    virtual void OnCancel();

    // bSaveAndValidate TRUE reads the controls into the members, FALSE shows the members.
    // FALSE when a field was refused; the message was shown and that field has the focus.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // The control with nID, or null. A control bound with DDX_Control answers with the
    // bound object.
    CWnd* GetDlgItem(int nID);
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE);
    void SetDlgItemText(int nID, LPCTSTR lpszString);
    // The control that has (or will have when shown) the keyboard focus, 0 for none.
    int GetFocusedControlID() const;

    UINT GetTemplateID() const { return m_nIDTemplate; }
    // Whether EndDialog was called, and its code.
    bool HasEnded() const { return m_ended; }
    int GetEndCode() const { return m_nModalResult; }

    BOOL OnCommand(UINT nID, int nCode) override;

    DECLARE_MESSAGE_MAP()

private:
    friend struct WndBridge;
    friend void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
    BOOL BuildFromTemplate();
    void ControlScrolled(int nID, UINT nSBCode, int nPos);
    void Bind(int nID, CWnd& control);

    UINT m_nIDTemplate;
    CWnd* m_pOwner;
    int m_nModalResult = -1;
    bool m_ended = false;
    std::map<int, HWND> m_controls;
    std::map<int, CWnd*> m_bound;
    std::map<int, std::unique_ptr<CWnd>> m_wrappers;
};

class CDataExchange {
public:
    CDataExchange(CDialog* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;
    CDialog* m_pDlgWnd;
    // Set when a field was refused; the exchange calls that follow do nothing.
    BOOL m_bFailed = FALSE;
    // The edit last exchanged, which takes the focus when its value is refused.
    int m_idLastControl = 0;

    // Shows nothing itself: marks the exchange as failed and focuses the last control.
    void Fail();
};

// Integer to and from an edit. Reading text that is not an integer shows "Please enter
// an integer." and fails the exchange.
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
// When reading: a value outside nMin..nMax shows "Please enter an integer between %1 and
// %2." with the bounds put in, and fails the exchange.
void DDV_MinMaxInt(CDataExchange* pDX, int value, int nMin, int nMax);
// Binds rControl to the dialog's control nIDC (once).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
