#include "kernel/KvDocument.h"

#include "drawing/KvDatabase.h"
#include "kernel/KvLispContext.h"
#include "kernel/KvSelectionSet.h"
#include "kernel/KvUserIO.h"

#include <QFileInfo>

CKvDocument::CKvDocument(const CKvString& title)
    : m_title(title),
      m_database(std::make_unique<CKvDatabase>()),
      m_lisp(std::make_unique<CKvLispContext>(this)),
      m_userIO(std::make_unique<CKvUserIO>(this))
{
}

CKvDocument::~CKvDocument() = default;

CKvString CKvDocument::GetFileName() const
{
    return m_database ? m_database->fileName() : CKvString();
}

void CKvDocument::SetDatabase(std::unique_ptr<CKvDatabase> database)
{
    if (database)
        m_database = std::move(database);
}

CKvSelectionSet* CKvDocument::NewSelectionSet()
{
    return new CKvSelectionSet(this);
}

void CKvDocument::SetUcsOrigin(double x, double y, double z)
{
    m_ucsOrigin[0] = x;
    m_ucsOrigin[1] = y;
    m_ucsOrigin[2] = z;
}

void CKvDocument::SetLastPoint(const double point[3])
{
    for (int i = 0; i < 3; ++i)
        m_lastPoint[i] = point[i];
}

namespace {
// Selection-set names are unique in the process, so that a name never finds another
// document's set.
int64_t g_nextSelectionSetName = 1;
} // namespace

void CKvDocument::KeepSelectionSet(const std::shared_ptr<CKvSelectionSet>& set, int64_t name[2])
{
    name[0] = name[1] = 0;
    if (!set)
        return;
    name[0] = g_nextSelectionSetName++;
    m_namedSets.append(qMakePair(name[0], set));
    while (m_namedSets.size() > kMaxNamedSelectionSets)
        m_namedSets.removeFirst();
}

std::shared_ptr<CKvSelectionSet> CKvDocument::FindSelectionSet(const int64_t name[2]) const
{
    if (!name || name[1] != 0)
        return nullptr;
    for (const auto& entry : m_namedSets)
        if (entry.first == name[0])
            return entry.second;
    return nullptr;
}

// --- Reactor: the base does nothing.

CKvDocumentManagerReactor::~CKvDocumentManagerReactor() = default;
void CKvDocumentManagerReactor::DatabaseAttached(CKvDocument*) {}
void CKvDocumentManagerReactor::DatabaseDetached(CKvDocument*) {}
void CKvDocumentManagerReactor::DocumentToBeActivated(CKvDocument*) {}
void CKvDocumentManagerReactor::DocumentCreated(CKvDocument*) {}
void CKvDocumentManagerReactor::DocumentToBeDestroyed(CKvDocument*) {}
void CKvDocumentManagerReactor::DocumentBecameCurrent(CKvDocument*) {}

// --- Document manager

CKvDocumentManager::CKvDocumentManager() = default;

CKvDocumentManager::~CKvDocumentManager()
{
    qDeleteAll(m_documents);
}

void CKvDocumentManager::AddReactor(CKvDocumentManagerReactor* reactor)
{
    if (reactor && !m_reactors.contains(reactor))
        m_reactors.append(reactor);
}

void CKvDocumentManager::RemoveReactor(CKvDocumentManagerReactor* reactor)
{
    m_reactors.removeAll(reactor);
}

template <typename F>
void CKvDocumentManager::notify(F f)
{
    // A reactor may remove itself while being told; work on a copy.
    const auto reactors = m_reactors;
    for (CKvDocumentManagerReactor* r : reactors)
        if (m_reactors.contains(r))
            f(r);
}

short CKvDocumentManager::DocumentCount() const
{
    return short(qMin(m_documents.size(), 32767));
}

CKvDocument* CKvDocumentManager::GetDocument(short index) const
{
    return (index >= 0 && index < m_documents.size()) ? m_documents.at(index) : nullptr;
}

int CKvDocumentManager::IndexOf(const CKvDocument* document) const
{
    for (int i = 0; i < m_documents.size(); ++i)
        if (m_documents.at(i) == document)
            return i;
    return -1;
}

void CKvDocumentManager::attach(CKvDocument* document)
{
    m_documents.append(document);
    notify([document](CKvDocumentManagerReactor* r) { r->DocumentCreated(document); });
    emit documentAdded(document);
    ActivateDocument(document);
    notify([document](CKvDocumentManagerReactor* r) { r->DatabaseAttached(document); });
}

CKvDocument* CKvDocumentManager::NewDocument(const CKvString& title)
{
    auto* document = new CKvDocument(title);
    attach(document);
    return document;
}

CKvDocument* CKvDocumentManager::OpenDocument(const CKvString& path, QString* error)
{
    auto database = std::make_unique<CKvDatabase>();
    if (!database->LoadFile(path)) {
        if (error)
            *error = database->lastError();
        return nullptr;
    }
    auto* document = new CKvDocument(QFileInfo(path).fileName());
    document->SetDatabase(std::move(database));
    attach(document);
    return document;
}

void CKvDocumentManager::ActivateDocument(CKvDocument* document)
{
    if (document == m_active || (document && !m_documents.contains(document)))
        return;
    if (document)
        notify([document](CKvDocumentManagerReactor* r) { r->DocumentToBeActivated(document); });
    m_active = document;
    if (document)
        notify([document](CKvDocumentManagerReactor* r) { r->DocumentBecameCurrent(document); });
    emit activeDocumentChanged(document);
}

void CKvDocumentManager::CloseDocument(CKvDocument* document)
{
    const int index = m_documents.indexOf(document);
    if (index < 0)
        return;
    notify([document](CKvDocumentManagerReactor* r) { r->DatabaseDetached(document); });
    notify([document](CKvDocumentManagerReactor* r) { r->DocumentToBeDestroyed(document); });
    m_documents.removeAt(index);
    emit documentRemoved(document);
    if (m_active == document) {
        m_active = nullptr;
        ActivateDocument(m_documents.isEmpty() ? nullptr : m_documents.at(qMin(index, m_documents.size() - 1)));
        if (m_documents.isEmpty())
            emit activeDocumentChanged(nullptr);
    }
    delete document;
}

void CKvDocumentManager::CloseAll()
{
    while (!m_documents.isEmpty())
        CloseDocument(m_documents.last());
}
