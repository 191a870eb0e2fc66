#pragma once

// CView: the window inside the frame that shows the document. Qt's paint requests
// (show, resize, expose, Invalidate) run the paint cycle: OnEraseBkgnd, then OnDraw, into
// the backing image for the region to repaint, which is then copied to the screen. A
// resize resizes the image, calls OnSize and repaints the whole client area. The view
// takes the keyboard focus, so keys reach OnKeyDown.

#include "shell/platform/wnd.h"

class CDocument;

class CView : public CWnd {
public:
    CView();
    ~CView() override;

    virtual void OnDraw(CDC* pDC) = 0;
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

    CDocument* GetDocument() const { return m_pDocument; }

    // The view, then its document.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // A child button's click goes the way of a menu command: view, document, frame,
    // application.
    BOOL OnCommand(UINT nID, int nCode) override;

    // Creates the view's widget inside the frame.
    BOOL Create(CFrameWnd* pFrame, CDocument* pDocument);

protected:
    void PaintCycle(CDC* pDC) override;

private:
    CDocument* m_pDocument = nullptr;
};
