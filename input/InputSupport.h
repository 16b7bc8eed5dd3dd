#pragma once

#include "kernel/KvResbuf.h"
#include "kernel/KvString.h"

class CKvDocument;
class CKvLispContext;
class CKvSelectionSet;
class CKvUserIO;
class OdDbObjectId;

// What the input functions share: the active document's services, keyword lists and
// entity names in result lists.
namespace InputSupport {

// The active document's services, all present, or false.
struct Host
{
    CKvDocument* document = nullptr;
    CKvLispContext* context = nullptr;
    CKvUserIO* userIO = nullptr;
};
bool activeHost(Host& host);

// A comma-separated keyword text as a list, every part kept (two commas in a row give an
// empty keyword). An empty text gives no keywords.
CKvStringArray splitKeywords(const CKvString& text);

// Appends the entity name of an object id to a chain; false when the id has no name.
bool appendEntityName(CKvLispContext* context, kv_resbuf** chain, const OdDbObjectId& id);
// Returns every entity of the set, in index order, as a list of entity names.
void returnEntityList(CKvLispContext* context, const CKvSelectionSet& set);

} // namespace InputSupport
