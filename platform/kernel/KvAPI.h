#pragma once

#include "KvPlatformExport.h"
#include "drawing/KvDatabase.h"
#include "kernel/KvSelectionSet.h"

#include <cstdint>

// Conversions between the drawing's object ids and the names the LISP engine uses for
// entities and selection sets. An entity name is the entity's handle and the address of its
// database; a name is only believed when that database belongs to an open document, so a
// stale or made-up name gives an error status and never touches memory.
class KVPLATFORM_EXPORT CKvAPI
{
public:
    // Normal, or Error for a null id or an object that is gone.
    static int GetADSName(const OdDbObjectId& id, int64_t name[2]);
    // Normal with the id of a live entity, or Error (id null) for any other name.
    static int GetObjectId(const int64_t name[2], OdDbObjectId& id);
    // Normal with the selection set of that name, or Error (set null).
    static int GetSSPtr(const int64_t name[2], CKvSelectionSetPtr& set);
};
