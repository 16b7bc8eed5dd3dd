#pragma once

#include <QStringList>

class CKvDatabase;

// The blocks of a drawing a person may choose from: named block records in table order,
// erased ones and those whose names begin with "*" (model space, paper spaces, anonymous
// blocks) left out.
QStringList kvOfferedBlockNames(const CKvDatabase* database);
// The same for the active document's drawing (empty without one).
QStringList kvOfferedBlockNames();
