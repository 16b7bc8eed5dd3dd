#include "LispChain.h"

#include "LispPrinter.h"

#include <cstring>
#include <vector>

namespace kvlisp {

namespace {

// A proper list of exactly 2 or 3 numbers travels as a point.
int pointSize(const Ref& v)
{
    if (!isCons(v))
        return 0;
    int n = 0;
    const Obj* p = v.get();
    while (p && p->type == Type::Cons) {
        const auto* c = static_cast<const ConsObj*>(p);
        if (++n > 3 || !isNumber(c->car))
            return 0;
        p = c->cdr.get();
    }
    return (p == nullptr && n >= 2) ? n : 0;
}

QString nodeString(const kv_resbuf* n)
{
    const char16_t* s = n->resval.rstring;
    return s ? QString::fromUtf16(s) : QString();
}

Ref pointValue(const kv_resbuf* n, int size)
{
    ListBuilder b;
    for (int i = 0; i < size; ++i)
        b.append(makeReal(n->resval.rpoint[i]));
    return b.take();
}

Ref groupValue(const kv_resbuf* n)
{
    const short code = n->restype == kvrt::Dxf0 ? 0 : n->restype;
    Ref value;
    switch (kvGroupValueType(n->restype)) {
    case KvGroupValue::String: value = makeString(nodeString(n)); break;
    case KvGroupValue::Point: return cons(makeInt(code), pointValue(n, 3)); // (10 x y z)
    case KvGroupValue::Real: value = makeReal(n->resval.rreal); break;
    case KvGroupValue::Short: value = makeInt(n->resval.rint); break;
    case KvGroupValue::Long: value = makeInt(n->resval.rlong); break;
    case KvGroupValue::Name: value = makeName(Type::EntityName, n->resval.rlname[0], n->resval.rlname[1]); break;
    }
    return cons(makeInt(code), std::move(value));
}

Ref atomValue(const kv_resbuf* n)
{
    switch (n->restype) {
    case kvrt::Real:
    case kvrt::Angle:
    case kvrt::Orient: return makeReal(n->resval.rreal);
    case kvrt::Point2d: return pointValue(n, 2);
    case kvrt::Point3d: return pointValue(n, 3);
    case kvrt::Short: return makeInt(n->resval.rint);
    case kvrt::Long: return makeInt(n->resval.rlong);
    case kvrt::String: return makeString(nodeString(n));
    case kvrt::EntityName: return makeName(Type::EntityName, n->resval.rlname[0], n->resval.rlname[1]);
    case kvrt::PickSet: return makeName(Type::SelectionSet, n->resval.rlname[0], n->resval.rlname[1]);
    case kvrt::T: return makeT();
    case kvrt::Dxf0: return groupValue(n);
    default:
        if (n->restype < 5000)
            return groupValue(n);
        return Ref(); // nil, no value, and codes without a LISP value
    }
}

} // namespace

ChainWriter::~ChainWriter()
{
    kvFreeChain(m_head);
}

kv_resbuf* ChainWriter::take()
{
    kv_resbuf* head = m_head;
    m_head = m_tail = nullptr;
    return head;
}

kv_resbuf* ChainWriter::node(short type)
{
    if (m_failed || --m_budget < 0) {
        m_failed = true;
        return nullptr;
    }
    kv_resbuf* n = kvNewNode(type);
    if (!n) {
        m_failed = true;
        return nullptr;
    }
    if (m_tail)
        m_tail->rbnext = n;
    else
        m_head = n;
    m_tail = n;
    return n;
}

bool ChainWriter::atom(const Ref& v)
{
    if (!v)
        return node(kvrt::Nil) != nullptr;
    kv_resbuf* n = nullptr;
    switch (v->type) {
    case Type::Int: {
        const std::int32_t i = intValue(v);
        if (i >= -32768 && i <= 32767) {
            if ((n = node(kvrt::Short)))
                n->resval.rint = static_cast<short>(i);
        } else if ((n = node(kvrt::Long))) {
            n->resval.rlong = i;
        }
        break;
    }
    case Type::Real:
        if ((n = node(kvrt::Real)))
            n->resval.rreal = realValue(v);
        break;
    case Type::String:
    case Type::Symbol: {
        if (isT(v)) {
            n = node(kvrt::T);
            break;
        }
        // Other symbols travel as their names.
        const QString& s = v->type == Type::String ? stringValue(v) : symbolName(v);
        if ((n = node(kvrt::String))) {
            n->resval.rstring = kvAllocString(static_cast<std::size_t>(s.size()));
            if (!n->resval.rstring) {
                m_failed = true;
                return false;
            }
            std::memcpy(n->resval.rstring, s.utf16(), static_cast<std::size_t>(s.size()) * sizeof(char16_t));
        }
        break;
    }
    case Type::EntityName:
    case Type::SelectionSet: {
        const auto* name = static_cast<const NameObj*>(v.get());
        if ((n = node(v->type == Type::EntityName ? kvrt::EntityName : kvrt::PickSet))) {
            n->resval.rlname[0] = name->words[0];
            n->resval.rlname[1] = name->words[1];
        }
        break;
    }
    case Type::Cons: {
        const int size = pointSize(v);
        if ((n = node(size == 2 ? kvrt::Point2d : kvrt::Point3d))) {
            const Obj* p = v.get();
            for (int i = 0; i < size; ++i) {
                const auto* c = static_cast<const ConsObj*>(p);
                n->resval.rpoint[i] = numberValue(c->car);
                p = c->cdr.get();
            }
        }
        break;
    }
    case Type::File:
    case Type::UserFunction:
    case Type::Builtin:
    case Type::External: m_badType = true; return false;
    }
    return n != nullptr;
}

bool ChainWriter::append(const Ref& value, QString* error)
{
    auto failWith = [&](const Ref& culprit) {
        m_failed = true;
        if (m_badType)
            *error = QStringLiteral("bad argument type for an external function: %1")
                         .arg(printValue(culprit, true, 200));
        else if (m_budget < 0)
            *error = QStringLiteral("argument too large: more than %1 nodes").arg(m_maxNodes);
        else
            *error = QStringLiteral("out of memory");
        return false;
    };

    // Iterative, so that deeply nested lists cannot exhaust the stack: every open list
    // keeps the cell to convert next.
    std::vector<const Obj*> open;
    auto start = [&](const Ref& v) {
        if (isCons(v) && pointSize(v) == 0) {
            if (!node(kvrt::ListBegin))
                return false;
            open.push_back(v.get());
            return true;
        }
        return atom(v);
    };
    if (!start(value))
        return failWith(value);
    while (!open.empty()) {
        const Obj* p = open.back();
        if (!p) {
            open.pop_back();
            if (!node(kvrt::ListEnd))
                return failWith(Ref());
            continue;
        }
        if (p->type != Type::Cons) {
            // The second part of a dotted pair.
            const Ref tail(const_cast<Obj*>(p));
            open.back() = nullptr;
            if (!node(kvrt::DotEnd) || !atom(tail))
                return failWith(tail);
            continue;
        }
        const auto* c = static_cast<const ConsObj*>(p);
        open.back() = c->cdr.get();
        if (!start(c->car))
            return failWith(c->car);
    }
    return true;
}

Ref readChainValue(const kv_resbuf** cursor, bool* found)
{
    struct Open
    {
        ListBuilder items;
        bool dotted = false;
        bool tailRead = false;
    };
    std::vector<Open> open;
    Ref done;
    bool haveValue = false;
    // Hands a finished item to the list around it; without one it is the value.
    auto deliver = [&](Ref item) {
        if (open.empty()) {
            done = std::move(item);
            haveValue = true;
            return;
        }
        Open& o = open.back();
        if (o.tailRead)
            return; // values after the second part of a dotted pair are ignored
        if (o.dotted && !o.items.empty()) {
            o.items.setTail(std::move(item));
            o.tailRead = true;
        } else {
            o.items.append(std::move(item));
        }
    };

    const kv_resbuf* n = *cursor;
    while (n && !haveValue) {
        const kv_resbuf* cur = n;
        n = n->rbnext;
        switch (cur->restype) {
        case kvrt::ListBegin: open.emplace_back(); break;
        case kvrt::DotEnd:
            if (!open.empty())
                open.back().dotted = true;
            break;
        case kvrt::ListEnd:
            if (open.empty())
                break; // a stray end before any value
            {
                Ref list = open.back().items.take();
                open.pop_back();
                deliver(std::move(list));
            }
            break;
        default: deliver(atomValue(cur));
        }
    }
    // A chain that ends inside lists closes them there.
    while (!open.empty()) {
        Ref list = open.back().items.take();
        open.pop_back();
        deliver(std::move(list));
    }
    *cursor = n;
    if (found)
        *found = haveValue;
    return done;
}

Ref readChainList(const kv_resbuf* chain)
{
    ListBuilder b;
    const kv_resbuf* n = chain;
    while (n) {
        bool found = false;
        Ref v = readChainValue(&n, &found);
        if (found)
            b.append(std::move(v));
    }
    return b.take();
}

} // namespace kvlisp
