#include "shell/platform/document.h"

#include "shell/platform/app.h"
#include "shell/platform/frame.h"

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                                       const CRuntimeClass* pFrameClass,
                                       const CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource),
      m_pDocClass(pDocClass),
      m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass) {}

CSingleDocTemplate::~CSingleDocTemplate() = default;

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR lpszPathName) {
    // There are no document files: every document starts new.
    (void)lpszPathName;
    if (m_pDocClass == nullptr || m_pFrameClass == nullptr)
        return nullptr;

    CObject* documentObject = m_pDocClass->CreateObject();
    auto* document = dynamic_cast<CDocument*>(documentObject);
    if (document == nullptr) {
        delete documentObject;
        return nullptr;
    }
    if (!document->OnNewDocument()) {
        delete document;
        return nullptr;
    }

    CObject* frameObject = m_pFrameClass->CreateObject();
    auto* frame = dynamic_cast<CFrameWnd*>(frameObject);
    if (frame == nullptr) {
        delete frameObject;
        delete document;
        return nullptr;
    }
    if (!frame->LoadFrame(m_nIDResource, m_pViewClass, document)) {
        delete frame;
        delete document;
        return nullptr;
    }

    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == nullptr)
        app->m_pMainWnd = frame;
    frame->ActivateFrame(SW_SHOW);
    return document;
}
