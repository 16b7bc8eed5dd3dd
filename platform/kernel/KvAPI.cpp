#include "kernel/KvAPI.h"

#include "kernel/KvDocument.h"
#include "kernel/KvSystemServices.h"

namespace {
template <typename F>
bool forEachDocument(F f)
{
    CKvSystemServices* services = GetKvSystemServices();
    CKvDocumentManager* manager = services ? services->GetDocumentManager() : nullptr;
    if (!manager)
        return false;
    for (short i = 0; i < manager->DocumentCount(); ++i)
        if (CKvDocument* document = manager->GetDocument(i))
            if (f(document))
                return true;
    return false;
}
} // namespace

int CKvAPI::GetADSName(const OdDbObjectId& id, int64_t name[2])
{
    if (!name)
        return kvrt::Error;
    name[0] = name[1] = 0;
    if (id.isNull() || !id.openObject())
        return kvrt::Error;
    name[0] = static_cast<int64_t>(id.handle());
    name[1] = static_cast<int64_t>(reinterpret_cast<std::uintptr_t>(id.database()));
    return kvrt::Normal;
}

int CKvAPI::GetObjectId(const int64_t name[2], OdDbObjectId& id)
{
    id = OdDbObjectId();
    if (!name || name[0] <= 0 || name[1] == 0)
        return kvrt::Error;
    // The database word is compared, never dereferenced, until it matches an open drawing.
    forEachDocument([&](CKvDocument* document) {
        CKvDatabase* database = document->GetKvDatabase();
        if (!database || static_cast<int64_t>(reinterpret_cast<std::uintptr_t>(database)) != name[1])
            return false;
        const auto* entity = dynamic_cast<const OdDbEntity*>(database->getObject(static_cast<std::uint64_t>(name[0])));
        if (entity && !entity->isErased())
            id = entity->objectId();
        return true;
    });
    return id.isNull() ? kvrt::Error : kvrt::Normal;
}

int CKvAPI::GetSSPtr(const int64_t name[2], CKvSelectionSetPtr& set)
{
    set.reset();
    if (!name)
        return kvrt::Error;
    forEachDocument([&](CKvDocument* document) {
        set = document->FindSelectionSet(name);
        return set != nullptr;
    });
    return set ? kvrt::Normal : kvrt::Error;
}
