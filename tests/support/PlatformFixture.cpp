#include "PlatformFixture.h"

#include "kernel/KvDocument.h"
#include "kernel/KvSystemServices.h"

#include <QDir>
#include <QWidget>

PlatformFixture::PlatformFixture(int documents, bool withMainWindow)
{
    QDir(m_dir.path()).mkpath(QStringLiteral("user"));
    QDir(m_dir.path()).mkpath(QStringLiteral("support"));
    CKvSystemServices::Options options;
    options.userFolder = userFolder();
    options.supportFolders = QStringList{supportFolder()};
    options.helpFile = QStringLiteral("kvhost-help.qch");
    CKvSystemServices* services = CKvSystemServices::Create(options);
    if (withMainWindow) {
        m_mainWindow = std::make_unique<QWidget>();
        m_mainWindow->setObjectName(QStringLiteral("kvhostMainWindow"));
        services->SetMainWindow(m_mainWindow.get());
    }
    CKvHelp::ClearCalls();
    for (int i = 0; i < documents; ++i)
        newDocument();
}

PlatformFixture::~PlatformFixture()
{
    CKvSystemServices::Destroy();
    m_mainWindow.reset();
}

CKvSystemServices* PlatformFixture::services() const
{
    return GetKvSystemServices();
}

CKvDocumentManager* PlatformFixture::documents() const
{
    return services() ? services()->GetDocumentManager() : nullptr;
}

CKvDocument* PlatformFixture::document(int index) const
{
    return documents() ? documents()->GetDocument(short(index)) : nullptr;
}

CKvDocument* PlatformFixture::newDocument(const QString& title)
{
    ++m_counter;
    return documents()->NewDocument(title.isEmpty() ? QStringLiteral("Drawing%1.dwg").arg(m_counter) : title);
}

QString PlatformFixture::userFolder() const
{
    return m_dir.filePath(QStringLiteral("user"));
}

QString PlatformFixture::supportFolder() const
{
    return m_dir.filePath(QStringLiteral("support"));
}

QString PlatformFixture::logFilePath() const
{
    return userFolder() + QStringLiteral("/log/");
}
