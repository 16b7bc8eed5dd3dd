#pragma once

#include "LispValue.h"

#include <vector>

namespace kvlisp {

class Interp;
class Call;

using BuiltinFn = Ref (*)(Call&);

// One function the engine itself provides; maxArgs -1: any number.
struct BuiltinDef
{
    const char* name; // lower case
    BuiltinFn fn;
    int minArgs;
    int maxArgs;
};

// The built-in function of that (upper-case) name, or null.
const BuiltinDef* findBuiltin(const QString& upperName);
// The name as a symbol prints it (upper case).
QString builtinName(const BuiltinDef* def);
// The names of all built-ins, lower case, in table order.
QStringList builtinNames();

// The evaluated arguments of one built-in call, with checks that raise the LISP error a
// wrong argument deserves.
class Call
{
public:
    Call(Interp& interp, const BuiltinDef* def, std::vector<Ref>& args) : m_interp(interp), m_def(def), m_args(args) {}

    Interp& interp() const { return m_interp; }
    QString name() const { return builtinName(m_def); }
    int count() const { return static_cast<int>(m_args.size()); }
    bool has(int i) const { return i < count(); }
    // The argument, nil when absent.
    const Ref& arg(int i) const;
    std::vector<Ref>& args() { return m_args; }

    std::int32_t intArg(int i) const;    // an integer
    double numArg(int i) const;          // an integer or a real
    const QString& strArg(int i) const;  // a string
    Ref listArg(int i) const;            // nil or a list
    FileObj* fileArg(int i) const;       // a file descriptor
    QString nameArg(int i) const;        // a string or a symbol, upper case

    [[noreturn]] void badType(const char* predicate, int i) const;

    // The call yields "no value" ((princ) without arguments, or what apply and eval pass on).
    void setVoid() { m_void = true; }
    bool isVoid() const { return m_void; }

private:
    Interp& m_interp;
    const BuiltinDef* m_def;
    std::vector<Ref>& m_args;
    bool m_void = false;
};

// Structural equality: numbers by value (1 equals 1.0), strings by text, lists element by
// element; fuzz widens the comparison of numbers.
bool valuesEqual(const Ref& a, const Ref& b, double fuzz = 0);

} // namespace kvlisp
