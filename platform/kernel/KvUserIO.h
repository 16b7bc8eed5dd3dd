#pragma once

#include "KvPlatformExport.h"
#include "kernel/KvString.h"

class CKvDocument;

// The user-input service of a document: keyword set-up, messages, prompt composition and
// the prompts themselves, answered from the host's input source.
class KVPLATFORM_EXPORT CKvUserIO
{
public:
    explicit CKvUserIO(CKvDocument* document);
    ~CKvUserIO();

    CKvDocument* document() const { return m_document; }

private:
    CKvDocument* m_document;
};
