#include "kernel/KvSelectionSet.h"

#include "kernel/KvDocument.h"

CKvSelectionSet::CKvSelectionSet(CKvDocument* document) : m_document(document) {}
CKvSelectionSet::~CKvSelectionSet() = default;

OdDbObjectId CKvSelectionSet::GetObjectId(int index) const
{
    return (index >= 0 && index < m_ids.size()) ? m_ids.at(index) : OdDbObjectId();
}

bool CKvSelectionSet::Add(const OdDbObjectId& id)
{
    if (id.isNull() || m_ids.contains(id))
        return false;
    m_ids.append(id);
    return true;
}

bool CKvSelectionSet::Remove(const OdDbObjectId& id)
{
    return m_ids.removeAll(id) > 0;
}

void CKvSelectionSet::PostPick(bool highlight)
{
    m_highlighted = highlight;
    if (m_document)
        m_document->SetPreviousSelection(m_ids);
}
