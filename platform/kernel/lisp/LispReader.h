#pragma once

#include "LispValue.h"

namespace kvlisp {

// Turns LISP source text into values, one top-level form at a time. Works without
// recursion, so nesting is limited by maxDepth and never by the stack.
class Reader
{
public:
    static constexpr int DefaultMaxDepth = 10000;

    explicit Reader(const QString& source, int maxDepth = DefaultMaxDepth);

    // Skips blanks and comments; true when nothing else remains.
    bool atEnd();
    // Reads the next form. On malformed input returns false with a message naming the line;
    // the reader then stands at the end of the source.
    bool read(Ref* out, QString* error);

    // Number or symbol for one token (upper-cased symbol, NIL as nil).
    static Ref atomFromToken(const QString& token);

private:
    void skipBlanks();
    bool readString(QString* out);
    QString readToken();
    QString fail(const QString& message, int line);

    QString m_source; // keeps the characters m_p points into alive
    const QChar* m_p;
    const QChar* m_end;
    int m_line = 1;
    int m_maxDepth;
};

} // namespace kvlisp
