#pragma once

// CMenu: a menu bar or one of its popup menus, built from the menu tables in res/. Each
// item is a QAction that carries its command ID. The object owns what it loaded until
// Detach(); DestroyMenu() deletes it.

#include <memory>
#include <vector>

#include "shell/platform/cstring.h"
#include "shell/platform/windef.h"

class QWidget;

// A menu bar (QMenuBar) or a popup menu (QMenu).
using HMENU = QWidget*;

class CMenu {
public:
    CMenu();
    ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    HMENU GetSafeHmenu() const { return m_hMenu; }

    // Builds the menu bar of resource nIDResource; FALSE, and nothing attached, when
    // there is no such menu.
    BOOL LoadMenu(UINT nIDResource);
    // Destroys the menu, also when this object only refers to it (GetMenu, GetSubMenu).
    // The widgets go at the next event round, since a menu command may be running from
    // inside this very menu.
    BOOL DestroyMenu();
    BOOL Attach(HMENU hMenu);
    HMENU Detach();

    int GetMenuItemCount() const;
    // The command ID at nPos; -1 for a popup, 0 for a separator or a bad position.
    UINT GetMenuItemID(int nPos) const;
    // The popup at nPos, or null; the object belongs to this one.
    CMenu* GetSubMenu(int nPos);
    // The item's text with its & marks, by command (first match, searched through the
    // popups) or by position.
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    // MF_GRAYED when disabled, MF_CHECKED | MFT_RADIOCHECK with the radio mark, MF_POPUP
    // and MF_SEPARATOR for those items; 0xFFFFFFFF when there is no such item.
    UINT GetMenuState(UINT nID, UINT nFlags) const;

private:
    friend class CFrameWnd;
    // Refers to hMenu without owning it.
    void Borrow(HMENU hMenu);

    std::vector<std::unique_ptr<CMenu>> m_subMenus;
    bool m_owned = false;
};
