#pragma once

#include "KvPlatformExport.h"

class CKvDocument;

// A selection set of a document's entities.
class KVPLATFORM_EXPORT CKvSelectionSet
{
public:
    explicit CKvSelectionSet(CKvDocument* document);
    ~CKvSelectionSet();

    CKvDocument* document() const { return m_document; }

private:
    CKvDocument* m_document;
};
