#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

class CKvDocument;
class CKvDocumentManager;
class CKvSystemServices;
class QWidget;

// A fresh host for one test: services with private user and support folders, a main
// window and the requested number of open documents. Destroyed with everything it made.
class PlatformFixture
{
public:
    explicit PlatformFixture(int documents = 1, bool withMainWindow = true);
    ~PlatformFixture();
    PlatformFixture(const PlatformFixture&) = delete;
    PlatformFixture& operator=(const PlatformFixture&) = delete;

    CKvSystemServices* services() const;
    CKvDocumentManager* documents() const;
    CKvDocument* document(int index) const;
    CKvDocument* newDocument(const QString& title = QString());
    QWidget* mainWindow() const { return m_mainWindow.get(); }

    QString folder() const { return m_dir.path(); }
    QString userFolder() const;
    QString supportFolder() const;
    // The value of LOGFILEPATH (ends with a separator).
    QString logFilePath() const;
    // A path inside the fixture's folder.
    QString path(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QWidget> m_mainWindow;
    int m_counter = 0;
};
