#pragma once

#include "KvPlatformExport.h"
#include "drawing/KvDatabase.h"
#include "kernel/KvString.h"

#include <QObject>
#include <QVector>
#include <memory>

class CKvDatabase;
class CKvLispContext;
class CKvUserIO;
class CKvSelectionSet;
class CKvInputSource;

// One open drawing: its database, its LISP context and its user-input service.
class KVPLATFORM_EXPORT CKvDocument
{
public:
    explicit CKvDocument(const CKvString& title);
    ~CKvDocument();
    CKvDocument(const CKvDocument&) = delete;
    CKvDocument& operator=(const CKvDocument&) = delete;

    CKvString GetTitle() const { return m_title; }
    void SetTitle(const CKvString& title) { m_title = title; }
    // The drawing file the document was opened from (empty for a new drawing).
    CKvString GetFileName() const;

    CKvLispContext* GetLispContext() const { return m_lisp.get(); }
    CKvUserIO* GetUserIO() const { return m_userIO.get(); }
    CKvDatabase* GetKvDatabase() const { return m_database.get(); }
    // Replaces the document's drawing (the host opening a file into it).
    void SetDatabase(std::unique_ptr<CKvDatabase> database);
    // A new, empty selection set of this document; the caller owns it.
    CKvSelectionSet* NewSelectionSet();

    // User coordinate system: a plain offset of the world origin.
    void SetUcsOrigin(double x, double y, double z);
    const double* UcsOrigin() const { return m_ucsOrigin; }

    // Where the user-input service takes its answers from; null: the host's default source.
    void SetInputSource(CKvInputSource* source) { m_inputSource = source; }
    CKvInputSource* InputSource() const { return m_inputSource; }

    // Selection sets the LISP engine holds by name. KeepSelectionSet stores the set and gives
    // its name; only the newest sets are kept, as a host limits the sets open at a time.
    static constexpr int kMaxNamedSelectionSets = 128;
    void KeepSelectionSet(const std::shared_ptr<CKvSelectionSet>& set, int64_t name[2]);
    std::shared_ptr<CKvSelectionSet> FindSelectionSet(const int64_t name[2]) const;
    // The entities of the last finished interactive selection (what "Previous" selects).
    void SetPreviousSelection(const QVector<OdDbObjectId>& ids) { m_previousSelection = ids; }
    QVector<OdDbObjectId> PreviousSelection() const { return m_previousSelection; }
    // The last point entered at a prompt (world), the base of "@" input without a base point.
    void SetLastPoint(const double point[3]);
    const double* LastPoint() const { return m_lastPoint; }

private:
    CKvString m_title;
    std::unique_ptr<CKvDatabase> m_database;
    std::unique_ptr<CKvLispContext> m_lisp;
    std::unique_ptr<CKvUserIO> m_userIO;
    double m_ucsOrigin[3] = {0, 0, 0};
    CKvInputSource* m_inputSource = nullptr;
    QVector<QPair<int64_t, std::shared_ptr<CKvSelectionSet>>> m_namedSets;
    QVector<OdDbObjectId> m_previousSelection;
    double m_lastPoint[3] = {0, 0, 0};
};

// Receives the document manager's notifications; every notification does nothing unless overridden.
class KVPLATFORM_EXPORT CKvDocumentManagerReactor
{
public:
    virtual ~CKvDocumentManagerReactor();
    virtual void DatabaseAttached(CKvDocument* document);
    virtual void DatabaseDetached(CKvDocument* document);
    virtual void DocumentToBeActivated(CKvDocument* document);
    virtual void DocumentCreated(CKvDocument* document);
    virtual void DocumentToBeDestroyed(CKvDocument* document);
    virtual void DocumentBecameCurrent(CKvDocument* document);
};

// The open documents, the active one, and the reactors told about their comings and goings.
class KVPLATFORM_EXPORT CKvDocumentManager : public QObject
{
    Q_OBJECT
public:
    CKvDocumentManager();
    ~CKvDocumentManager() override;

    void AddReactor(CKvDocumentManagerReactor* reactor);
    void RemoveReactor(CKvDocumentManagerReactor* reactor);
    int ReactorCount() const { return m_reactors.size(); }

    short DocumentCount() const;
    CKvDocument* GetDocument(short index) const;
    CKvDocument* ActiveDocument() const { return m_active; }
    int IndexOf(const CKvDocument* document) const;

    // Host side: a new document (created, attached, activated) and closing one.
    CKvDocument* NewDocument(const CKvString& title);
    CKvDocument* OpenDocument(const CKvString& path, QString* error = nullptr);
    void CloseDocument(CKvDocument* document);
    void CloseAll();
    void ActivateDocument(CKvDocument* document);

signals:
    void documentAdded(CKvDocument* document);
    void documentRemoved(CKvDocument* document);
    void activeDocumentChanged(CKvDocument* document);

private:
    template <typename F> void notify(F f);
    void attach(CKvDocument* document);

    QVector<CKvDocument*> m_documents;
    QVector<CKvDocumentManagerReactor*> m_reactors;
    CKvDocument* m_active = nullptr;
};
