#include "kernel/lisp/KvLispEngine.h"

#include "LispBuiltins.h"
#include "LispChain.h"
#include "LispInterp.h"
#include "LispPrinter.h"
#include "kernel/KvLispContext.h"

#include <algorithm>
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

KvLispEngine::Completion KvLispEngine::complete(const QString& line, int cursor, const QStringList& names)
{
    Completion result{line, qBound(0, cursor, line.size()), {}};
    int start = result.cursor;
    auto delimits = [](QChar c) { return c.isSpace() || c == QLatin1Char('(') || c == QLatin1Char(')') || c == QLatin1Char('\'') || c == QLatin1Char('"'); };
    while (start > 0 && !delimits(line.at(start - 1)))
        --start;
    const QString typed = line.mid(start, result.cursor - start);
    if (typed.isEmpty())
        return result;
    for (const QString& name : names)
        if (name.startsWith(typed, Qt::CaseInsensitive))
            result.candidates.append(name);
    if (result.candidates.isEmpty())
        return result;
    // As far as every candidate agrees (ignoring case), in the first candidate's spelling.
    QString common = result.candidates.first();
    for (const QString& name : qAsConst(result.candidates)) {
        int n = 0;
        while (n < common.size() && n < name.size() && common.at(n).toLower() == name.at(n).toLower())
            ++n;
        common.truncate(n);
    }
    if (result.candidates.size() == 1)
        result.candidates.clear();
    result.line = line.left(start) + common + line.mid(result.cursor);
    result.cursor = start + common.size();
    return result;
}

QStringList KvLispEngine::functionNames() const
{
    QStringList names;
    if (CKvLispContext* context = d->interp.context())
        names += context->DefinedFunctions();
    for (const QString& name : d->interp.userFunctions())
        names.append(name.toLower());
    names += kvlisp::builtinNames();
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    // One spelling per name: the first in that order (an external name before a defun's).
    QStringList unique;
    for (const QString& name : qAsConst(names))
        if (unique.isEmpty() || unique.last().compare(name, Qt::CaseInsensitive) != 0)
            unique.append(name);
    return unique;
}
