#pragma once

#include "kernel/KvResbuf.h"
#include "kernel/KvString.h"

#include <QStringList>

#include <cstdint>

class CKvLispContext;

// The argument list of the LISP call in progress: read in order, released exactly once
// (at the latest when the reader goes out of scope, so no early return can leak it).
class LispArgs
{
public:
    enum Status { Ok, Missing, WrongType };

    // Takes the argument list of the context (null context: no arguments).
    explicit LispArgs(CKvLispContext* context);
    ~LispArgs();
    LispArgs(const LispArgs&) = delete;
    LispArgs& operator=(const LispArgs&) = delete;

    CKvLispContext* context() const { return m_context; }
    const kv_resbuf* first() const { return m_first; }
    // The node the next read looks at, or null past the end.
    const kv_resbuf* peek() const { return m_next; }
    bool atEnd() const { return m_next == nullptr; }
    short peekType() const { return m_next ? m_next->restype : 0; }
    void skip();

    Status nextString(CKvString& out);
    // A short (5003) or long (5010) integer, read as a signed 16-bit value (long: low 16 bits).
    Status nextInt16(short& out);
    // A short or long integer as 32 bits.
    Status nextInt32(int& out);
    Status nextReal(double& out);
    // A 3D point, or a 2D point when allow2d (z = 0).
    Status nextPoint(double out[3], bool allow2d = false);
    Status nextEntityName(int64_t out[2]);
    Status nextSelectionSet(int64_t out[2]);
    // nil (5019) or T (5021).
    Status nextNilOrT(bool& isT);
    // The strings among the arguments still to read, in order, skipping nodes of other
    // types: up to the end, or up to the first node of type stopAt (read past it) when
    // stopAt is not 0.
    QStringList nextStrings(short stopAt = 0);

    // Gives the list back to the context now.
    void release();

private:
    const kv_resbuf* take(short type);

    CKvLispContext* m_context;
    kv_resbuf* m_first;
    const kv_resbuf* m_next;
};
