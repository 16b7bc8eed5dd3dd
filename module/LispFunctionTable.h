#pragma once

#include "kernel/KvLispContext.h"

class CKvDocument;

// One entry of the module's LISP function table: the LISP name and its handler.
struct LispFunctionEntry
{
    const char* name;
    KvLispFunction handler;
};

namespace LispFunctionTable {
constexpr int Count = 43;
// The table in definition order (also the order of undefinition).
const LispFunctionEntry* entries();
// Defines / undefines every function of the table in the document's LISP context.
void defineAll(CKvDocument* document);
void undefineAll(CKvDocument* document);
} // namespace LispFunctionTable
