#include "exchange/BlockNames.h"

#include "drawing/KvDatabase.h"
#include "kernel/KvDocument.h"
#include "module/HostServices.h"

QStringList kvOfferedBlockNames(const CKvDatabase* database)
{
    QStringList names;
    if (!database)
        return names;
    for (const auto& record : database->blockTable()) {
        if (record && !record->isErased() && !record->name.startsWith(QLatin1Char('*')))
            names.append(record->name);
    }
    return names;
}

QStringList kvOfferedBlockNames()
{
    CKvDocument* document = HostServices::activeDocument();
    return kvOfferedBlockNames(document ? document->GetKvDatabase() : nullptr);
}
