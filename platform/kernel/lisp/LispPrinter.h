#pragma once

#include "LispValue.h"

namespace kvlisp {

// Text of a real as LISP prints it: up to 6 significant digits, always with a decimal point.
QString formatReal(double v);
// A string in double quotes with the reader's escapes, so that reading it gives it back.
QString quoteString(const QString& s);
// The printed form of a value. escape: strings quoted (prin1, print, results); otherwise
// strings appear as they are (princ). Output longer than maxChars ends in "...".
QString printValue(const Ref& v, bool escape, int maxChars = 1 << 24);

} // namespace kvlisp
