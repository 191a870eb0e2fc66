#pragma once

// Command routing. Every class that handles commands declares a message map: a static
// table of command IDs and member functions, chained to its base class's table.
//
//   class CMyView : public CView {
//       ...
//       void OnTopSquare();
//       void OnUpdateTopSquare(CCmdUI* pCmdUI);
//       DECLARE_MESSAGE_MAP()
//   };
//
//   BEGIN_MESSAGE_MAP(CMyView, CView)
//       ON_COMMAND(ID_MOVES_TOPSQUARE, OnTopSquare)
//       ON_UPDATE_COMMAND_UI(ID_MOVES_TOPSQUARE, OnUpdateTopSquare)
//   END_MESSAGE_MAP()
//
// Window messages (size, erase, keys, mouse, scroll, close) are not map entries: they
// arrive through the virtual handlers of CWnd and its subclasses.

#include "shell/platform/windef.h"

class CCmdUI;
class CCmdTarget;

class CObject {
public:
    virtual ~CObject() = default;
};

// How the document template creates document, frame and view: RUNTIME_CLASS(CMyDoc).
struct CRuntimeClass {
    const char* m_lpszClassName;
    CObject* (*m_pfnCreateObject)();
    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
};

template <class T>
const CRuntimeClass* RuntimeClassOf(const char* name) {
    static const CRuntimeClass runtimeClass{name, []() -> CObject* { return new T; }};
    return &runtimeClass;
}
#define RUNTIME_CLASS(class_name) (RuntimeClassOf<class_name>(#class_name))

using AFX_PMSG = void (CCmdTarget::*)();
using AFX_PUPDATE = void (CCmdTarget::*)(CCmdUI*);

enum class AfxEntryKind { End, Command, Update, DoubleClicked };

struct AFX_MSGMAP_ENTRY {
    AfxEntryKind kind;
    UINT nID;
    AFX_PMSG pfn;
    AFX_PUPDATE pfnUpdate;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Filled by OnCmdMsg when the caller only asks whether a handler exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget = nullptr;
};

class CCmdTarget : public CObject {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Looks up nID in this object's message map chain and calls the handler. nCode is
    // CN_COMMAND (also a button's BN_CLICKED), BN_DOUBLECLICKED or CN_UPDATE_COMMAND_UI
    // with the CCmdUI as pExtra. With pHandlerInfo, only reports whether a handler exists.
    // Subclasses extend the route: the view asks its document, the frame asks its view,
    // itself and the application.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const { return GetThisMessageMap(); }

protected:
    // Only this object's own map chain, without any further route.
    BOOL DispatchOwnMap(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
};

// The state of one user-interface item (a menu item) as its update handler sets it.
class CCmdUI {
public:
    virtual ~CCmdUI() = default;

    UINT m_nID = 0;
    BOOL m_bEnabled = TRUE;
    BOOL m_bRadio = FALSE;
    // Set when an update handler ran for the item.
    BOOL m_bHandled = FALSE;

    virtual void Enable(BOOL bOn = TRUE) { m_bEnabled = bOn; }
    virtual void SetRadio(BOOL bOn = TRUE) { m_bRadio = bOn; }

    // Runs the update handler for m_nID along pTarget's route. When there is none, the
    // item is enabled exactly when some handler takes the command (if
    // bDisableIfNoHandler). Returns whether an update handler ran.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);
};

#define DECLARE_MESSAGE_MAP()                     \
protected:                                        \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)          \
    const AFX_MSGMAP* theClass::GetMessageMap() const { \
        return GetThisMessageMap();                     \
    }                                                   \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {   \
        using ThisClass = theClass;                     \
        using TheBaseClass = baseClass;                 \
        static const AFX_MSGMAP_ENTRY entries[] = {
#define END_MESSAGE_MAP()                                                                 \
    { AfxEntryKind::End, 0, nullptr, nullptr }                                            \
    }                                                                                     \
    ;                                                                                     \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &entries[0]}; \
    return &messageMap;                                                                   \
    }

// void handler()
#define ON_COMMAND(id, memberFxn)                                                                \
    {AfxEntryKind::Command, static_cast<UINT>(id), static_cast<AFX_PMSG>(&ThisClass::memberFxn), \
     nullptr},
// void handler(CCmdUI*)
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                \
    {AfxEntryKind::Update, static_cast<UINT>(id), nullptr, \
     static_cast<AFX_PUPDATE>(&ThisClass::memberFxn)},
// A push button's click is its command: void handler()
#define ON_BN_CLICKED(id, memberFxn) ON_COMMAND(id, memberFxn)
// A BS_NOTIFY push button's double-click: void handler()
#define ON_BN_DOUBLECLICKED(id, memberFxn)               \
    {AfxEntryKind::DoubleClicked, static_cast<UINT>(id), \
     static_cast<AFX_PMSG>(&ThisClass::memberFxn), nullptr},
