#include "shell/platform/cmdtarget.h"

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{AfxEntryKind::End, 0, nullptr, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, &entries[0]};
    return &messageMap;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    return DispatchOwnMap(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CCmdTarget::DispatchOwnMap(UINT nID, int nCode, void* pExtra,
                                AFX_CMDHANDLERINFO* pHandlerInfo) {
    AfxEntryKind wanted;
    if (nCode == CN_UPDATE_COMMAND_UI) {
        wanted = AfxEntryKind::Update;
    } else if (nCode == static_cast<int>(BN_DOUBLECLICKED)) {
        wanted = AfxEntryKind::DoubleClicked;
    } else if (nCode == CN_COMMAND) {
        wanted = AfxEntryKind::Command;
    } else {
        return FALSE;
    }
    // The most derived class's map comes first, so its entry wins over a base's.
    for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->kind != AfxEntryKind::End;
             ++entry) {
            if (entry->kind != wanted || entry->nID != nID)
                continue;
            if (pHandlerInfo != nullptr) {
                pHandlerInfo->pTarget = this;
                return TRUE;
            }
            if (wanted == AfxEntryKind::Update) {
                auto* pCmdUI = static_cast<CCmdUI*>(pExtra);
                if (pCmdUI == nullptr)
                    return FALSE;
                pCmdUI->m_bHandled = TRUE;
                (this->*entry->pfnUpdate)(pCmdUI);
            } else {
                (this->*entry->pfn)();
            }
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler) {
    if (pTarget == nullptr)
        return FALSE;
    m_bHandled = FALSE;
    pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (m_bHandled)
        return TRUE;
    if (bDisableIfNoHandler) {
        AFX_CMDHANDLERINFO info;
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return FALSE;
}
