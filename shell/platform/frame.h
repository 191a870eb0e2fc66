#pragma once

// CFrameWnd: the main window, a QMainWindow with a menu bar and the view as its central
// widget. Its caption is the first field of its document string. Menu commands are
// routed view, document, frame, application; the update handlers of a menu run each
// time the menu opens.

#include "shell/platform/menu.h"
#include "shell/platform/wnd.h"

class CDocument;
class CView;

class CFrameWnd : public CWnd {
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // cs.style starts as WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE; without FWS_ADDTOTITLE
    // the caption is the document string's first field alone.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Called once the frame's widget and menu exist; -1 abandons the creation.
    virtual int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // The close box, Alt+F4 and the Exit command come here. The base hides the frame and,
    // for the main window, ends the message loop; an override that does not call it
    // keeps the window open.
    virtual void OnClose();

    // Creates the frame's widget with the menu, icon and caption of resource nIDResource,
    // then the view from pViewClass on pDocument. FALSE when creation failed.
    BOOL LoadFrame(UINT nIDResource, const CRuntimeClass* pViewClass, CDocument* pDocument);

    CView* GetActiveView() const { return m_pView; }
    CDocument* GetActiveDocument() const;

    // The current menu bar, or null. The object stays owned by the frame.
    CMenu* GetMenu();
    // Shows pMenu's menu bar; the previous one is taken off the window but not destroyed.
    BOOL SetMenu(CMenu* pMenu);
    // The menu loaded at creation; never destroyed while the frame lives.
    HMENU m_hMenuDefault = nullptr;

    // Runs the update handlers of every menu of the menu bar, as if each had been
    // opened, so that their enabled and radio states can be read through GetMenu().
    void UpdateMenuStates();

    // The view, then the frame itself, then the application.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // A command from a menu item: dropped when its update handler disables it.
    BOOL ExecuteMenuCommand(UINT nID);

    void ActivateFrame(int nCmdShow = -1);

    // A command ID from a menu or SendMessage(WM_COMMAND).
    BOOL OnCommand(UINT nID, int nCode) override;

private:
    friend struct WndBridge;

    void ShowMenu(HMENU hMenu);

    CView* m_pView = nullptr;
    // The frame owns its document from a successful LoadFrame on.
    CDocument* m_pDocument = nullptr;
    // What the base OnCreate needs to create the view.
    const CRuntimeClass* m_pViewClass = nullptr;
    CDocument* m_pNewDocument = nullptr;
    CMenu m_currentMenu;
    bool m_closeAccepted = false;
};
