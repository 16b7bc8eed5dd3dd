#include "LispPrinter.h"

#include "LispBuiltins.h"

#include <cmath>
#include <vector>

namespace kvlisp {

QString formatReal(double v)
{
    if (std::isnan(v))
        return QStringLiteral("nan");
    if (std::isinf(v))
        return v > 0 ? QStringLiteral("inf") : QStringLiteral("-inf");
    if (v == 0)
        return QStringLiteral("0.0"); // also for -0.0
    QString s = QString::number(v, 'g', 6);
    if (!s.contains(QLatin1Char('.'))) {
        const int e = s.indexOf(QLatin1Char('e'));
        if (e < 0)
            s += QLatin1String(".0");
        else
            s.insert(e, QLatin1String(".0"));
    }
    return s;
}

QString quoteString(const QString& s)
{
    QString out;
    out.reserve(s.size() + 2);
    out += QLatin1Char('"');
    for (const QChar c : s) {
        switch (c.unicode()) {
        case '"': out += QLatin1String("\\\""); break;
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\t': out += QLatin1String("\\t"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case 0x1b: out += QLatin1String("\\e"); break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7f)
                out += QLatin1Char('\\') + QStringLiteral("%1").arg(c.unicode(), 3, 8, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += QLatin1Char('"');
    return out;
}

namespace {

QString hexWord(std::int64_t w)
{
    return QString::number(static_cast<qulonglong>(w), 16);
}

QString nameText(const NameObj* n)
{
    QString s = hexWord(n->words[0]);
    // The second word is shown only when it tells two names apart.
    if (n->words[1] != 0)
        s += QLatin1Char(':') + hexWord(n->words[1]);
    return s;
}

void printAtom(const Obj* o, bool escape, QString& out)
{
    switch (o->type) {
    case Type::Int: out += QString::number(static_cast<const IntObj*>(o)->value); break;
    case Type::Real: out += formatReal(static_cast<const RealObj*>(o)->value); break;
    case Type::String: {
        const QString& s = static_cast<const StringObj*>(o)->value;
        out += escape ? quoteString(s) : s;
        break;
    }
    case Type::Symbol: out += static_cast<const SymbolObj*>(o)->name; break;
    case Type::EntityName:
        out += QLatin1String("<Entity name: ") + nameText(static_cast<const NameObj*>(o)) + QLatin1Char('>');
        break;
    case Type::SelectionSet:
        out += QLatin1String("<Selection set: ") + nameText(static_cast<const NameObj*>(o)) + QLatin1Char('>');
        break;
    case Type::File:
        out += QLatin1String("<File: #") + QString::number(static_cast<const FileObj*>(o)->number, 16)
               + QLatin1Char('>');
        break;
    case Type::UserFunction: {
        const QString& n = static_cast<const FunctionObj*>(o)->name;
        out += QLatin1String("<User function: ") + (n.isEmpty() ? QStringLiteral("lambda") : n) + QLatin1Char('>');
        break;
    }
    case Type::Builtin:
        out += QLatin1String("<Function: ") + builtinName(static_cast<const BuiltinObj*>(o)->def) + QLatin1Char('>');
        break;
    case Type::External:
        out += QLatin1String("<External function: ") + static_cast<const ExternalObj*>(o)->name + QLatin1Char('>');
        break;
    case Type::Cons: break; // lists are handled by the caller
    }
}

} // namespace

QString printValue(const Ref& v, bool escape, int maxChars)
{
    if (!v)
        return QStringLiteral("nil");
    QString out;
    if (v->type != Type::Cons) {
        printAtom(v.get(), escape, out);
        return out;
    }
    // Open lists, innermost last: the cell to print next and whether it is the first.
    struct Frame
    {
        const Obj* next;
        bool first;
    };
    std::vector<Frame> open;
    out += QLatin1Char('(');
    open.push_back({v.get(), true});
    while (!open.empty()) {
        if (out.size() > maxChars) {
            out += QLatin1String("...");
            break;
        }
        Frame& f = open.back();
        if (!f.next) {
            out += QLatin1Char(')');
            open.pop_back();
            continue;
        }
        if (f.next->type != Type::Cons) {
            // Dotted tail.
            out += QLatin1String(" . ");
            printAtom(f.next, escape, out);
            f.next = nullptr;
            continue;
        }
        const auto* cell = static_cast<const ConsObj*>(f.next);
        if (!f.first)
            out += QLatin1Char(' ');
        f.first = false;
        f.next = cell->cdr.get();
        const Obj* element = cell->car.get();
        if (!element) {
            out += QLatin1String("nil");
        } else if (element->type == Type::Cons) {
            out += QLatin1Char('(');
            open.push_back({element, true}); // f is not used after this
        } else {
            printAtom(element, escape, out);
        }
    }
    return out;
}

} // namespace kvlisp
