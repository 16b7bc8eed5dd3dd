#include "module/HostServices.h"

#include "drawing/KvDatabase.h"
#include "kernel/KvDocument.h"
#include "kernel/KvLispContext.h"
#include "kernel/KvSystemServices.h"

CKvDocument* HostServices::activeDocument()
{
    return ACTIVE_DOCUMENT();
}

CKvLispContext* HostServices::activeLispContext()
{
    CKvDocument* document = ACTIVE_DOCUMENT();
    return document ? document->GetLispContext() : nullptr;
}

QWidget* HostServices::mainWindow()
{
    CKvSystemServices* services = GetKvSystemServices();
    return services ? services->GetMainWindow() : nullptr;
}

QString HostServices::systemVariable(const QString& name)
{
    CKvLispContext* context = activeLispContext();
    if (!context)
        return QString();
    kv_resbuf* node = context->NewNode(kvrt::Nil);
    QString value;
    if (node && context->GetSystemVariable(name, node) == kvrt::Normal && node->restype == kvrt::String
        && node->resval.rstring)
        value = QString::fromUtf16(node->resval.rstring);
    context->ReleaseChain(node);
    return value;
}

QString HostServices::helpFileName()
{
    CKvSystemServices* services = GetKvSystemServices();
    return services ? services->GetSettings()->GetHelpFileName() : QString();
}

QStringList HostServices::supportFolders()
{
    CKvSystemServices* services = GetKvSystemServices();
    return services ? services->GetSettings()->GetSupportFolders() : QStringList();
}

QString HostServices::userFolder()
{
    CKvSystemServices* services = GetKvSystemServices();
    return services ? services->GetSettings()->GetUserFolder() : QString();
}

QString HostServices::aliasFolder()
{
    CKvSystemServices* services = GetKvSystemServices();
    return services ? services->GetSettings()->GetAliasFolder() : QString();
}

QString HostServices::joinPath(const QString& folder, const QString& name)
{
    if (folder.isEmpty())
        return name;
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

namespace {
CKvDatabase* drawingOf(CKvDocument* document)
{
    if (!document)
        document = ACTIVE_DOCUMENT();
    return document ? document->GetKvDatabase() : nullptr;
}
} // namespace

bool HostServices::drawingSetting(CKvDocument* document, const QString& name, short* value)
{
    CKvDatabase* database = drawingOf(document);
    return database && database->getSysVarInt16(name, value);
}

bool HostServices::setDrawingSetting(CKvDocument* document, const QString& name, short value)
{
    CKvDatabase* database = drawingOf(document);
    return database && database->setSysVarInt16(name, value);
}
