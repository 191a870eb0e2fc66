#pragma once

// CWnd: a window of the program, backed by one Qt widget. The window keeps an image of
// its client area (CSurfaceOwner): a CClientDC paints into it and shows what it touched
// at once; the paint cycle of windows that paint themselves (CView, owner-drawn
// buttons) renders into the same image and then copies it to the screen.

#include <memory>

#include "shell/platform/cmdtarget.h"
#include "shell/platform/cstring.h"
#include "shell/platform/surface_owner.h"
#include "shell/platform/windef.h"

class QWidget;
class QImage;
class QRegion;
class CAccessibleGrid;
class CDC;
class CFrameWnd;

using HWND = QWidget*;

struct CREATESTRUCT {
    DWORD style = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};
using LPCREATESTRUCT = CREATESTRUCT*;

class CWnd : public CCmdTarget, public CSurfaceOwner {
public:
    CWnd();
    ~CWnd() override;

    // The widget, or null before the window is created and after it is destroyed.
    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }

    virtual BOOL DestroyWindow();
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    void SetWindowText(LPCTSTR text);
    void GetWindowText(CString& text) const;
    // What assistive technology (a screen reader) says of the window: a name, and a
    // description that may follow the program's state. A change is announced at once;
    // setting the same text again announces nothing.
    void SetAccessibleName(LPCTSTR name);
    void SetAccessibleDescription(LPCTSTR description);
    // For a view: the state it is in, as its description. It is read when asked for and
    // announced by no event; what changed is told otherwise (the notices).
    void SetAccessibleState(LPCTSTR state);
    // Says text once to assistive technology, as a notice that takes no focus and shows
    // nothing: a screen reader speaks it after what it is saying.
    void AnnounceAccessible(LPCTSTR text);
    // The grid the window draws, which a screen reader reads as a table of its cells; null
    // for none. The window does not own it.
    void SetAccessibleGrid(CAccessibleGrid* grid);
    CAccessibleGrid* GetAccessibleGrid() const { return m_accessibleGrid; }
    // The cell at column, row shows something else now; without a cell, anything may have
    // changed, the number of cells too.
    void AccessibleGridChanged(int column = -1, int row = -1);
    // Whether assistive technology (or a test) listens; what only it would hear need not
    // be composed otherwise.
    static BOOL IsAccessibilityActive();
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const;
    CWnd* SetFocus();
    void MoveWindow(const CRect& rect, BOOL bRepaint = TRUE);
    void GetClientRect(LPRECT lpRect) const;
    // The position in the parent's client coordinates.
    CRect GetWindowRectInParent() const;
    CWnd* GetParent() const { return m_pParentWnd; }
    // The frame this window stands in, if any.
    CFrameWnd* GetParentFrame() const;
    int GetDlgCtrlID() const { return m_nID; }

    // Asks for the paint cycle over the whole client area on the next event round.
    void Invalidate(BOOL bErase = TRUE);
    // Runs the paint cycle over the whole client area now, if the window is shown.
    void UpdateWindow();

    // Modal message box owned by this window; lpszCaption null gives the application
    // title. Returns IDOK, IDCANCEL, IDYES or IDNO.
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);

    // WM_COMMAND (wParam = command ID, routed as a menu command) and WM_CLOSE.
    LPARAM SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    // CSurfaceOwner: the image of the client area (a null image while the window has no
    // area) and the prompt display of what a surface painted.
    QImage* SurfaceImage() override;
    void SurfaceTouched(const CRect& box) override;

    // Delivers a child control's notification to this window: nCode is BN_CLICKED or
    // BN_DOUBLECLICKED. A window routes it through its own message map; a view routes it
    // like a menu command.
    virtual BOOL OnCommand(UINT nID, int nCode);

    // --- Message handlers. The base versions pass the event on to the default
    // processing; a subclass calls the base version (or Default()) for the same.
    virtual void OnSize(UINT nType, int cx, int cy);
    // Called by the paint cycle before painting; returns TRUE when it erased.
    virtual BOOL OnEraseBkgnd(CDC* pDC);
    // nChar is the virtual-key code: main keyboard digits 0x30..0x39 (the keys of the digit
    // row, whatever the layout types on them), keypad digits VK_NUMPAD0 + n, letters
    // 'A'..'Z'. nRepCnt is 1 per event; bit 14 of nFlags is set for an auto-repeated key.
    virtual void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    // point is in client coordinates; nFlags holds MK_ bits.
    virtual void OnLButtonDown(UINT nFlags, CPoint point);
    virtual void OnRButtonDown(UINT nFlags, CPoint point);
    // A slider of this window moved; pScrollBar is the slider's window.
    virtual void OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar);
    // Context-help entry point; does nothing here.
    virtual void WinHelp(DWORD dwData, UINT nCmd = HELP_CONTEXT);

    // Passes the message being handled on to the default processing.
    void Default();

protected:
    // Renders the client area for the paint cycle into the backing image through pDC,
    // whose clip box is the part to repaint. Windows that are drawn by the program
    // override it; the base paints nothing.
    virtual void PaintCycle(CDC* pDC);
    // Binds the window to its widget; the widget is deleted with the window when owned.
    void AttachWidget(HWND widget, CWnd* parent, int id, bool ownsWidget);
    void ResizeSurface(int width, int height);

    CWnd* m_pParentWnd = nullptr;
    int m_nID = 0;

private:
    // The widgets of the layer deliver their events through it.
    friend struct WndBridge;

    void WidgetDestroyed();
    void DispatchPaint(const QRegion& region);
    // Device pixels per pixel of the screen the window stands on (1 without a widget).
    double ScreenRatio() const;
    // Whether the image has the client size (width x height) at the screen's ratio.
    bool SurfaceFits(int width, int height) const;

    std::unique_ptr<QImage> m_surface;
    CAccessibleGrid* m_accessibleGrid = nullptr;
    bool m_ownsWidget = false;
    bool m_inPaint = false;
    // The image was made anew for a new screen ratio inside a paint; the pictures the size
    // message makes still have the old one.
    bool m_picturesOffRatio = false;
    bool m_flushing = false;
    bool m_defaultRequested = false;
    CRect m_flushBox;
    // What surfaces painted while the paint cycle ran.
    CRect m_touchedDuringPaint;
};
