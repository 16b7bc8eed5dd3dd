#include "LispValue.h"

#include <QFile>

#include <cstring>
#include <vector>

namespace kvlisp {

namespace {

// Drops one count of every child and collects the children that died with it.
void dropChild(Ref& child, std::vector<Obj*>& dead)
{
    Obj* c = child.detach();
    if (c && --c->refs == 0)
        dead.push_back(c);
}

// Frees an object and whatever only it kept alive. Iterative: a list of a million
// elements, or a list nested a million deep, must not exhaust the stack.
void destroy(Obj* first)
{
    std::vector<Obj*> dead{first};
    while (!dead.empty()) {
        Obj* o = dead.back();
        dead.pop_back();
        if (o->type == Type::Cons) {
            auto* c = static_cast<ConsObj*>(o);
            dropChild(c->car, dead);
            dropChild(c->cdr, dead);
        } else if (o->type == Type::UserFunction) {
            auto* f = static_cast<FunctionObj*>(o);
            dropChild(f->params, dead);
            dropChild(f->locals, dead);
            dropChild(f->body, dead);
        }
        delete o;
    }
}

} // namespace

Ref::Ref(Obj* obj) : m_p(obj)
{
    if (m_p)
        ++m_p->refs;
}

Ref::Ref(const Ref& other) : m_p(other.m_p)
{
    if (m_p)
        ++m_p->refs;
}

Ref& Ref::operator=(const Ref& other)
{
    if (other.m_p)
        ++other.m_p->refs;
    release();
    m_p = other.m_p;
    return *this;
}

Ref& Ref::operator=(Ref&& other) noexcept
{
    if (this != &other) {
        release();
        m_p = other.m_p;
        other.m_p = nullptr;
    }
    return *this;
}

void Ref::release()
{
    Obj* p = m_p;
    m_p = nullptr;
    if (p && --p->refs == 0)
        destroy(p);
}

FileObj::FileObj(std::unique_ptr<QFile> f, char m, int n) : Obj(Type::File), file(std::move(f)), mode(m), number(n)
{
}

FileObj::~FileObj() = default;

Ref makeInt(std::int32_t v)
{
    return Ref(new IntObj(v));
}

Ref makeReal(double v)
{
    return Ref(new RealObj(v));
}

Ref makeString(const QString& v)
{
    return Ref(new StringObj(v));
}

Ref makeSymbol(const QString& upperName)
{
    if (upperName == QLatin1String("NIL"))
        return Ref();
    return Ref(new SymbolObj(upperName));
}

Ref makeT()
{
    return Ref(new SymbolObj(QStringLiteral("T")));
}

Ref cons(Ref car, Ref cdr)
{
    return Ref(new ConsObj(std::move(car), std::move(cdr)));
}

Ref makeName(Type type, std::int64_t a, std::int64_t b)
{
    return Ref(new NameObj(type, a, b));
}

bool isSymbolNamed(const Ref& v, const char* upperName)
{
    return isType(v, Type::Symbol) && symbolName(v) == QLatin1String(upperName);
}

long listLength(const Ref& list)
{
    long n = 0;
    const Obj* p = list.get();
    while (p && p->type == Type::Cons) {
        ++n;
        p = static_cast<const ConsObj*>(p)->cdr.get();
    }
    return p ? -1 : n;
}

void ListBuilder::append(Ref v)
{
    Ref cell = cons(std::move(v), Ref());
    auto* c = asCons(cell);
    if (m_tail)
        m_tail->cdr = std::move(cell);
    else
        m_head = std::move(cell);
    m_tail = c;
}

void ListBuilder::setTail(Ref v)
{
    if (m_tail)
        m_tail->cdr = std::move(v);
    else
        m_head = std::move(v);
}

} // namespace kvlisp
