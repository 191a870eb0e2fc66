#include "shell/platform/menu.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "res/resource_tables.h"
#include "shell/platform/frame.h"
#include "shell/platform/menu_qt.h"
#include "shell/platform/widgets_qt.h"

namespace {

// Update handlers act on the QAction: Enable greys it, SetRadio gives it the bullet of a
// checked item in an exclusive group.
class MenuCmdUI : public CCmdUI {
public:
    explicit MenuCmdUI(QAction* action) : m_action(action) { m_nID = CommandIdOf(action); }

    void Enable(BOOL bOn) override {
        CCmdUI::Enable(bOn);
        m_action->setEnabled(bOn != FALSE);
    }
    void SetRadio(BOOL bOn) override {
        CCmdUI::SetRadio(bOn);
        // An unmarked item is not checkable at all, so no style draws an empty circle.
        if (bOn) {
            m_action->setCheckable(true);
            m_action->setChecked(true);
        } else {
            m_action->setChecked(false);
            m_action->setCheckable(false);
        }
    }

private:
    QAction* m_action;
};

QAction* FindAction(const QWidget* menu, UINT id) {
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        if (QMenu* sub = action->menu()) {
            if (QAction* found = FindAction(sub, id))
                return found;
        } else if (CommandIdOf(action) == id) {
            return action;
        }
    }
    return nullptr;
}

QAction* ActionAt(const QWidget* menu, int position) {
    if (menu == nullptr)
        return nullptr;
    const QList<QAction*> actions = menu->actions();
    return position >= 0 && position < actions.size() ? actions[position] : nullptr;
}

QAction* ItemOf(const QWidget* menu, UINT nID, UINT nFlags) {
    if (menu == nullptr)
        return nullptr;
    return (nFlags & MF_BYPOSITION) ? ActionAt(menu, static_cast<int>(nID)) : FindAction(menu, nID);
}

void AddToMenu(QWidget* parent, QAction* action) {
    parent->addAction(action);
    if (auto* menu = qobject_cast<QMenu*>(parent)) {
        if (auto* group = menu->findChild<QActionGroup*>(QString(), Qt::FindDirectChildrenOnly)) {
            group->addAction(action);
        }
    }
}

}  // namespace

UINT CommandIdOf(const QAction* action) {
    return action != nullptr ? action->data().toUInt() : 0;
}

void RunMenuUpdateHandlers(QMenu* menu) {
    auto* frame = dynamic_cast<CFrameWnd*>(WndOf(menu));
    if (frame == nullptr)
        return;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator() || action->menu() != nullptr || CommandIdOf(action) == 0) {
            continue;
        }
        MenuCmdUI state(action);
        state.DoUpdate(frame, TRUE);
    }
}

CMenu::CMenu() = default;

CMenu::~CMenu() {
    if (m_owned)
        DestroyMenu();
}

BOOL CMenu::LoadMenu(UINT nIDResource) {
    const MenuTemplate* menuTemplate = FindMenuTemplate(nIDResource);
    if (menuTemplate == nullptr)
        return FALSE;
    if (m_owned)
        DestroyMenu();

    auto* bar = new QMenuBar;
    std::vector<QWidget*> open{bar};
    for (int i = 0; i < menuTemplate->count; ++i) {
        const MenuEntry& entry = menuTemplate->entries[i];
        QWidget* parent = open.back();
        switch (entry.kind) {
            case MenuEntryKind::Popup: {
                auto* menu = new QMenu(LocalText(entry.text), parent);
                parent->addAction(menu->menuAction());
                auto* group = new QActionGroup(menu);
                group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
                QObject::connect(menu, &QMenu::aboutToShow, menu,
                                 [menu] { RunMenuUpdateHandlers(menu); });
                open.push_back(menu);
                break;
            }
            case MenuEntryKind::Item: {
                auto* action = new QAction(LocalText(entry.text), parent);
                action->setData(entry.id);
                AddToMenu(parent, action);
                break;
            }
            case MenuEntryKind::Separator: {
                auto* separator = new QAction(parent);
                separator->setSeparator(true);
                parent->addAction(separator);
                break;
            }
            case MenuEntryKind::EndPopup:
                if (open.size() > 1)
                    open.pop_back();
                break;
        }
    }
    m_hMenu = bar;
    m_owned = true;
    m_subMenus.clear();
    return TRUE;
}

BOOL CMenu::DestroyMenu() {
    if (m_hMenu == nullptr)
        return FALSE;
    QWidget* menu = m_hMenu;
    m_hMenu = nullptr;
    m_owned = false;
    m_subMenus.clear();
    menu->hide();
    menu->setParent(nullptr);
    menu->deleteLater();
    return TRUE;
}

BOOL CMenu::Attach(HMENU hMenu) {
    if (hMenu == nullptr)
        return FALSE;
    if (m_owned)
        DestroyMenu();
    m_hMenu = hMenu;
    m_owned = true;
    m_subMenus.clear();
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU menu = m_hMenu;
    m_hMenu = nullptr;
    m_owned = false;
    m_subMenus.clear();
    return menu;
}

void CMenu::Borrow(HMENU hMenu) {
    if (m_owned)
        DestroyMenu();
    if (m_hMenu != hMenu)
        m_subMenus.clear();
    m_hMenu = hMenu;
    m_owned = false;
}

int CMenu::GetMenuItemCount() const {
    return m_hMenu != nullptr ? static_cast<int>(m_hMenu->actions().size()) : -1;
}

UINT CMenu::GetMenuItemID(int nPos) const {
    const QAction* action = ActionAt(m_hMenu, nPos);
    if (action == nullptr || action->isSeparator())
        return 0;
    if (action->menu() != nullptr)
        return static_cast<UINT>(-1);
    return CommandIdOf(action);
}

CMenu* CMenu::GetSubMenu(int nPos) {
    const QAction* action = ActionAt(m_hMenu, nPos);
    QMenu* sub = action != nullptr ? action->menu() : nullptr;
    if (sub == nullptr)
        return nullptr;
    for (const auto& known : m_subMenus) {
        if (known->m_hMenu == sub)
            return known.get();
    }
    m_subMenus.push_back(std::make_unique<CMenu>());
    m_subMenus.back()->Borrow(sub);
    return m_subMenus.back().get();
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const {
    const QAction* action = ItemOf(m_hMenu, nIDItem, nFlags);
    rString = CString(action != nullptr ? action->text().toStdString() : std::string());
    return rString.GetLength();
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const {
    const QAction* action = ItemOf(m_hMenu, nID, nFlags);
    if (action == nullptr)
        return 0xFFFFFFFF;
    if (action->isSeparator())
        return MF_SEPARATOR;
    UINT state = action->menu() != nullptr ? MF_POPUP : 0;
    if (!action->isEnabled())
        state |= MF_GRAYED;
    if (action->isCheckable() && action->isChecked())
        state |= MF_CHECKED | MFT_RADIOCHECK;
    return state;
}
