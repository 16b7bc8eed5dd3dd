#include "module/HostServices.h"

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
