#pragma once

// The document and the single-document template that creates document, frame and view
// together.

#include <memory>

#include "shell/platform/cmdtarget.h"
#include "shell/platform/windef.h"

class CArchive;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
public:
    CDocument() = default;
    ~CDocument() override = default;

    virtual BOOL OnNewDocument() { return TRUE; }
    // The program stores nothing in documents.
    virtual void Serialize(CArchive& ar) { (void)ar; }
};

class CDocTemplate : public CObject {
public:
    // Creates a new document with its frame and view and shows the frame; the first
    // frame becomes the application's main window. Null on failure.
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName) = 0;
};

class CSingleDocTemplate : public CDocTemplate {
public:
    // nIDResource names the menu, icon and document string of the frame.
    CSingleDocTemplate(UINT nIDResource, const CRuntimeClass* pDocClass,
                       const CRuntimeClass* pFrameClass, const CRuntimeClass* pViewClass);
    ~CSingleDocTemplate() override;

    CDocument* OpenDocumentFile(LPCTSTR lpszPathName) override;

    UINT GetResourceID() const { return m_nIDResource; }

private:
    UINT m_nIDResource;
    const CRuntimeClass* m_pDocClass;
    const CRuntimeClass* m_pFrameClass;
    const CRuntimeClass* m_pViewClass;
};
