#pragma once

#include "KvPlatformExport.h"
#include "kernel/KvResbuf.h"
#include "kernel/KvString.h"

#include <QImage>
#include <QSize>
#include <QStringList>
#include <functional>
#include <memory>

class QWidget;
class CKvDocument;
class CKvDocumentManager;
class CKvDatabase;
class OdDbObjectId;

// The host's application settings: help file, folders and a store of values by section and name.
class KVPLATFORM_EXPORT CKvAppSettings
{
public:
    CKvAppSettings(const QString& userFolder, const QStringList& supportFolders, const QString& helpFile);

    CKvString GetHelpFileName() const { return m_helpFile; }
    void SetHelpFileName(const QString& file) { m_helpFile = file; }
    QStringList GetSupportFolders() const { return m_supportFolders; }
    void SetSupportFolders(const QStringList& folders) { m_supportFolders = folders; }
    // The user's own folder of the host (settings, logs); ends without a separator.
    CKvString GetUserFolder() const { return m_userFolder; }
    // The folder of the host's log files, the value of LOGFILEPATH: <user folder>/log/, ending
    // with a separator so that file names can be appended to it directly.
    CKvString GetLogFilePath() const { return m_userFolder + QStringLiteral("/log/"); }
    // The folder that holds the command alias file (alias.xml), without a trailing separator;
    // the user folder unless the host sets another.
    CKvString GetAliasFolder() const { return m_aliasFolder.isEmpty() ? m_userFolder : m_aliasFolder; }
    void SetAliasFolder(const QString& folder);

    // The settings store, kept in a file under the user folder. Value types: 4 string,
    // 1 integer, 2 real. ReadValue fills *out (string values allocated, free with
    // kvFreeChain when out came from kvNewNode) and returns Normal or Error when absent.
    int ReadValue(const CKvString& section, const CKvString& name, int type, kv_resbuf* out) const;
    int WriteValue(const CKvString& section, const CKvString& name, const kv_resbuf* value);
    QString storeFile() const;

private:
    QString m_userFolder;
    QString m_aliasFolder;
    QStringList m_supportFolders;
    QString m_helpFile;
};

// Draws a record of a database (a block with its nested inserts) into an image.
class KVPLATFORM_EXPORT CKvPreviewRenderer
{
public:
    virtual ~CKvPreviewRenderer();
    virtual QImage Render(CKvDatabase* database, const QVector<OdDbObjectId>& drawables, const QSize& size);
};

// Everything the host offers to modules: main window, documents, settings, preview renderer.
class KVPLATFORM_EXPORT CKvSystemServices
{
public:
    struct Options
    {
        QString userFolder;          // required; created when missing
        QStringList supportFolders;  // may be empty
        QString helpFile = QStringLiteral("kvhost.chm");
        QString aliasFolder;         // empty: the user folder
        bool withDocumentManager = true;
    };

    // The host creates its services once; GetKvSystemServices() finds them afterwards.
    static CKvSystemServices* Create(const Options& options);
    static void Destroy();

    QWidget* GetMainWindow() const { return m_mainWindow; }
    void SetMainWindow(QWidget* window) { m_mainWindow = window; }
    CKvDocumentManager* GetDocumentManager() const { return m_documents.get(); }
    CKvAppSettings* GetSettings() const { return m_settings.get(); }
    CKvPreviewRenderer* GetPreviewRenderer() const { return m_renderer.get(); }

private:
    explicit CKvSystemServices(const Options& options);
    ~CKvSystemServices();

    QWidget* m_mainWindow = nullptr;
    std::unique_ptr<CKvDocumentManager> m_documents;
    std::unique_ptr<CKvAppSettings> m_settings;
    std::unique_ptr<CKvPreviewRenderer> m_renderer;
};

// The host's services, or null when the host has none.
KVPLATFORM_EXPORT CKvSystemServices* GetKvSystemServices();
// The active document, or null.
KVPLATFORM_EXPORT CKvDocument* ACTIVE_DOCUMENT();

// The host's help viewer. Every call is recorded so that a caller can see what was asked.
class KVPLATFORM_EXPORT CKvHelp
{
public:
    struct Call
    {
        QString file;
        int id = -1;
        QWidget* parent = nullptr;
        int flag = 0;
    };
    static void Help(const CKvString& file, int id, QWidget* parent, int flag);
    static QVector<Call> Calls();
    static void ClearCalls();
    // The host shows the user which topic was asked for.
    static void SetListener(std::function<void(const Call&)> listener);
};

// The host's custom-block utility; may be absent (Get() returns null).
class KVPLATFORM_EXPORT CKvCustBlockUtils
{
public:
    static CKvCustBlockUtils* Get();
    // Hosts and tests choose whether the utility exists and what it answers.
    static void SetAvailable(bool available, bool answer = false);
    // The yes/no query on the active document with a block name.
    bool IsCustomBlockMode(CKvDocument* document, const CKvString& name) const;
};
