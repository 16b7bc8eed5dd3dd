#include "input/InputSupport.h"

#include "kernel/KvAPI.h"
#include "kernel/KvDocument.h"
#include "kernel/KvLispContext.h"
#include "kernel/KvSelectionSet.h"
#include "kernel/KvUserIO.h"
#include "module/HostServices.h"

namespace InputSupport {

bool activeHost(Host& host)
{
    host.document = HostServices::activeDocument();
    host.context = host.document ? host.document->GetLispContext() : nullptr;
    host.userIO = host.document ? host.document->GetUserIO() : nullptr;
    return host.document && host.context && host.userIO;
}

CKvStringArray splitKeywords(const CKvString& text)
{
    if (text.isEmpty())
        return {};
    return text.Split(QLatin1Char(','));
}

bool appendEntityName(CKvLispContext* context, kv_resbuf** chain, const OdDbObjectId& id)
{
    int64_t name[2] = {0, 0};
    if (CKvAPI::GetADSName(id, name) != kvrt::Normal)
        return false;
    return context->AppendEntityName(chain, name) != nullptr;
}

void returnEntityList(CKvLispContext* context, const CKvSelectionSet& set)
{
    kv_resbuf* list = nullptr;
    context->AppendValue(&list, kvrt::ListBegin);
    for (int i = 0; i < set.Count(); ++i)
        appendEntityName(context, &list, set.GetObjectId(i));
    // Closed explicitly, so that the chain reads as one list wherever it is handed on.
    context->AppendValue(&list, kvrt::ListEnd);
    context->ReturnList(list);
    context->ReleaseChain(list);
}

} // namespace InputSupport
