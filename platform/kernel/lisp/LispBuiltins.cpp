#include "LispBuiltins.h"

#include "LispChain.h"
#include "LispDrawing.h"
#include "LispInterp.h"
#include "LispPrinter.h"
#include "LispReader.h"
#include "LispText.h"
#include "kernel/KvLispContext.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <cmath>
#include <limits>
#include <vector>

namespace kvlisp {

namespace {

constexpr int MaxStringLength = 1 << 26; // characters; longer results are errors, not crashes

[[noreturn]] void fail(const QString& message)
{
    Interp::fail(message);
}

QString shortText(const Ref& v)
{
    return printValue(v, true, 200);
}

// 32-bit integer arithmetic wraps around, as LISP hosts do.
std::int32_t wrap(std::int64_t v)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(v)));
}

constexpr double Pi = 3.14159265358979323846;

} // namespace

// --- Call ----------------------------------------------------------------------------------

const Ref& Call::arg(int i) const
{
    static const Ref nil;
    return has(i) ? m_args[static_cast<std::size_t>(i)] : nil;
}

void Call::badType(const char* predicate, int i) const
{
    fail(QStringLiteral("bad argument type: %1 %2").arg(QLatin1String(predicate), shortText(arg(i))));
}

std::int32_t Call::intArg(int i) const
{
    if (!isType(arg(i), Type::Int))
        badType("fixnump", i);
    return intValue(arg(i));
}

double Call::numArg(int i) const
{
    if (!isNumber(arg(i)))
        badType("numberp", i);
    return numberValue(arg(i));
}

const QString& Call::strArg(int i) const
{
    if (!isType(arg(i), Type::String))
        badType("stringp", i);
    return stringValue(arg(i));
}

Ref Call::listArg(int i) const
{
    if (!isList(arg(i)))
        badType("listp", i);
    return arg(i);
}

FileObj* Call::fileArg(int i) const
{
    if (!isType(arg(i), Type::File))
        badType("streamp", i);
    return static_cast<FileObj*>(arg(i).get());
}

QString Call::nameArg(int i) const
{
    if (isType(arg(i), Type::Symbol))
        return symbolName(arg(i));
    return strArg(i).toUpper();
}

// --- Equality ------------------------------------------------------------------------------

namespace {

bool atomsEqual(const Obj* a, const Obj* b, double fuzz)
{
    if (a == b)
        return true;
    if (!a || !b)
        return false;
    const bool aNum = a->type == Type::Int || a->type == Type::Real;
    const bool bNum = b->type == Type::Int || b->type == Type::Real;
    if (aNum && bNum) {
        if (a->type == Type::Int && b->type == Type::Int && fuzz == 0)
            return static_cast<const IntObj*>(a)->value == static_cast<const IntObj*>(b)->value;
        const double x = a->type == Type::Int ? static_cast<const IntObj*>(a)->value : static_cast<const RealObj*>(a)->value;
        const double y = b->type == Type::Int ? static_cast<const IntObj*>(b)->value : static_cast<const RealObj*>(b)->value;
        return std::fabs(x - y) <= fuzz;
    }
    if (a->type != b->type)
        return false;
    switch (a->type) {
    case Type::String: return static_cast<const StringObj*>(a)->value == static_cast<const StringObj*>(b)->value;
    case Type::Symbol: return static_cast<const SymbolObj*>(a)->name == static_cast<const SymbolObj*>(b)->name;
    case Type::EntityName:
    case Type::SelectionSet: {
        const auto* x = static_cast<const NameObj*>(a);
        const auto* y = static_cast<const NameObj*>(b);
        return x->words[0] == y->words[0] && x->words[1] == y->words[1];
    }
    case Type::Builtin: return static_cast<const BuiltinObj*>(a)->def == static_cast<const BuiltinObj*>(b)->def;
    case Type::External:
        return static_cast<const ExternalObj*>(a)->name.compare(static_cast<const ExternalObj*>(b)->name,
                                                                Qt::CaseInsensitive)
               == 0;
    default: return false;
    }
}

bool identical(const Ref& a, const Ref& b)
{
    if (a.get() == b.get())
        return true;
    if (!a || !b || a->type != b->type)
        return false;
    switch (a->type) {
    case Type::Int:
    case Type::Real:
    case Type::Symbol:
    case Type::EntityName:
    case Type::SelectionSet:
    case Type::Builtin:
    case Type::External: return atomsEqual(a.get(), b.get(), 0);
    default: return false; // strings, lists, files and functions: the same object only
    }
}

} // namespace

bool valuesEqual(const Ref& a, const Ref& b, double fuzz)
{
    // Iterative: pairs of values still to compare.
    std::vector<std::pair<const Obj*, const Obj*>> todo{{a.get(), b.get()}};
    long steps = 0;
    while (!todo.empty()) {
        if (++steps > 50000000)
            fail(QStringLiteral("EQUAL: structures too large to compare"));
        const auto [x, y] = todo.back();
        todo.pop_back();
        if (x == y)
            continue;
        const bool xCons = x && x->type == Type::Cons;
        const bool yCons = y && y->type == Type::Cons;
        if (xCons != yCons)
            return false;
        if (!xCons) {
            if (!atomsEqual(x, y, fuzz))
                return false;
            continue;
        }
        const auto* cx = static_cast<const ConsObj*>(x);
        const auto* cy = static_cast<const ConsObj*>(y);
        todo.emplace_back(cx->cdr.get(), cy->cdr.get());
        todo.emplace_back(cx->car.get(), cy->car.get());
    }
    return true;
}

namespace {

// --- Lists ---------------------------------------------------------------------------------

Ref properList(const Call& c, int i)
{
    Ref list = c.listArg(i);
    if (listLength(list) < 0)
        fail(QStringLiteral("bad list: %1").arg(shortText(list)));
    return list;
}

// car and cdr and their combinations: the letters between C and R, applied right to left.
Ref fnCxr(Call& c)
{
    const QString name = c.name();
    Ref v = c.arg(0);
    for (int i = name.size() - 2; i >= 1; --i) {
        if (!v)
            return Ref();
        if (!isCons(v))
            c.badType("consp", 0);
        v = name[i] == QLatin1Char('A') ? car(v) : cdr(v);
    }
    return v;
}

Ref fnCons(Call& c)
{
    return cons(c.arg(0), c.arg(1));
}

Ref fnList(Call& c)
{
    ListBuilder b;
    for (Ref& a : c.args())
        b.append(std::move(a));
    return b.take();
}

Ref fnLength(Call& c)
{
    const Ref list = properList(c, 0);
    return makeInt(wrap(listLength(list)));
}

Ref fnNth(Call& c)
{
    std::int32_t n = c.intArg(0);
    const Ref list = c.listArg(1);
    if (n < 0)
        return Ref();
    const Obj* p = list.get();
    while (p && p->type == Type::Cons) {
        const auto* cell = static_cast<const ConsObj*>(p);
        if (n-- == 0)
            return cell->car;
        p = cell->cdr.get();
    }
    return Ref();
}

Ref fnLast(Call& c)
{
    const Ref list = c.listArg(0);
    Ref last;
    for (const Obj* p = list.get(); p && p->type == Type::Cons; p = static_cast<const ConsObj*>(p)->cdr.get())
        last = static_cast<const ConsObj*>(p)->car;
    return last;
}

Ref fnAppend(Call& c)
{
    if (c.count() == 0)
        return Ref();
    for (int i = 0; i < c.count(); ++i)
        properList(c, i);
    ListBuilder b;
    for (int i = 0; i + 1 < c.count(); ++i)
        for (const Obj* p = c.arg(i).get(); p; p = static_cast<const ConsObj*>(p)->cdr.get())
            b.append(static_cast<const ConsObj*>(p)->car);
    b.setTail(c.arg(c.count() - 1));
    return b.take();
}

Ref fnReverse(Call& c)
{
    const Ref list = properList(c, 0);
    Ref out;
    for (const Obj* p = list.get(); p; p = static_cast<const ConsObj*>(p)->cdr.get())
        out = cons(static_cast<const ConsObj*>(p)->car, std::move(out));
    return out;
}

Ref fnAssoc(Call& c)
{
    const Ref list = c.listArg(1);
    for (const Obj* p = list.get(); p && p->type == Type::Cons; p = static_cast<const ConsObj*>(p)->cdr.get()) {
        const Ref& element = static_cast<const ConsObj*>(p)->car;
        if (isCons(element) && valuesEqual(car(element), c.arg(0)))
            return element;
    }
    return Ref();
}

Ref fnMember(Call& c)
{
    const Ref list = c.listArg(1);
    for (const Obj* p = list.get(); p && p->type == Type::Cons; p = static_cast<const ConsObj*>(p)->cdr.get())
        if (valuesEqual(static_cast<const ConsObj*>(p)->car, c.arg(0)))
            return Ref(const_cast<Obj*>(p));
    return Ref();
}

Ref fnApply(Call& c)
{
    const Ref fn = c.interp().resolveFunction(c.arg(0));
    const Ref list = properList(c, 1);
    std::vector<Ref> args;
    for (const Obj* p = list.get(); p; p = static_cast<const ConsObj*>(p)->cdr.get())
        args.push_back(static_cast<const ConsObj*>(p)->car);
    Ref value = c.interp().apply(fn, args);
    if (c.interp().isVoid())
        c.setVoid();
    return value;
}

Ref fnMapcar(Call& c)
{
    const Ref fn = c.interp().resolveFunction(c.arg(0));
    std::vector<Ref> lists;
    for (int i = 1; i < c.count(); ++i)
        lists.push_back(c.listArg(i));
    ListBuilder out;
    for (;;) {
        std::vector<Ref> args;
        for (Ref& l : lists) {
            if (!isCons(l))
                return out.take();
            args.push_back(car(l));
            l = Ref(cdr(l));
        }
        out.append(c.interp().apply(fn, args));
    }
}

Ref fnEval(Call& c)
{
    Ref value = c.interp().eval(c.arg(0));
    if (c.interp().isVoid())
        c.setVoid();
    return value;
}

Ref fnSet(Call& c)
{
    if (!isType(c.arg(0), Type::Symbol) || isT(c.arg(0)))
        c.badType("symbolp", 0);
    c.interp().setGlobal(symbolName(c.arg(0)), c.arg(1));
    return c.arg(1);
}

Ref fnRead(Call& c)
{
    if (!c.has(0))
        return Ref();
    Reader reader(c.strArg(0));
    if (reader.atEnd())
        return Ref();
    Ref value;
    QString error;
    if (!reader.read(&value, &error))
        fail(error);
    return value;
}

// --- Predicates ----------------------------------------------------------------------------

Ref fnNot(Call& c)
{
    return boolValue(!c.arg(0));
}

Ref fnAtom(Call& c)
{
    return boolValue(!isCons(c.arg(0)));
}

Ref fnListp(Call& c)
{
    return boolValue(isList(c.arg(0)));
}

Ref fnNumberp(Call& c)
{
    return boolValue(isNumber(c.arg(0)));
}

Ref fnZerop(Call& c)
{
    return boolValue(c.numArg(0) == 0);
}

Ref fnMinusp(Call& c)
{
    return boolValue(c.numArg(0) < 0);
}

Ref fnBoundp(Call& c)
{
    const Ref& v = c.arg(0);
    if (!v)
        return Ref();
    if (!isType(v, Type::Symbol))
        c.badType("symbolp", 0);
    return boolValue(isT(v) || c.interp().global(symbolName(v)));
}

Ref fnEq(Call& c)
{
    return boolValue(identical(c.arg(0), c.arg(1)));
}

Ref fnEqual(Call& c)
{
    const double fuzz = c.has(2) ? std::fabs(c.numArg(2)) : 0.0;
    return boolValue(valuesEqual(c.arg(0), c.arg(1), fuzz));
}

Ref fnType(Call& c)
{
    const Ref& v = c.arg(0);
    if (!v)
        return Ref();
    const char* name = "";
    switch (v->type) {
    case Type::Int: name = "INT"; break;
    case Type::Real: name = "REAL"; break;
    case Type::String: name = "STR"; break;
    case Type::Symbol: name = "SYM"; break;
    case Type::Cons: name = "LIST"; break;
    case Type::EntityName: name = "ENAME"; break;
    case Type::SelectionSet: name = "PICKSET"; break;
    case Type::File: name = "FILE"; break;
    case Type::UserFunction: name = "USUBR"; break;
    case Type::Builtin: name = "SUBR"; break;
    case Type::External: name = "EXRXSUBR"; break;
    }
    return makeSymbol(QLatin1String(name));
}

// --- Numbers -------------------------------------------------------------------------------

enum class Op { Add, Sub, Mul, Div };

Ref arithmetic(Call& c, Op op)
{
    const int n = c.count();
    for (int i = 0; i < n; ++i)
        c.numArg(i);
    if (n == 0)
        return makeInt(0);
    bool real = c.arg(0)->type == Type::Real;
    std::int32_t ia = real ? 0 : intValue(c.arg(0));
    double ra = numberValue(c.arg(0));
    if (n == 1 && op == Op::Sub)
        return real ? makeReal(-ra) : makeInt(wrap(-static_cast<std::int64_t>(ia)));
    for (int i = 1; i < n; ++i) {
        const Ref& b = c.arg(i);
        if (!real && b->type == Type::Int) {
            const std::int64_t x = ia;
            const std::int64_t y = intValue(b);
            switch (op) {
            case Op::Add: ia = wrap(x + y); break;
            case Op::Sub: ia = wrap(x - y); break;
            case Op::Mul: ia = wrap(x * y); break;
            case Op::Div:
                if (y == 0)
                    fail(QStringLiteral("divide by zero"));
                ia = wrap(x / y); // truncates toward zero
                break;
            }
            ra = ia;
            continue;
        }
        if (!real)
            ra = ia;
        real = true;
        const double y = numberValue(b);
        switch (op) {
        case Op::Add: ra += y; break;
        case Op::Sub: ra -= y; break;
        case Op::Mul: ra *= y; break;
        case Op::Div:
            if (y == 0)
                fail(QStringLiteral("divide by zero"));
            ra /= y;
            break;
        }
    }
    return real ? makeReal(ra) : makeInt(ia);
}

Ref fnAdd(Call& c) { return arithmetic(c, Op::Add); }
Ref fnSub(Call& c) { return arithmetic(c, Op::Sub); }
Ref fnMul(Call& c) { return arithmetic(c, Op::Mul); }
Ref fnDiv(Call& c) { return arithmetic(c, Op::Div); }

Ref fnIncrement(Call& c)
{
    c.numArg(0);
    const int step = c.name() == QLatin1String("1+") ? 1 : -1;
    if (c.arg(0)->type == Type::Int)
        return makeInt(wrap(static_cast<std::int64_t>(intValue(c.arg(0))) + step));
    return makeReal(realValue(c.arg(0)) + step);
}

Ref fnRem(Call& c)
{
    bool real = false;
    for (int i = 0; i < c.count(); ++i) {
        c.numArg(i);
        real = real || c.arg(i)->type == Type::Real;
    }
    if (real) {
        double r = c.numArg(0);
        for (int i = 1; i < c.count(); ++i) {
            if (c.numArg(i) == 0)
                fail(QStringLiteral("divide by zero"));
            r = std::fmod(r, c.numArg(i));
        }
        return makeReal(r);
    }
    std::int64_t r = c.intArg(0);
    for (int i = 1; i < c.count(); ++i) {
        if (c.intArg(i) == 0)
            fail(QStringLiteral("divide by zero"));
        r = wrap(r % c.intArg(i));
    }
    return makeInt(static_cast<std::int32_t>(r));
}

Ref fnAbs(Call& c)
{
    c.numArg(0);
    if (c.arg(0)->type == Type::Int)
        return makeInt(wrap(std::llabs(intValue(c.arg(0)))));
    return makeReal(std::fabs(realValue(c.arg(0))));
}

Ref minMax(Call& c, bool max)
{
    bool real = false;
    for (int i = 0; i < c.count(); ++i) {
        c.numArg(i);
        real = real || c.arg(i)->type == Type::Real;
    }
    if (c.count() == 0)
        return makeInt(0);
    int best = 0;
    for (int i = 1; i < c.count(); ++i)
        if (max ? c.numArg(i) > c.numArg(best) : c.numArg(i) < c.numArg(best))
            best = i;
    return real ? makeReal(c.numArg(best)) : c.arg(best);
}

Ref fnMin(Call& c) { return minMax(c, false); }
Ref fnMax(Call& c) { return minMax(c, true); }

Ref fnFix(Call& c)
{
    const double v = c.numArg(0);
    if (c.arg(0)->type == Type::Int)
        return c.arg(0);
    const double t = std::trunc(v);
    // Beyond 32 bits the truncated value stays a real.
    if (!(t >= std::numeric_limits<std::int32_t>::min() && t <= std::numeric_limits<std::int32_t>::max()))
        return makeReal(t);
    return makeInt(static_cast<std::int32_t>(t));
}

Ref fnFloat(Call& c)
{
    return makeReal(c.numArg(0));
}

Ref mathResult(Call& c, double r)
{
    if (std::isnan(r))
        fail(QStringLiteral("function undefined for argument: %1").arg(shortText(c.arg(0))));
    return makeReal(r);
}

Ref fnSqrt(Call& c) { return mathResult(c, std::sqrt(c.numArg(0))); }
Ref fnSin(Call& c) { return mathResult(c, std::sin(c.numArg(0))); }
Ref fnCos(Call& c) { return mathResult(c, std::cos(c.numArg(0))); }
Ref fnAtan(Call& c) { return mathResult(c, c.has(1) ? std::atan2(c.numArg(0), c.numArg(1)) : std::atan(c.numArg(0))); }

Ref fnExpt(Call& c)
{
    const double base = c.numArg(0);
    const double power = c.numArg(1);
    if (c.arg(0)->type == Type::Int && c.arg(1)->type == Type::Int && intValue(c.arg(1)) >= 0) {
        std::int64_t r = 1;
        std::int64_t b = intValue(c.arg(0));
        for (std::int32_t e = intValue(c.arg(1)); e > 0; e >>= 1) {
            if (e & 1)
                r = wrap(r * b);
            b = wrap(b * b);
        }
        return makeInt(static_cast<std::int32_t>(r));
    }
    return mathResult(c, std::pow(base, power));
}

Ref fnLogand(Call& c)
{
    std::int32_t r = -1;
    for (int i = 0; i < c.count(); ++i)
        r &= c.intArg(i);
    return makeInt(c.count() ? r : 0);
}

Ref fnLogior(Call& c)
{
    std::int32_t r = 0;
    for (int i = 0; i < c.count(); ++i)
        r |= c.intArg(i);
    return makeInt(r);
}

Ref fnLognot(Call& c)
{
    return makeInt(~c.intArg(0));
}

// Points are lists of 2 or 3 numbers; a missing Z is 0.
void pointArg(const Call& c, int i, double p[3], bool* is3d = nullptr)
{
    const Ref& v = c.arg(i);
    const long n = listLength(v);
    if (!isCons(v) || n < 2 || n > 3)
        c.badType("point", i);
    p[2] = 0;
    int k = 0;
    for (const Obj* q = v.get(); q; q = static_cast<const ConsObj*>(q)->cdr.get()) {
        const Ref& e = static_cast<const ConsObj*>(q)->car;
        if (!isNumber(e))
            c.badType("point", i);
        p[k++] = numberValue(e);
    }
    if (is3d)
        *is3d = n == 3;
}

Ref fnDistance(Call& c)
{
    double a[3];
    double b[3];
    pointArg(c, 0, a);
    pointArg(c, 1, b);
    return makeReal(std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2])));
}

Ref fnAngle(Call& c)
{
    double a[3];
    double b[3];
    pointArg(c, 0, a);
    pointArg(c, 1, b);
    double r = std::atan2(b[1] - a[1], b[0] - a[0]);
    if (r < 0)
        r += 2 * Pi;
    return makeReal(r);
}

Ref fnPolar(Call& c)
{
    double p[3];
    bool is3d = false;
    pointArg(c, 0, p, &is3d);
    const double angle = c.numArg(1);
    const double dist = c.numArg(2);
    ListBuilder b;
    b.append(makeReal(p[0] + dist * std::cos(angle)));
    b.append(makeReal(p[1] + dist * std::sin(angle)));
    if (is3d)
        b.append(makeReal(p[2]));
    return b.take();
}

// --- Comparison ----------------------------------------------------------------------------

// Order of two numbers or two strings; false when they cannot be compared.
bool order(const Ref& a, const Ref& b, int* result)
{
    if (isNumber(a) && isNumber(b)) {
        if (a->type == Type::Int && b->type == Type::Int) {
            *result = intValue(a) < intValue(b) ? -1 : intValue(a) > intValue(b) ? 1 : 0;
        } else {
            const double x = numberValue(a);
            const double y = numberValue(b);
            *result = x < y ? -1 : x > y ? 1 : 0;
        }
        return true;
    }
    if (isType(a, Type::String) && isType(b, Type::String)) {
        const int r = QString::compare(stringValue(a), stringValue(b), Qt::CaseSensitive);
        *result = r < 0 ? -1 : r > 0 ? 1 : 0;
        return true;
    }
    return false;
}

enum class Cmp { Eq, Ne, Lt, Gt, Le, Ge };

Ref compare(Call& c, Cmp cmp)
{
    for (int i = 0; i + 1 < c.count(); ++i) {
        int r = 0;
        if (!order(c.arg(i), c.arg(i + 1), &r)) {
            if (cmp == Cmp::Eq || cmp == Cmp::Ne) {
                // Values of different kinds are simply not equal.
                r = identical(c.arg(i), c.arg(i + 1)) ? 0 : 1;
            } else if (isNumber(c.arg(i))) {
                c.badType("numberp", i + 1);
            } else if (isType(c.arg(i), Type::String)) {
                c.badType("stringp", i + 1);
            } else {
                c.badType("numberp", i);
            }
        }
        bool holds = false;
        switch (cmp) {
        case Cmp::Eq: holds = r == 0; break;
        case Cmp::Ne: holds = r != 0; break;
        case Cmp::Lt: holds = r < 0; break;
        case Cmp::Gt: holds = r > 0; break;
        case Cmp::Le: holds = r <= 0; break;
        case Cmp::Ge: holds = r >= 0; break;
        }
        if (!holds)
            return Ref();
    }
    if (c.count() == 1 && !isNumber(c.arg(0)) && !isType(c.arg(0), Type::String) && cmp != Cmp::Eq && cmp != Cmp::Ne)
        c.badType("numberp", 0);
    return makeT();
}

Ref fnEqNum(Call& c) { return compare(c, Cmp::Eq); }
Ref fnNeNum(Call& c) { return compare(c, Cmp::Ne); }
Ref fnLt(Call& c) { return compare(c, Cmp::Lt); }
Ref fnGt(Call& c) { return compare(c, Cmp::Gt); }
Ref fnLe(Call& c) { return compare(c, Cmp::Le); }
Ref fnGe(Call& c) { return compare(c, Cmp::Ge); }

// --- Strings -------------------------------------------------------------------------------

Ref fnStrcat(Call& c)
{
    qint64 total = 0;
    for (int i = 0; i < c.count(); ++i)
        total += c.strArg(i).size();
    if (total > MaxStringLength)
        fail(QStringLiteral("string too long"));
    QString s;
    s.reserve(static_cast<int>(total));
    for (int i = 0; i < c.count(); ++i)
        s += c.strArg(i);
    return makeString(s);
}

Ref fnStrlen(Call& c)
{
    qint64 total = 0;
    for (int i = 0; i < c.count(); ++i)
        total += c.strArg(i).size();
    return makeInt(wrap(total));
}

Ref fnSubstr(Call& c)
{
    const QString& s = c.strArg(0);
    const std::int32_t start = c.intArg(1);
    if (start < 1)
        fail(QStringLiteral("bad argument value: SUBSTR start %1").arg(start));
    std::int32_t length = -1;
    if (c.has(2)) {
        length = c.intArg(2);
        if (length < 0)
            fail(QStringLiteral("bad argument value: SUBSTR length %1").arg(length));
    }
    if (start > s.size())
        return makeString(QString());
    return makeString(s.mid(start - 1, length));
}

Ref fnStrcase(Call& c)
{
    const QString& s = c.strArg(0);
    return makeString(c.arg(1) ? s.toLower() : s.toUpper());
}

Ref fnItoa(Call& c)
{
    return makeString(QString::number(c.intArg(0)));
}

Ref fnAtoi(Call& c)
{
    // Like C's atoi: blanks, a sign, digits; whatever follows is ignored.
    const QString& s = c.strArg(0);
    int i = 0;
    while (i < s.size() && s[i].isSpace())
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')))
        negative = s[i++] == QLatin1Char('-');
    std::int64_t v = 0;
    while (i < s.size() && s[i].unicode() >= '0' && s[i].unicode() <= '9') {
        v = v * 10 + (s[i++].unicode() - '0');
        if (v > std::int64_t(1) << 32)
            v = std::int64_t(1) << 32; // saturates below
    }
    if (negative)
        v = -v;
    v = std::max<std::int64_t>(std::numeric_limits<std::int32_t>::min(),
                               std::min<std::int64_t>(std::numeric_limits<std::int32_t>::max(), v));
    return makeInt(static_cast<std::int32_t>(v));
}

Ref fnAtof(Call& c)
{
    // The longest prefix that reads as a number; 0.0 when there is none.
    const QString s = c.strArg(0).trimmed();
    int end = 0;
    int i = 0;
    if (i < s.size() && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-')))
        ++i;
    int digits = 0;
    while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s[i] == QLatin1Char('.')) {
        ++i;
        while (i < s.size() && s[i].unicode() >= '0' && s[i].unicode() <= '9') {
            ++i;
            ++digits;
        }
    }
    if (digits > 0) {
        end = i;
        if (i < s.size() && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
            int j = i + 1;
            if (j < s.size() && (s[j] == QLatin1Char('+') || s[j] == QLatin1Char('-')))
                ++j;
            int exponent = 0;
            while (j < s.size() && s[j].unicode() >= '0' && s[j].unicode() <= '9') {
                ++j;
                ++exponent;
            }
            if (exponent > 0)
                end = j;
        }
    }
    if (end == 0)
        return makeReal(0);
    QString text = s.left(end);
    if (text.endsWith(QLatin1Char('.')))
        text += QLatin1Char('0');
    if (text.startsWith(QLatin1Char('.')) || text.startsWith(QLatin1String("-.")) || text.startsWith(QLatin1String("+.")))
        text.insert(text.indexOf(QLatin1Char('.')), QLatin1Char('0'));
    return makeReal(text.toDouble()); // C locale; out of range gives the infinity
}

Ref fnChr(Call& c)
{
    const std::int32_t code = c.intArg(0);
    if (code <= 0)
        return makeString(QString());
    if (code > 0x10FFFF)
        fail(QStringLiteral("bad argument value: CHR %1").arg(code));
    const char32_t u = static_cast<char32_t>(code);
    return makeString(QString::fromUcs4(&u, 1));
}

Ref fnAscii(Call& c)
{
    const QString& s = c.strArg(0);
    if (s.isEmpty())
        return makeInt(0);
    return makeInt(static_cast<std::int32_t>(s.toUcs4().value(0)));
}

// rtos: 1 scientific, 2 decimal, 3 engineering (feet and decimal inches), 4 architectural
// (feet and fractional inches), 5 fractional. Without mode or precision the document's
// LUNITS and LUPREC are used when it has them, else 2 and 4.
int systemInt(Call& c, const char* name, int fallback, int low, int high)
{
    CKvLispContext* context = c.interp().context();
    if (!context)
        return fallback;
    kv_resbuf* node = kvNewNode(kvrt::Nil);
    if (!node)
        return fallback;
    int value = fallback;
    if (context->GetSystemVariable(CKvString(name), node) == kvrt::Normal) {
        if (node->restype == kvrt::Short)
            value = node->resval.rint;
        else if (node->restype == kvrt::Long)
            value = node->resval.rlong;
    }
    kvFreeChain(node);
    return value >= low && value <= high ? value : fallback;
}

QString fraction(double value, int precision, bool withFeet)
{
    const bool negative = value < 0;
    const double v = std::fabs(value);
    const long long denominator = 1LL << std::min(precision, 8);
    long long units = std::llround(v * static_cast<double>(denominator)); // in 1/denominator inches
    long long feet = 0;
    if (withFeet) {
        const long long perFoot = 12 * denominator;
        feet = units / perFoot;
        units %= perFoot;
    }
    const long long whole = units / denominator;
    long long num = units % denominator;
    long long den = denominator;
    while (num && num % 2 == 0) {
        num /= 2;
        den /= 2;
    }
    QString inches = QString::number(whole);
    if (num)
        inches += QStringLiteral(" %1/%2").arg(num).arg(den);
    QString out = withFeet ? QStringLiteral("%1'-%2\"").arg(feet).arg(inches) : inches;
    if (negative && (feet || whole || num))
        out.prepend(QLatin1Char('-'));
    return out;
}

Ref fnRtos(Call& c)
{
    const double v = c.numArg(0);
    const int mode = c.has(1) && c.arg(1) ? c.intArg(1) : systemInt(c, "LUNITS", 2, 1, 5);
    int precision = c.has(2) && c.arg(2) ? c.intArg(2) : systemInt(c, "LUPREC", 4, 0, 8);
    if (mode < 1 || mode > 5)
        fail(QStringLiteral("bad argument value: RTOS mode %1").arg(mode));
    if (precision < 0)
        fail(QStringLiteral("bad argument value: RTOS precision %1").arg(precision));
    precision = std::min(precision, 15);
    if (!std::isfinite(v))
        return makeString(formatReal(v));
    QString out;
    switch (mode) {
    case 1: out = QString::number(v, 'E', precision); break;
    case 2: out = QString::number(v, 'f', precision); break;
    case 3: {
        const double scale = std::pow(10.0, precision);
        double inches = std::round(std::fabs(v) * scale) / scale;
        const double feet = std::floor(inches / 12.0);
        inches -= feet * 12.0;
        out = QStringLiteral("%1'-%2\"").arg(QString::number(feet, 'f', 0), QString::number(inches, 'f', precision));
        if (v < 0 && (feet > 0 || inches > 0))
            out.prepend(QLatin1Char('-'));
        break;
    }
    case 4: out = fraction(v, precision, true); break;
    case 5: out = fraction(v, precision, false); break;
    }
    // No "-0.0000": a value that rounds to zero has no sign.
    if (out.startsWith(QLatin1Char('-'))) {
        bool allZero = true;
        for (const QChar ch : out)
            if (ch.isDigit() && ch != QLatin1Char('0'))
                allZero = false;
        if (allZero)
            out.remove(0, 1);
    }
    return makeString(out);
}

// --- Output and files ----------------------------------------------------------------------

void writeToFile(FileObj* f, const QString& text)
{
    if (!f->file || !f->file->isOpen() || f->mode == 'r')
        fail(QStringLiteral("file not open for writing"));
    const QByteArray bytes = text.toUtf8();
    if (f->file->write(bytes) != bytes.size())
        fail(QStringLiteral("cannot write to file %1").arg(f->file->fileName()));
}

// Text goes to the file given as argument i, else to the engine's output.
void writeText(Call& c, int i, const QString& text)
{
    if (c.has(i) && c.arg(i))
        writeToFile(c.fileArg(i), text);
    else
        c.interp().output(text);
}

Ref printFunction(Call& c, bool escape, bool newlineFirst)
{
    if (c.count() == 0) {
        // (princ) returns nothing at all: the quiet end of a command.
        c.setVoid();
        return Ref();
    }
    QString text = printValue(c.arg(0), escape);
    if (newlineFirst)
        text = QLatin1Char('\n') + text + QLatin1Char(' ');
    writeText(c, 1, text);
    return c.arg(0);
}

Ref fnPrinc(Call& c) { return printFunction(c, false, false); }
Ref fnPrin1(Call& c) { return printFunction(c, true, false); }
Ref fnPrint(Call& c) { return printFunction(c, true, true); }

Ref fnPrompt(Call& c)
{
    c.interp().output(c.strArg(0));
    return Ref();
}

Ref fnTerpri(Call& c)
{
    c.interp().output(QStringLiteral("\n"));
    return Ref();
}

Ref fnWriteLine(Call& c)
{
    writeText(c, 1, c.strArg(0) + QLatin1Char('\n'));
    return c.arg(0);
}

Ref fnWriteChar(Call& c)
{
    const std::int32_t code = c.intArg(0);
    if (code <= 0 || code > 0x10FFFF)
        fail(QStringLiteral("bad argument value: WRITE-CHAR %1").arg(code));
    const char32_t u = static_cast<char32_t>(code);
    writeText(c, 1, QString::fromUcs4(&u, 1));
    return c.arg(0);
}

Ref fnReadLine(Call& c)
{
    if (!c.has(0) || !c.arg(0))
        return Ref(); // no keyboard in the engine
    FileObj* f = c.fileArg(0);
    if (!f->file || !f->file->isOpen() || f->mode != 'r' || f->file->atEnd())
        return Ref();
    QByteArray line = f->file->readLine();
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    if (f->atStart && line.startsWith("\xEF\xBB\xBF"))
        line.remove(0, 3);
    f->atStart = false;
    return makeString(decodeText(line));
}

Ref fnOpen(Call& c)
{
    const QString& path = c.strArg(0);
    const QString mode = c.strArg(1).toLower();
    QIODevice::OpenMode flags;
    char m = 0;
    if (mode == QLatin1String("r")) {
        flags = QIODevice::ReadOnly;
        m = 'r';
    } else if (mode == QLatin1String("w")) {
        flags = QIODevice::WriteOnly | QIODevice::Truncate;
        m = 'w';
    } else if (mode == QLatin1String("a")) {
        flags = QIODevice::WriteOnly | QIODevice::Append;
        m = 'a';
    } else {
        fail(QStringLiteral("bad argument value: OPEN mode %1").arg(quoteString(c.strArg(1))));
    }
    if (path.isEmpty() || QFileInfo(path).isDir())
        return Ref();
    auto file = std::make_unique<QFile>(path);
    if (!file->open(flags))
        return Ref();
    return Ref(new FileObj(std::move(file), m, c.interp().nextFileNumber()));
}

Ref fnClose(Call& c)
{
    FileObj* f = c.fileArg(0);
    if (f->file && f->file->isOpen()) {
        const bool writing = f->mode != 'r';
        const bool flushed = !writing || f->file->flush();
        const QString name = f->file->fileName();
        f->file->close();
        if (!flushed)
            fail(QStringLiteral("cannot write to file %1").arg(name));
    }
    return Ref();
}

Ref fnLoad(Call& c)
{
    const QString& name = c.strArg(0);
    bool found = false;
    Ref value = c.interp().loadForms(name, &found);
    if (!found) {
        if (c.has(1))
            return c.arg(1);
        fail(QStringLiteral("LOAD failed: %1").arg(quoteString(name)));
    }
    return value;
}

Ref fnFindfile(Call& c)
{
    const QString path = c.interp().findFile(c.strArg(0));
    return path.isEmpty() ? Ref() : makeString(path);
}

Ref fnGetvar(Call& c)
{
    const QString name = c.nameArg(0);
    auto& overrides = c.interp().systemVariables();
    auto it = overrides.constFind(name);
    if (it != overrides.constEnd())
        return *it;
    CKvLispContext* context = c.interp().context();
    if (!context || name.isEmpty())
        return Ref();
    kv_resbuf* node = kvNewNode(kvrt::Nil);
    if (!node)
        fail(QStringLiteral("out of memory"));
    Ref value;
    if (context->GetSystemVariable(CKvString(name), node) == kvrt::Normal) {
        const kv_resbuf* n = node;
        value = readChainValue(&n);
    }
    kvFreeChain(node);
    return value;
}

Ref fnSetvar(Call& c)
{
    const QString name = c.nameArg(0);
    if (name.isEmpty())
        fail(QStringLiteral("bad argument value: SETVAR name"));
    // A setting of the document's drawing goes there; any other name is kept by the engine,
    // where getvar finds it.
    if (CKvLispContext* context = c.interp().context()) {
        ChainWriter writer(4);
        QString error;
        const bool converted = writer.append(c.arg(1), &error);
        kv_resbuf* chain = writer.take();
        // A value of no single node (a list) fits no setting: offered as nil, it is refused.
        kv_resbuf nil{};
        nil.restype = kvrt::Nil;
        const int status = context->SetSystemVariable(CKvString(name), converted && chain && !chain->rbnext ? chain : &nil);
        kvFreeChain(chain);
        if (status == kvrt::Normal) {
            c.interp().systemVariables().remove(name);
            return c.arg(1);
        }
        if (status == kvrt::Rejected)
            fail(QStringLiteral("setvar rejected: %1 %2").arg(name, shortText(c.arg(1))));
    }
    c.interp().systemVariables().insert(name, c.arg(1));
    return c.arg(1);
}

Ref fnExit(Call&)
{
    fail(QStringLiteral("quit / exit abort"));
}

const BuiltinDef g_builtins[] = {
    // lists
    {"car", fnCxr, 1, 1},        {"cdr", fnCxr, 1, 1},          {"caar", fnCxr, 1, 1},
    {"cadr", fnCxr, 1, 1},       {"cdar", fnCxr, 1, 1},         {"cddr", fnCxr, 1, 1},
    {"caaar", fnCxr, 1, 1},      {"caadr", fnCxr, 1, 1},        {"cadar", fnCxr, 1, 1},
    {"caddr", fnCxr, 1, 1},      {"cdaar", fnCxr, 1, 1},        {"cdadr", fnCxr, 1, 1},
    {"cddar", fnCxr, 1, 1},      {"cdddr", fnCxr, 1, 1},        {"cons", fnCons, 2, 2},
    {"list", fnList, 0, -1},     {"length", fnLength, 1, 1},    {"nth", fnNth, 2, 2},
    {"last", fnLast, 1, 1},      {"append", fnAppend, 0, -1},   {"reverse", fnReverse, 1, 1},
    {"assoc", fnAssoc, 2, 2},    {"member", fnMember, 2, 2},    {"apply", fnApply, 2, 2},
    {"mapcar", fnMapcar, 2, -1}, {"eval", fnEval, 1, 1},        {"set", fnSet, 2, 2},
    {"read", fnRead, 0, 1},
    // predicates
    {"not", fnNot, 1, 1},        {"null", fnNot, 1, 1},         {"atom", fnAtom, 1, 1},
    {"listp", fnListp, 1, 1},    {"numberp", fnNumberp, 1, 1},  {"zerop", fnZerop, 1, 1},
    {"minusp", fnMinusp, 1, 1},  {"boundp", fnBoundp, 1, 1},    {"eq", fnEq, 2, 2},
    {"equal", fnEqual, 2, 3},    {"type", fnType, 1, 1},
    // numbers
    {"+", fnAdd, 0, -1},         {"-", fnSub, 0, -1},           {"*", fnMul, 0, -1},
    {"/", fnDiv, 0, -1},         {"1+", fnIncrement, 1, 1},     {"1-", fnIncrement, 1, 1},
    {"rem", fnRem, 1, -1},       {"abs", fnAbs, 1, 1},          {"min", fnMin, 0, -1},
    {"max", fnMax, 0, -1},       {"fix", fnFix, 1, 1},          {"float", fnFloat, 1, 1},
    {"sqrt", fnSqrt, 1, 1},      {"sin", fnSin, 1, 1},          {"cos", fnCos, 1, 1},
    {"atan", fnAtan, 1, 2},      {"expt", fnExpt, 2, 2},        {"logand", fnLogand, 0, -1},
    {"logior", fnLogior, 0, -1}, {"~", fnLognot, 1, 1},         {"distance", fnDistance, 2, 2},
    {"angle", fnAngle, 2, 2},    {"polar", fnPolar, 3, 3},
    {"=", fnEqNum, 1, -1},       {"/=", fnNeNum, 1, -1},        {"<", fnLt, 1, -1},
    {">", fnGt, 1, -1},          {"<=", fnLe, 1, -1},           {">=", fnGe, 1, -1},
    // strings
    {"strcat", fnStrcat, 0, -1}, {"strlen", fnStrlen, 0, -1},   {"substr", fnSubstr, 2, 3},
    {"strcase", fnStrcase, 1, 2}, {"itoa", fnItoa, 1, 1},       {"atoi", fnAtoi, 1, 1},
    {"atof", fnAtof, 1, 1},      {"rtos", fnRtos, 1, 3},        {"chr", fnChr, 1, 1},
    {"ascii", fnAscii, 1, 1},
    // output and files
    {"princ", fnPrinc, 0, 2},    {"prin1", fnPrin1, 0, 2},      {"print", fnPrint, 0, 2},
    {"prompt", fnPrompt, 1, 1},  {"terpri", fnTerpri, 0, 0},    {"write-line", fnWriteLine, 1, 2},
    {"write-char", fnWriteChar, 1, 2}, {"read-line", fnReadLine, 0, 1}, {"open", fnOpen, 2, 2},
    {"close", fnClose, 1, 1},    {"load", fnLoad, 1, 2},        {"findfile", fnFindfile, 1, 1},
    // the document
    {"getvar", fnGetvar, 1, 1},  {"setvar", fnSetvar, 2, 2},
    {"exit", fnExit, 0, 0},      {"quit", fnExit, 0, 0},
};

} // namespace

const BuiltinDef* findBuiltin(const QString& upperName)
{
    static const QHash<QString, const BuiltinDef*> index = [] {
        QHash<QString, const BuiltinDef*> h;
        for (const BuiltinDef& d : g_builtins)
            h.insert(QString::fromLatin1(d.name).toUpper(), &d);
        std::size_t count = 0;
        const BuiltinDef* drawing = drawingBuiltins(&count);
        for (std::size_t i = 0; i < count; ++i)
            h.insert(QString::fromLatin1(drawing[i].name).toUpper(), &drawing[i]);
        return h;
    }();
    return index.value(upperName);
}

QString builtinName(const BuiltinDef* def)
{
    return QString::fromLatin1(def->name).toUpper();
}

QStringList builtinNames()
{
    QStringList names;
    for (const BuiltinDef& d : g_builtins)
        names.append(QString::fromLatin1(d.name));
    return names;
}

} // namespace kvlisp
