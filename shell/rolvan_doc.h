#pragma once

#include "shell/platform/afxwin.h"

// The single-document arrangement needs a document; the game keeps nothing in it, so
// it is never modified and the framework never asks to save it.
class CRolvanDoc : public CDocument {
public:
    BOOL OnNewDocument() override { return CDocument::OnNewDocument(); }
    void Serialize(CArchive&) override {}
};
