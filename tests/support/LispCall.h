#pragma once

#include "kernel/KvLispContext.h"

#include <QString>
#include <QVariant>
#include <memory>

class CKvDocument;

// Builds an argument chain the way the LISP engine hands arguments to a handler.
class ArgChain
{
public:
    ArgChain() = default;
    ~ArgChain();
    ArgChain(ArgChain&& other) noexcept;
    ArgChain(const ArgChain&) = delete;
    ArgChain& operator=(const ArgChain&) = delete;

    ArgChain& str(const QString& s);
    ArgChain& int16(short v);
    ArgChain& int32(int v);
    ArgChain& real(double v);
    ArgChain& point(double x, double y, double z);
    ArgChain& point2d(double x, double y);
    ArgChain& ename(int64_t a, int64_t b = 0);
    ArgChain& pickset(int64_t a, int64_t b = 0);
    ArgChain& nil();
    ArgChain& t();
    ArgChain& node(short type);
    // Gives the chain away (to Invoke).
    kv_resbuf* take();

private:
    kv_resbuf* append(short type);
    kv_resbuf* m_head = nullptr;
    kv_resbuf* m_tail = nullptr;
};

// What a handler answered: its status and the value it handed back.
struct LispCallResult
{
    int status = 0;
    CKvLispContext::ResultKind kind = CKvLispContext::ResultKind::NotSet;
    std::shared_ptr<kv_resbuf> chain; // null for no value

    bool isNil() const;
    bool isVoid() const { return kind == CKvLispContext::ResultKind::Void; }
    const kv_resbuf* first() const { return chain.get(); }
    short type() const { return chain ? chain->restype : short(0); }
    int integer() const;
    QString string() const;
    // The value printed as LISP prints it (lists in parentheses).
    QString printed() const;
};

// Builds an argument chain from a compact text: items separated by "|", each "S:text",
// "I:short", "L:long", "R:real", "P:x,y,z", "P2:x,y", "E:handle,db", "SS:name", "N" (nil), "T".
ArgChain chainFrom(const QString& items);

// Calls a defined function through the document's LISP context with the given arguments.
LispCallResult callLisp(CKvDocument* document, const QString& name, ArgChain&& args = ArgChain());
