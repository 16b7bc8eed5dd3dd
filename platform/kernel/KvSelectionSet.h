#pragma once

#include "KvPlatformExport.h"
#include "drawing/KvDatabase.h"

#include <QVector>
#include <memory>

class CKvDocument;

// A selection set of a document's entities, in the order they were selected.
class KVPLATFORM_EXPORT CKvSelectionSet
{
public:
    explicit CKvSelectionSet(CKvDocument* document);
    ~CKvSelectionSet();
    CKvSelectionSet(const CKvSelectionSet&) = delete;
    CKvSelectionSet& operator=(const CKvSelectionSet&) = delete;

    CKvDocument* document() const { return m_document; }

    int Count() const { return m_ids.size(); }
    // The object id at index (a null id out of range).
    OdDbObjectId GetObjectId(int index) const;
    bool Contains(const OdDbObjectId& id) const { return m_ids.contains(id); }
    const QVector<OdDbObjectId>& ids() const { return m_ids; }

    // Adds an entity once (false when it was there already or the id is null).
    bool Add(const OdDbObjectId& id);
    bool Remove(const OdDbObjectId& id);
    void Clear() { m_ids.clear(); }

    // Ends an interactive selection: the set becomes the document's previous selection
    // (what "P" selects next time) and, with highlight, is shown selected.
    void PostPick(bool highlight);
    bool highlighted() const { return m_highlighted; }

private:
    CKvDocument* m_document;
    QVector<OdDbObjectId> m_ids;
    bool m_highlighted = false;
};

// Selection sets are shared between the document (which keeps named ones for the LISP
// engine) and whoever is working on them.
using CKvSelectionSetPtr = std::shared_ptr<CKvSelectionSet>;
