#include "kernel/lisp/KvLispEngine.h"

#include "LispChain.h"
#include "LispInterp.h"
#include "LispPrinter.h"

#include <new>

struct KvLispEngine::Impl
{
    explicit Impl(CKvLispContext* context) : interp(context) {}
    kvlisp::Interp interp;
};

KvLispEngine::KvLispEngine(CKvLispContext* context) : d(std::make_unique<Impl>(context)) {}

KvLispEngine::~KvLispEngine() = default;

QVector<KvLispEngine::Result> KvLispEngine::evaluate(const QString& source)
{
    return d->interp.evaluateSource(source);
}

bool KvLispEngine::loadFile(const QString& path, QString* error)
{
    return d->interp.loadFile(path, error);
}

void KvLispEngine::setVariable(const QString& name, const kv_resbuf* value)
{
    const QString upper = name.trimmed().toUpper();
    if (upper.isEmpty() || upper == QLatin1String("T") || upper == QLatin1String("NIL"))
        return;
    try {
        // One value as it stands; a chain of several values is the list of them.
        const kv_resbuf* n = value;
        kvlisp::Ref v = kvlisp::readChainValue(&n);
        if (n)
            v = kvlisp::readChainList(value);
        d->interp.setGlobal(upper, std::move(v));
    } catch (const std::bad_alloc&) {
        // Nothing is set when memory runs out.
    }
}

QString KvLispEngine::variablePrinted(const QString& name) const
{
    return kvlisp::printValue(d->interp.global(name.trimmed().toUpper()), true);
}

void KvLispEngine::setOutputHandler(std::function<void(const QString&)> handler)
{
    d->interp.setOutputHandler(std::move(handler));
}

QStringList KvLispEngine::userFunctions() const
{
    return d->interp.userFunctions();
}
