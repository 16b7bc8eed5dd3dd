#include "kernel/KvSelectionFilter.h"

#include "drawing/KvDatabase.h"
#include "kernel/KvPick.h"

#include <cmath>
#include <vector>

namespace {
// Groups nested deeper than this are refused rather than risk the stack.
constexpr int kMaxNesting = 256;
} // namespace

struct KvSelectionFilter::Node
{
    enum class Kind { Test, And, Or, Not, Xor };
    enum class Op { Equal, NotEqual, Less, LessEqual, Greater, GreaterEqual, Any, BitsAny, BitsAll };

    Kind kind = Kind::And;
    std::vector<Node> children; // groups
    short code = 0;             // tests
    Op op = Op::Equal;
    QString text;
    double number = 0;
};

namespace {

using Node = KvSelectionFilter::Node;

QString nodeText(const kv_resbuf* n)
{
    return n->resval.rstring ? QString::fromUtf16(n->resval.rstring) : QString();
}

bool groupKind(const QString& name, Node::Kind* kind)
{
    static const struct
    {
        const char* name;
        Node::Kind kind;
    } groups[] = {{"AND", Node::Kind::And}, {"OR", Node::Kind::Or}, {"NOT", Node::Kind::Not}, {"XOR", Node::Kind::Xor}};
    for (const auto& g : groups) {
        if (name == QLatin1String(g.name)) {
            *kind = g.kind;
            return true;
        }
    }
    return false;
}

bool relationalOp(const QString& text, Node::Op* op)
{
    static const struct
    {
        const char* text;
        Node::Op op;
    } ops[] = {{"=", Node::Op::Equal},          {"!=", Node::Op::NotEqual},  {"/=", Node::Op::NotEqual},
               {"<>", Node::Op::NotEqual},      {"<", Node::Op::Less},       {"<=", Node::Op::LessEqual},
               {">", Node::Op::Greater},        {">=", Node::Op::GreaterEqual}, {"*", Node::Op::Any},
               {"&", Node::Op::BitsAny},        {"&=", Node::Op::BitsAll}};
    for (const auto& o : ops) {
        if (text == QLatin1String(o.text)) {
            *op = o.op;
            return true;
        }
    }
    return false;
}

// Reads the chain into a tree, one item after the other.
class Compiler
{
public:
    explicit Compiler(const kv_resbuf* chain) : m_next(chain) {}

    // The items up to `closer` (empty at the top level: up to the end of the chain).
    bool items(Node& group, const QString& closer, int depth)
    {
        while (m_next) {
            const kv_resbuf* n = m_next;
            if (n->restype != -4) {
                Node test;
                if (!makeTest(n, Node::Op::Equal, &test))
                    return false;
                group.children.push_back(std::move(test));
                m_next = n->rbnext;
                continue;
            }
            const QString op = nodeText(n).toUpper();
            m_next = n->rbnext;
            Node::Kind kind = Node::Kind::And;
            if (op.startsWith(QLatin1Char('<')) && groupKind(op.mid(1), &kind)) {
                if (depth >= kMaxNesting)
                    return fail(QStringLiteral("groups nested too deeply"));
                Node child;
                child.kind = kind;
                if (!items(child, op.mid(1) + QLatin1Char('>'), depth + 1) || !checkCount(child, op.mid(1)))
                    return false;
                group.children.push_back(std::move(child));
                continue;
            }
            if (op.endsWith(QLatin1Char('>')) && groupKind(op.left(op.size() - 1), &kind)) {
                if (op != closer)
                    return fail(QStringLiteral("%1 without its opening group").arg(op));
                return true;
            }
            Node::Op relation;
            if (!relationalOp(op, &relation))
                return fail(QStringLiteral("unknown operator \"%1\"").arg(nodeText(n)));
            if (!m_next || m_next->restype == -4)
                return fail(QStringLiteral("operator \"%1\" without a test after it").arg(op));
            Node test;
            if (!makeTest(m_next, relation, &test))
                return false;
            group.children.push_back(std::move(test));
            m_next = m_next->rbnext;
        }
        if (!closer.isEmpty())
            return fail(QStringLiteral("group never closed with %1").arg(closer));
        return true;
    }

    QString error() const { return m_error; }

private:
    bool fail(const QString& error)
    {
        if (m_error.isEmpty())
            m_error = error;
        return false;
    }

    bool checkCount(const Node& group, const QString& name)
    {
        const std::size_t n = group.children.size();
        const bool ok = group.kind == Node::Kind::Not ? n == 1 : group.kind == Node::Kind::Xor ? n == 2 : n >= 1;
        return ok || fail(QStringLiteral("<%1 with %2 tests").arg(name).arg(n));
    }

    bool makeTest(const kv_resbuf* n, Node::Op op, Node* test)
    {
        if (n->restype >= 5000 && n->restype != kvrt::Dxf0)
            return fail(QStringLiteral("%1 is no group code").arg(n->restype));
        test->kind = Node::Kind::Test;
        test->code = n->restype == kvrt::Dxf0 ? 0 : n->restype;
        test->op = op;
        switch (kvGroupValueType(n->restype)) {
        case KvGroupValue::String:
            test->text = nodeText(n);
            if (op != Node::Op::Equal && op != Node::Op::NotEqual && op != Node::Op::Any)
                return fail(QStringLiteral("a text compared by size or bits (group %1)").arg(test->code));
            return true;
        case KvGroupValue::Short:
            test->number = n->resval.rint;
            return true;
        case KvGroupValue::Long:
            test->number = n->resval.rlong;
            return true;
        case KvGroupValue::Real:
            test->number = n->resval.rreal;
            break;
        case KvGroupValue::Point:
        case KvGroupValue::Name:
            break; // no such data is kept here: the test passes
        }
        if (op == Node::Op::BitsAny || op == Node::Op::BitsAll)
            return fail(QStringLiteral("bits of a value that is no integer (group %1)").arg(test->code));
        return true;
    }

    const kv_resbuf* m_next;
    QString m_error;
};

bool compareText(const Node& test, const QString& value)
{
    switch (test.op) {
    case Node::Op::Any:
        return true;
    case Node::Op::NotEqual:
        return !KvPick::matchesPattern(value, test.text);
    default:
        return KvPick::matchesPattern(value, test.text);
    }
}

bool compareNumber(const Node& test, double value)
{
    // Reals read from drawings and typed in LISP agree to far more digits than this.
    const double tolerance = 1e-10 * std::max(1.0, std::fabs(test.number));
    const auto bits = [](double v) { return static_cast<long long>(v); };
    switch (test.op) {
    case Node::Op::Equal: return std::fabs(value - test.number) <= tolerance;
    case Node::Op::NotEqual: return std::fabs(value - test.number) > tolerance;
    case Node::Op::Less: return value < test.number;
    case Node::Op::LessEqual: return value <= test.number;
    case Node::Op::Greater: return value > test.number;
    case Node::Op::GreaterEqual: return value >= test.number;
    case Node::Op::Any: return true;
    case Node::Op::BitsAny: return (bits(value) & bits(test.number)) != 0;
    case Node::Op::BitsAll: return (bits(value) & bits(test.number)) == bits(test.number);
    }
    return false;
}

bool testMatches(const Node& test, const OdDbEntity& entity)
{
    switch (test.code) {
    case 0:
        return compareText(test, entity.dxfName());
    case 8:
        return compareText(test, entity.layer);
    case 1:
        if (const auto* text = dynamic_cast<const OdDbText*>(&entity))
            return compareText(test, text->text);
        if (const auto* rtext = dynamic_cast<const RText*>(&entity))
            return compareText(test, rtext->contents);
        return false;
    case 2:
        if (const auto* insert = dynamic_cast<const OdDbBlockReference*>(&entity)) {
            const auto* block = dynamic_cast<const OdDbBlockTableRecord*>(insert->blockId.openObject());
            return compareText(test, block ? block->name : QString());
        }
        return false;
    case 62:
        return compareNumber(test, entity.colorIndex);
    case 40:
        if (const auto* circle = dynamic_cast<const OdDbCircle*>(&entity))
            return compareNumber(test, circle->radius);
        if (const auto* arc = dynamic_cast<const OdDbArc*>(&entity))
            return compareNumber(test, arc->radius);
        if (const auto* text = dynamic_cast<const OdDbText*>(&entity))
            return compareNumber(test, text->height);
        if (const auto* rtext = dynamic_cast<const RText*>(&entity))
            return compareNumber(test, rtext->height);
        return false;
    default:
        return true;
    }
}

bool nodeMatches(const Node& node, const OdDbEntity& entity)
{
    switch (node.kind) {
    case Node::Kind::Test:
        return testMatches(node, entity);
    case Node::Kind::And:
        for (const Node& child : node.children)
            if (!nodeMatches(child, entity))
                return false;
        return true;
    case Node::Kind::Or:
        for (const Node& child : node.children)
            if (nodeMatches(child, entity))
                return true;
        return false;
    case Node::Kind::Not:
        return !nodeMatches(node.children.front(), entity);
    case Node::Kind::Xor:
        return nodeMatches(node.children.front(), entity) != nodeMatches(node.children.back(), entity);
    }
    return false;
}

} // namespace

KvSelectionFilter::KvSelectionFilter(const kv_resbuf* chain) : m_root(std::make_unique<Node>())
{
    Compiler compiler(chain);
    if (!compiler.items(*m_root, QString(), 0)) {
        m_error = compiler.error();
        m_root->children.clear();
    }
}

KvSelectionFilter::~KvSelectionFilter() = default;

bool KvSelectionFilter::matches(const OdDbEntity& entity) const
{
    return isValid() && nodeMatches(*m_root, entity);
}
