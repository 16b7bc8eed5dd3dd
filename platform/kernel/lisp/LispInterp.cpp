#include "LispInterp.h"

#include "LispBuiltins.h"
#include "LispChain.h"
#include "LispPrinter.h"
#include "LispReader.h"
#include "LispText.h"
#include "kernel/KvLispContext.h"
#include "kernel/KvSystemServices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <exception>
#include <new>
#include <pthread.h>

namespace kvlisp {

namespace {

// How many bytes of stack evaluation may use below base before it stops with an error,
// leaving room for the functions it calls (external handlers, Qt) below the last check.
std::ptrdiff_t stackBudget(const char* base)
{
    constexpr std::ptrdiff_t fallback = 512 * 1024;
    struct Known
    {
        bool valid = false;
        const char* low = nullptr;
        std::size_t size = 0;
    };
    thread_local Known known;
    if (!known.valid) {
        pthread_attr_t attr;
        if (pthread_getattr_np(pthread_self(), &attr) != 0)
            return fallback;
        void* addr = nullptr;
        std::size_t size = 0;
        const int rc = pthread_attr_getstack(&attr, &addr, &size);
        pthread_attr_destroy(&attr);
        if (rc != 0)
            return fallback;
        known = {true, static_cast<const char*>(addr), size};
    }
    if (base <= known.low || base > known.low + known.size)
        return fallback;
    const std::ptrdiff_t room = base - known.low;
    const std::ptrdiff_t reserve =
        std::max<std::ptrdiff_t>(256 * 1024, std::min<std::ptrdiff_t>(static_cast<std::ptrdiff_t>(known.size / 8),
                                                                      2 * 1024 * 1024));
    return std::clamp<std::ptrdiff_t>(room - reserve, 64 * 1024, std::ptrdiff_t(256) * 1024 * 1024);
}

// Counts one level of nesting for as long as it lives.
class DepthCount
{
public:
    explicit DepthCount(int& depth) : m_depth(depth) { ++m_depth; }
    ~DepthCount() { --m_depth; }
    DepthCount(const DepthCount&) = delete;
    DepthCount& operator=(const DepthCount&) = delete;

private:
    int& m_depth;
};

QString shortText(const Ref& v)
{
    return printValue(v, true, 200);
}

bool isConstantSymbol(const Ref& v)
{
    return isT(v);
}

} // namespace

struct Interp::SpecialForm
{
    const char* name;
    Ref (*fn)(Interp&, const Ref&);
    // The form's value is that of its last subform, so "no value" passes through it.
    bool passThrough;
};

// Marks the outermost entry into evaluation: the stack is measured from here.
class Interp::TopLevel
{
public:
    explicit TopLevel(Interp& in) : m_in(in)
    {
        if (m_in.m_topLevelDepth++ == 0) {
            m_in.m_stackBase = static_cast<const char*>(__builtin_frame_address(0));
            m_in.m_stackBudget = stackBudget(m_in.m_stackBase);
        }
    }
    ~TopLevel()
    {
        if (--m_in.m_topLevelDepth == 0)
            m_in.m_stackBase = nullptr;
    }
    TopLevel(const TopLevel&) = delete;
    TopLevel& operator=(const TopLevel&) = delete;
    bool outermost() const { return m_in.m_topLevelDepth == 1; }

private:
    Interp& m_in;
};

// Dynamic bindings of one call: the previous values come back when it ends, also by error.
class Interp::Bindings
{
public:
    explicit Bindings(Interp& in) : m_in(in) {}
    ~Bindings()
    {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
            if (it->had)
                m_in.m_globals.insert(it->name, std::move(it->value));
            else
                m_in.m_globals.remove(it->name);
        }
    }
    Bindings(const Bindings&) = delete;
    Bindings& operator=(const Bindings&) = delete;

    void bind(const QString& name, Ref value)
    {
        auto it = m_in.m_globals.find(name);
        const bool had = it != m_in.m_globals.end();
        m_saved.push_back({name, had ? *it : Ref(), had});
        m_in.m_globals.insert(name, std::move(value));
    }

private:
    struct Saved
    {
        QString name;
        Ref value;
        bool had;
    };
    Interp& m_in;
    std::vector<Saved> m_saved;
};

Interp::Interp(CKvLispContext* context) : m_context(context)
{
    // Predefined as in every LISP of the drawing programs (and, as there, not protected).
    m_globals.insert(QStringLiteral("PI"), makeReal(3.14159265358979323846));
}

Interp::~Interp() = default;

void Interp::fail(const QString& message)
{
    throw LispError{message};
}

void Interp::output(const QString& text) const
{
    if (m_output && !text.isEmpty())
        m_output(text);
}

Ref Interp::global(const QString& upperName) const
{
    return m_globals.value(upperName);
}

void Interp::setGlobal(const QString& upperName, Ref value)
{
    m_globals.insert(upperName, std::move(value));
}

const Interp::SpecialForm* Interp::findSpecial(const QString& upperName)
{
    static const SpecialForm forms[] = {
        {"QUOTE", &Interp::sfQuote, false},     {"SETQ", &Interp::sfSetq, false},
        {"PROGN", &Interp::sfProgn, true},      {"IF", &Interp::sfIf, true},
        {"WHILE", &Interp::sfWhile, false},     {"REPEAT", &Interp::sfRepeat, false},
        {"FOREACH", &Interp::sfForeach, false}, {"COND", &Interp::sfCond, true},
        {"AND", &Interp::sfAnd, false},         {"OR", &Interp::sfOr, false},
        {"DEFUN", &Interp::sfDefun, false},     {"LAMBDA", &Interp::sfLambda, false},
        {"FUNCTION", &Interp::sfFunction, false},
    };
    // Special form names are short and few; a linear scan beats hashing the name.
    if (upperName.size() > 8)
        return nullptr;
    for (const SpecialForm& f : forms)
        if (upperName == QLatin1String(f.name))
            return &f;
    return nullptr;
}

void Interp::checkStack()
{
    const char* here = static_cast<const char*>(__builtin_frame_address(0));
    if ((m_stackBase && here < m_stackBase && m_stackBase - here > m_stackBudget) || m_evalDepth > MaxEvalDepth)
        fail(QStringLiteral("stack overflow: expressions or function calls nested too deeply"));
}

Ref Interp::eval(const Ref& form)
{
    m_void = false;
    if (!form)
        return Ref();
    switch (form->type) {
    case Type::Symbol: return evalSymbol(form);
    case Type::Cons: return evalCall(form);
    default: return form;
    }
}

Ref Interp::evalSymbol(const Ref& symbol)
{
    const QString& name = symbolName(symbol);
    if (isConstantSymbol(symbol))
        return symbol;
    auto it = m_globals.constFind(name);
    if (it != m_globals.constEnd())
        return *it;
    // An unbound name of a function gives the function, as the symbol's initial value.
    return functionNamed(name);
}

Ref Interp::functionNamed(const QString& upperName, const BuiltinDef** builtin)
{
    // The document's external functions come first: a defun cannot hide them.
    if (m_context && m_context->IsFunctionDefined(CKvString(upperName)))
        return Ref(new ExternalObj(externalName(upperName)));
    auto it = m_globals.constFind(upperName);
    if (it != m_globals.constEnd() && isFunction(*it))
        return *it;
    if (const BuiltinDef* def = findBuiltin(upperName)) {
        // A caller that only calls it needs no function value.
        if (builtin) {
            *builtin = def;
            return Ref();
        }
        return Ref(new BuiltinObj(def));
    }
    return Ref();
}

QString Interp::externalName(const QString& upperName) const
{
    // The name as the function was defined, for messages and for the call.
    if (m_context) {
        const QStringList names = m_context->DefinedFunctions();
        for (const QString& n : names)
            if (n.compare(upperName, Qt::CaseInsensitive) == 0)
                return n;
    }
    return upperName;
}

Ref Interp::evalCall(const Ref& form)
{
    DepthCount depth(m_evalDepth);
    checkStack();
    const Ref& head = car(form);
    const Ref& rest = cdr(form);
    Ref fn;
    const BuiltinDef* builtin = nullptr;
    if (isType(head, Type::Symbol)) {
        const QString& name = symbolName(head);
        if (const SpecialForm* special = findSpecial(name)) {
            Ref value = special->fn(*this, rest);
            if (!special->passThrough)
                m_void = false;
            return value;
        }
        fn = functionNamed(name, &builtin);
        if (!fn && !builtin)
            fail(QStringLiteral("no function definition: %1").arg(name));
    } else if (isCons(head)) {
        fn = eval(head);
        if (!isFunction(fn))
            fail(QStringLiteral("bad function: %1").arg(shortText(fn)));
    } else {
        fail(QStringLiteral("bad function: %1").arg(shortText(head)));
    }

    std::vector<Ref> args;
    const Obj* p = rest.get();
    while (p) {
        if (p->type != Type::Cons)
            fail(QStringLiteral("bad list: %1").arg(shortText(form)));
        const auto* c = static_cast<const ConsObj*>(p);
        args.push_back(eval(c->car));
        p = c->cdr.get();
    }
    m_void = false;
    return builtin ? callBuiltin(builtin, args) : apply(fn, args);
}

Ref Interp::apply(const Ref& function, std::vector<Ref>& args)
{
    if (!function)
        fail(QStringLiteral("bad function: nil"));
    switch (function->type) {
    case Type::UserFunction: return callUser(static_cast<const FunctionObj*>(function.get()), args);
    case Type::Builtin: return callBuiltin(static_cast<const BuiltinObj*>(function.get())->def, args);
    case Type::External: return callExternal(static_cast<const ExternalObj*>(function.get())->name, args);
    default: fail(QStringLiteral("bad function: %1").arg(shortText(function)));
    }
}

Ref Interp::resolveFunction(const Ref& designator)
{
    if (isFunction(designator))
        return designator;
    if (isType(designator, Type::Symbol)) {
        const QString& name = symbolName(designator);
        if (findSpecial(name))
            fail(QStringLiteral("bad function: %1").arg(name));
        Ref fn = functionNamed(name);
        if (!fn)
            fail(QStringLiteral("no function definition: %1").arg(name));
        return fn;
    }
    if (isCons(designator) && isSymbolNamed(car(designator), "LAMBDA")) {
        const Ref& rest = cdr(designator);
        if (!isCons(rest))
            fail(QStringLiteral("bad lambda expression: %1").arg(shortText(designator)));
        return makeFunction(QString(), car(rest), cdr(rest));
    }
    fail(QStringLiteral("bad function: %1").arg(shortText(designator)));
}

Ref Interp::progn(const Ref& body)
{
    m_void = false;
    Ref result;
    const Obj* p = body.get();
    while (p) {
        if (p->type != Type::Cons)
            fail(QStringLiteral("bad list: %1").arg(shortText(body)));
        const auto* c = static_cast<const ConsObj*>(p);
        result = eval(c->car);
        p = c->cdr.get();
    }
    return result;
}

Ref Interp::callUser(const FunctionObj* fn, std::vector<Ref>& args)
{
    checkStack();
    const QString name = fn->name.isEmpty() ? QStringLiteral("lambda") : fn->name;
    if (m_callDepth >= MaxCallDepth)
        fail(QStringLiteral("recursion too deep: more than %1 nested function calls").arg(MaxCallDepth));
    DepthCount depth(m_callDepth);
    const long wanted = listLength(fn->params);
    if (static_cast<long>(args.size()) < wanted)
        fail(QStringLiteral("too few arguments: %1").arg(name));
    if (static_cast<long>(args.size()) > wanted)
        fail(QStringLiteral("too many arguments: %1").arg(name));

    // Hold the function's parts: the body may redefine the function while it runs.
    const Ref params = fn->params;
    const Ref locals = fn->locals;
    const Ref body = fn->body;
    Bindings bindings(*this);
    std::size_t i = 0;
    for (const Obj* p = params.get(); p; p = static_cast<const ConsObj*>(p)->cdr.get())
        bindings.bind(symbolName(static_cast<const ConsObj*>(p)->car), std::move(args[i++]));
    for (const Obj* p = locals.get(); p; p = static_cast<const ConsObj*>(p)->cdr.get())
        bindings.bind(symbolName(static_cast<const ConsObj*>(p)->car), Ref());
    return progn(body);
}

Ref Interp::callBuiltin(const BuiltinDef* def, std::vector<Ref>& args)
{
    // apply, mapcar and eval can nest through data without passing evalCall.
    checkStack();
    const int n = static_cast<int>(args.size());
    if (n < def->minArgs)
        fail(QStringLiteral("too few arguments: %1").arg(builtinName(def)));
    if (def->maxArgs >= 0 && n > def->maxArgs)
        fail(QStringLiteral("too many arguments: %1").arg(builtinName(def)));
    Call call(*this, def, args);
    Ref value = def->fn(call);
    // Only the built-in itself decides about "no value", not the functions it called.
    m_void = call.isVoid();
    return value;
}

Ref Interp::callExternal(const QString& name, std::vector<Ref>& args)
{
    if (!m_context || !m_context->IsFunctionDefined(CKvString(name)))
        fail(QStringLiteral("no function definition: %1").arg(name.toUpper()));

    ChainWriter writer;
    for (const Ref& a : args) {
        QString error;
        if (!writer.append(a, &error))
            fail(QStringLiteral("%1: %2").arg(name, error));
    }
    kv_resbuf* arguments = writer.take();
    kv_resbuf* result = nullptr;
    auto kind = CKvLispContext::ResultKind::NotSet;
    int status = kvrt::Error;
    try {
        status = m_context->Invoke(CKvString(name), arguments, &result, &kind);
    } catch (...) {
        // A handler must not throw; if one does, the call simply failed.
        status = kvrt::Error;
    }

    struct ChainGuard
    {
        kv_resbuf* chain;
        ~ChainGuard() { kvFreeChain(chain); }
    } guard{result};

    if (status == kvrt::Cancel)
        fail(QStringLiteral("Function cancelled"));
    if (status != kvrt::Normal)
        fail(QStringLiteral("%1: error status %2").arg(name).arg(status));

    m_void = false; // whatever code the handler evaluated
    switch (kind) {
    case CKvLispContext::ResultKind::Void: m_void = true; return Ref();
    case CKvLispContext::ResultKind::NotSet:
    case CKvLispContext::ResultKind::Nil: return Ref();
    case CKvLispContext::ResultKind::Value: {
        const kv_resbuf* n = result;
        return readChainValue(&n);
    }
    case CKvLispContext::ResultKind::List: {
        // One list from 5016 to the end of the chain is the list itself; anything else
        // is the sequence of the list's elements.
        const kv_resbuf* n = result;
        if (n && n->restype == kvrt::ListBegin) {
            Ref list = readChainValue(&n);
            if (!n)
                return list;
        }
        return readChainList(result);
    }
    }
    return Ref();
}

Ref Interp::makeFunction(const QString& name, const Ref& lambdaList, const Ref& body)
{
    ListBuilder params;
    ListBuilder locals;
    bool afterSlash = false;
    const Obj* p = lambdaList.get();
    while (p) {
        if (p->type != Type::Cons)
            fail(QStringLiteral("bad argument list: %1").arg(shortText(lambdaList)));
        const auto* c = static_cast<const ConsObj*>(p);
        if (!isType(c->car, Type::Symbol) || isConstantSymbol(c->car))
            fail(QStringLiteral("bad argument list: %1").arg(shortText(lambdaList)));
        if (!afterSlash && symbolName(c->car) == QLatin1String("/"))
            afterSlash = true;
        else
            (afterSlash ? locals : params).append(c->car);
        p = c->cdr.get();
    }
    if (listLength(body) < 0)
        fail(QStringLiteral("bad function body: %1").arg(shortText(body)));
    return Ref(new FunctionObj(name, params.take(), locals.take(), body));
}

// --- Special forms ---------------------------------------------------------------------

namespace {

// Proper argument list of a special form with at least min and at most max elements.
long formArgs(const Ref& args, const char* form, long min, long max)
{
    const long n = listLength(args);
    if (n < 0)
        Interp::fail(QStringLiteral("bad list in %1").arg(QLatin1String(form)));
    if (n < min)
        Interp::fail(QStringLiteral("too few arguments: %1").arg(QLatin1String(form)));
    if (max >= 0 && n > max)
        Interp::fail(QStringLiteral("too many arguments: %1").arg(QLatin1String(form)));
    return n;
}

const QString& settableName(const Ref& v)
{
    if (!isType(v, Type::Symbol) || isConstantSymbol(v))
        Interp::fail(QStringLiteral("bad argument type: symbolp %1").arg(shortText(v)));
    return symbolName(v);
}

} // namespace

Ref Interp::sfQuote(Interp&, const Ref& args)
{
    formArgs(args, "QUOTE", 1, 1);
    return car(args);
}

Ref Interp::sfFunction(Interp& in, const Ref& args)
{
    formArgs(args, "FUNCTION", 1, 1);
    const Ref& f = car(args);
    if (isCons(f) && isSymbolNamed(car(f), "LAMBDA"))
        return in.resolveFunction(f);
    return f;
}

Ref Interp::sfSetq(Interp& in, const Ref& args)
{
    const long n = formArgs(args, "SETQ", 2, -1);
    if (n % 2 != 0)
        fail(QStringLiteral("too few arguments: SETQ"));
    Ref value;
    for (const Obj* p = args.get(); p;) {
        const auto* c = static_cast<const ConsObj*>(p);
        const QString& name = settableName(c->car);
        const auto* v = static_cast<const ConsObj*>(c->cdr.get());
        value = in.eval(v->car);
        in.setGlobal(name, value);
        p = v->cdr.get();
    }
    return value;
}

Ref Interp::sfProgn(Interp& in, const Ref& args)
{
    return in.progn(args);
}

Ref Interp::sfIf(Interp& in, const Ref& args)
{
    const long n = formArgs(args, "IF", 2, 3);
    const Ref& rest = cdr(args);
    if (in.eval(car(args)))
        return in.eval(car(rest));
    if (n == 3)
        return in.eval(car(cdr(rest)));
    in.m_void = false;
    return Ref();
}

Ref Interp::sfWhile(Interp& in, const Ref& args)
{
    formArgs(args, "WHILE", 1, -1);
    Ref result;
    while (in.eval(car(args)))
        result = in.progn(cdr(args));
    return result;
}

Ref Interp::sfRepeat(Interp& in, const Ref& args)
{
    formArgs(args, "REPEAT", 1, -1);
    const Ref count = in.eval(car(args));
    if (!isType(count, Type::Int))
        fail(QStringLiteral("bad argument type: fixnump %1").arg(shortText(count)));
    Ref result;
    for (std::int32_t i = 0; i < intValue(count); ++i)
        result = in.progn(cdr(args));
    return result;
}

Ref Interp::sfForeach(Interp& in, const Ref& args)
{
    formArgs(args, "FOREACH", 2, -1);
    const QString name = settableName(car(args));
    const Ref list = in.eval(car(cdr(args)));
    if (listLength(list) < 0)
        fail(QStringLiteral("bad argument type: listp %1").arg(shortText(list)));
    const Ref body = cdr(cdr(args));
    Bindings bindings(in);
    bindings.bind(name, Ref());
    Ref result;
    for (const Obj* p = list.get(); p; p = static_cast<const ConsObj*>(p)->cdr.get()) {
        in.setGlobal(name, static_cast<const ConsObj*>(p)->car);
        result = in.progn(body);
    }
    return result;
}

Ref Interp::sfCond(Interp& in, const Ref& args)
{
    formArgs(args, "COND", 0, -1);
    for (const Obj* p = args.get(); p; p = static_cast<const ConsObj*>(p)->cdr.get()) {
        const Ref& clause = static_cast<const ConsObj*>(p)->car;
        if (!clause)
            continue;
        if (!isCons(clause))
            fail(QStringLiteral("bad COND clause: %1").arg(shortText(clause)));
        Ref test = in.eval(car(clause));
        if (test)
            return cdr(clause) ? in.progn(cdr(clause)) : test;
    }
    in.m_void = false;
    return Ref();
}

Ref Interp::sfAnd(Interp& in, const Ref& args)
{
    formArgs(args, "AND", 0, -1);
    for (const Obj* p = args.get(); p; p = static_cast<const ConsObj*>(p)->cdr.get())
        if (!in.eval(static_cast<const ConsObj*>(p)->car))
            return Ref();
    return makeT();
}

Ref Interp::sfOr(Interp& in, const Ref& args)
{
    formArgs(args, "OR", 0, -1);
    for (const Obj* p = args.get(); p; p = static_cast<const ConsObj*>(p)->cdr.get())
        if (in.eval(static_cast<const ConsObj*>(p)->car))
            return makeT();
    return Ref();
}

Ref Interp::sfDefun(Interp& in, const Ref& args)
{
    formArgs(args, "DEFUN", 2, -1);
    const Ref& nameSymbol = car(args);
    const QString& name = settableName(nameSymbol);
    if (findSpecial(name))
        fail(QStringLiteral("cannot redefine %1").arg(name));
    in.setGlobal(name, in.makeFunction(name, car(cdr(args)), cdr(cdr(args))));
    if (!in.m_userFunctions.contains(name))
        in.m_userFunctions.append(name);
    return nameSymbol;
}

Ref Interp::sfLambda(Interp& in, const Ref& args)
{
    formArgs(args, "LAMBDA", 1, -1);
    return in.makeFunction(QString(), car(args), cdr(args));
}

// --- Top level ---------------------------------------------------------------------------

void Interp::runErrorHandler(const QString& message)
{
    // A user's *error* function sees the message, as LISP code expects; its own failure
    // is dropped so that it cannot loop.
    const Ref handler = global(QStringLiteral("*ERROR*"));
    if (m_inErrorHandler || !isType(handler, Type::UserFunction))
        return;
    m_inErrorHandler = true;
    try {
        std::vector<Ref> args{makeString(message)};
        if (listLength(static_cast<const FunctionObj*>(handler.get())->params) == 1)
            apply(handler, args);
    } catch (...) {
    }
    m_inErrorHandler = false;
}

QVector<KvLispEngine::Result> Interp::evaluateSource(const QString& source)
{
    TopLevel top(*this);
    QVector<KvLispEngine::Result> results;
    Reader reader(source);
    while (!reader.atEnd()) {
        KvLispEngine::Result r;
        Ref form;
        if (!reader.read(&form, &r.error)) {
            r.ok = false;
            r.hasValue = false;
            results.append(r);
            break;
        }
        try {
            m_void = false;
            const Ref value = eval(form);
            r.hasValue = !m_void;
            if (r.hasValue)
                r.printed = printValue(value, true);
        } catch (const LispError& e) {
            r.error = e.message;
        } catch (const std::bad_alloc&) {
            r.error = QStringLiteral("out of memory");
        } catch (const std::exception& e) {
            r.error = QString::fromLocal8Bit(e.what());
        }
        if (!r.error.isEmpty()) {
            r.ok = false;
            r.hasValue = false;
            r.printed.clear();
            results.append(r);
            if (top.outermost())
                runErrorHandler(r.error);
            break;
        }
        results.append(r);
    }
    m_void = false;
    return results;
}

bool Interp::loadFile(const QString& path, QString* error)
{
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot open file: %1").arg(path);
        return false;
    }
    const QString source = decodeText(file.readAll());
    file.close();
    m_loadingFolders.append(QFileInfo(path).absolutePath());
    const QVector<KvLispEngine::Result> results = evaluateSource(source);
    m_loadingFolders.removeLast();
    if (!results.isEmpty() && !results.last().ok) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(path, results.last().error);
        return false;
    }
    return true;
}

QString Interp::findFile(const QString& name) const
{
    if (name.isEmpty())
        return QString();
    QStringList names{name};
    if (QFileInfo(name).suffix().isEmpty())
        names << name + QLatin1String(".lsp");
    QStringList folders;
    for (auto it = m_loadingFolders.crbegin(); it != m_loadingFolders.crend(); ++it)
        folders << *it;
    folders << QDir::currentPath();
    if (const CKvSystemServices* services = GetKvSystemServices())
        if (const CKvAppSettings* settings = services->GetSettings())
            folders << settings->GetSupportFolders();
    for (const QString& n : qAsConst(names)) {
        const QFileInfo direct(n);
        if (direct.isAbsolute()) {
            if (direct.isFile())
                return direct.absoluteFilePath();
            continue;
        }
        for (const QString& folder : qAsConst(folders)) {
            const QFileInfo candidate(QDir(folder).filePath(n));
            if (candidate.isFile())
                return candidate.absoluteFilePath();
        }
    }
    return QString();
}

Ref Interp::loadForms(const QString& name, bool* found)
{
    const QString path = findFile(name);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        *found = false;
        return Ref();
    }
    *found = true;
    if (m_loadingFolders.size() >= MaxLoadDepth)
        fail(QStringLiteral("LOAD nested more than %1 deep: %2").arg(MaxLoadDepth).arg(path));
    const QString source = decodeText(file.readAll());
    file.close();

    struct FolderGuard
    {
        QStringList& folders;
        ~FolderGuard() { folders.removeLast(); }
    } guard{m_loadingFolders};
    m_loadingFolders.append(QFileInfo(path).absolutePath());

    Reader reader(source);
    Ref value;
    while (!reader.atEnd()) {
        Ref form;
        QString error;
        if (!reader.read(&form, &error))
            fail(QStringLiteral("%1: %2").arg(QFileInfo(path).fileName(), error));
        value = eval(form);
    }
    return value;
}

} // namespace kvlisp
