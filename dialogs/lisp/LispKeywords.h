#pragma once

#include <QStringList>

// The names the LISP highlighter colours as known functions: the engine's built-in functions and
// the common utility-library functions, in one list shared by every highlighter. It ends with
// an empty entry (the source text ends in a blank); an empty name never colours anything.
const QStringList& lispKeywords();
