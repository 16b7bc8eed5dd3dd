#pragma once

#include <QString>

#include <cstdint>
#include <memory>
#include <utility>

class QFile;

namespace kvlisp {

// The kinds of LISP values; nil is the null reference and has no object.
enum class Type : std::uint8_t {
    Int,
    Real,
    String,
    Symbol,
    Cons,
    EntityName,
    SelectionSet,
    File,
    UserFunction,
    Builtin,
    External,
};

struct Obj;

// Counted reference to a LISP value; the null reference is nil. Structures cannot become
// cyclic (there is no destructive list operation), so counting frees everything.
class Ref
{
public:
    Ref() = default;
    explicit Ref(Obj* obj);
    Ref(const Ref& other);
    Ref(Ref&& other) noexcept : m_p(other.m_p) { other.m_p = nullptr; }
    Ref& operator=(const Ref& other);
    Ref& operator=(Ref&& other) noexcept;
    ~Ref() { release(); }

    Obj* get() const { return m_p; }
    Obj* operator->() const { return m_p; }
    bool isNil() const { return m_p == nullptr; }
    explicit operator bool() const { return m_p != nullptr; }
    // Hands the pointer over without touching the count (used by the iterative destroyer).
    Obj* detach()
    {
        Obj* p = m_p;
        m_p = nullptr;
        return p;
    }

private:
    void release();
    Obj* m_p = nullptr;
};

struct Obj
{
    explicit Obj(Type t) : type(t) {}
    virtual ~Obj() = default;
    Obj(const Obj&) = delete;
    Obj& operator=(const Obj&) = delete;

    long refs = 0;
    const Type type;
};

struct IntObj final : Obj
{
    explicit IntObj(std::int32_t v) : Obj(Type::Int), value(v) {}
    std::int32_t value;
};

struct RealObj final : Obj
{
    explicit RealObj(double v) : Obj(Type::Real), value(v) {}
    double value;
};

struct StringObj final : Obj
{
    explicit StringObj(QString v) : Obj(Type::String), value(std::move(v)) {}
    QString value;
};

// Symbols are compared by name; names are kept in upper case.
struct SymbolObj final : Obj
{
    explicit SymbolObj(QString n) : Obj(Type::Symbol), name(std::move(n)) {}
    QString name;
};

struct ConsObj final : Obj
{
    ConsObj(Ref a, Ref d) : Obj(Type::Cons), car(std::move(a)), cdr(std::move(d)) {}
    Ref car;
    Ref cdr;
};

// Entity names and selection-set names: two words handed out by the host.
struct NameObj final : Obj
{
    NameObj(Type t, std::int64_t a, std::int64_t b) : Obj(t), words{a, b} {}
    std::int64_t words[2];
};

// An open file; closing it early leaves the value in place, marked closed.
struct FileObj final : Obj
{
    FileObj(std::unique_ptr<QFile> f, char m, int n);
    ~FileObj() override;
    std::unique_ptr<QFile> file;
    char mode;     // 'r', 'w' or 'a'
    int number;    // shown when printed
    bool atStart = true; // a byte-order mark is skipped on the first read
};

// A function made by defun or lambda: parameters, locals (after "/") and body forms.
struct FunctionObj final : Obj
{
    FunctionObj(QString n, Ref p, Ref l, Ref b)
        : Obj(Type::UserFunction), name(std::move(n)), params(std::move(p)), locals(std::move(l)), body(std::move(b))
    {
    }
    QString name; // empty for a lambda
    Ref params;
    Ref locals;
    Ref body;
};

struct BuiltinDef;

struct BuiltinObj final : Obj
{
    explicit BuiltinObj(const BuiltinDef* d) : Obj(Type::Builtin), def(d) {}
    const BuiltinDef* def;
};

// A function defined in the document's LISP context by external code.
struct ExternalObj final : Obj
{
    explicit ExternalObj(QString n) : Obj(Type::External), name(std::move(n)) {}
    QString name;
};

// --- Constructors
Ref makeInt(std::int32_t v);
Ref makeReal(double v);
Ref makeString(const QString& v);
Ref makeSymbol(const QString& upperName);
Ref makeT();
Ref cons(Ref car, Ref cdr);
Ref makeName(Type type, std::int64_t a, std::int64_t b);
inline Ref boolValue(bool b) { return b ? makeT() : Ref(); }

// --- Tests and accessors (callers check the type before using the object's fields)
inline bool isType(const Ref& v, Type t) { return v && v->type == t; }
inline bool isCons(const Ref& v) { return isType(v, Type::Cons); }
inline bool isList(const Ref& v) { return !v || v->type == Type::Cons; }
inline bool isNumber(const Ref& v) { return v && (v->type == Type::Int || v->type == Type::Real); }
inline bool isFunction(const Ref& v)
{
    return v && (v->type == Type::UserFunction || v->type == Type::Builtin || v->type == Type::External);
}
bool isSymbolNamed(const Ref& v, const char* upperName);
inline bool isT(const Ref& v) { return isSymbolNamed(v, "T"); }

inline ConsObj* asCons(const Ref& v) { return static_cast<ConsObj*>(v.get()); }
inline const Ref& car(const Ref& v) { return asCons(v)->car; }
inline const Ref& cdr(const Ref& v) { return asCons(v)->cdr; }
inline std::int32_t intValue(const Ref& v) { return static_cast<IntObj*>(v.get())->value; }
inline double realValue(const Ref& v) { return static_cast<RealObj*>(v.get())->value; }
inline double numberValue(const Ref& v) { return v->type == Type::Int ? intValue(v) : realValue(v); }
inline const QString& stringValue(const Ref& v) { return static_cast<StringObj*>(v.get())->value; }
inline const QString& symbolName(const Ref& v) { return static_cast<SymbolObj*>(v.get())->name; }

// The number of elements of a proper list; -1 for a dotted list.
long listLength(const Ref& list);

// Builds a list front to back without walking it again for every element.
class ListBuilder
{
public:
    void append(Ref v);
    // Ends the list with a non-list tail (a dotted pair).
    void setTail(Ref v);
    bool empty() const { return !m_head; }
    Ref take()
    {
        m_tail = nullptr;
        return std::move(m_head);
    }

private:
    Ref m_head;
    ConsObj* m_tail = nullptr;
};

} // namespace kvlisp
