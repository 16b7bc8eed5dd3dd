#include "LispCall.h"

#include "kernel/KvDocument.h"

#include <QStringList>

ArgChain::~ArgChain()
{
    kvFreeChain(m_head);
}

ArgChain::ArgChain(ArgChain&& other) noexcept : m_head(other.m_head), m_tail(other.m_tail)
{
    other.m_head = other.m_tail = nullptr;
}

kv_resbuf* ArgChain::append(short type)
{
    kv_resbuf* n = kvNewNode(type);
    if (m_tail)
        m_tail->rbnext = n;
    else
        m_head = n;
    m_tail = n;
    return n;
}

ArgChain& ArgChain::str(const QString& s)
{
    append(kvrt::String)->resval.rstring = kvDuplicateString(reinterpret_cast<const char16_t*>(s.utf16()));
    return *this;
}

ArgChain& ArgChain::int16(short v)
{
    append(kvrt::Short)->resval.rint = v;
    return *this;
}

ArgChain& ArgChain::int32(int v)
{
    append(kvrt::Long)->resval.rlong = v;
    return *this;
}

ArgChain& ArgChain::real(double v)
{
    append(kvrt::Real)->resval.rreal = v;
    return *this;
}

ArgChain& ArgChain::point(double x, double y, double z)
{
    kv_resbuf* n = append(kvrt::Point3d);
    n->resval.rpoint[0] = x;
    n->resval.rpoint[1] = y;
    n->resval.rpoint[2] = z;
    return *this;
}

ArgChain& ArgChain::point2d(double x, double y)
{
    kv_resbuf* n = append(kvrt::Point2d);
    n->resval.rpoint[0] = x;
    n->resval.rpoint[1] = y;
    return *this;
}

ArgChain& ArgChain::ename(int64_t a, int64_t b)
{
    kv_resbuf* n = append(kvrt::EntityName);
    n->resval.rlname[0] = a;
    n->resval.rlname[1] = b;
    return *this;
}

ArgChain& ArgChain::pickset(int64_t a, int64_t b)
{
    kv_resbuf* n = append(kvrt::PickSet);
    n->resval.rlname[0] = a;
    n->resval.rlname[1] = b;
    return *this;
}

ArgChain& ArgChain::nil()
{
    append(kvrt::Nil);
    return *this;
}

ArgChain& ArgChain::t()
{
    append(kvrt::T);
    return *this;
}

ArgChain& ArgChain::node(short type)
{
    append(type);
    return *this;
}

kv_resbuf* ArgChain::take()
{
    kv_resbuf* head = m_head;
    m_head = m_tail = nullptr;
    return head;
}

bool LispCallResult::isNil() const
{
    return kind == CKvLispContext::ResultKind::Nil || kind == CKvLispContext::ResultKind::NotSet
           || (chain && chain->restype == kvrt::Nil && !chain->rbnext);
}

int LispCallResult::integer() const
{
    if (!chain)
        return 0;
    return chain->restype == kvrt::Short ? chain->resval.rint : chain->restype == kvrt::Long ? chain->resval.rlong : 0;
}

QString LispCallResult::string() const
{
    return chain && chain->restype == kvrt::String && chain->resval.rstring ? QString::fromUtf16(chain->resval.rstring)
                                                                            : QString();
}

static QString printNode(const kv_resbuf* n)
{
    auto num = [](double v) { return QString::number(v, 'g', 12); };
    switch (n->restype) {
    case kvrt::Real:
        return num(n->resval.rreal);
    case kvrt::Short:
        return QString::number(n->resval.rint);
    case kvrt::Long:
        return QString::number(n->resval.rlong);
    case kvrt::String:
        return QLatin1Char('"') + (n->resval.rstring ? QString::fromUtf16(n->resval.rstring) : QString()) + QLatin1Char('"');
    case kvrt::Point2d:
        return QStringLiteral("(%1 %2)").arg(num(n->resval.rpoint[0]), num(n->resval.rpoint[1]));
    case kvrt::Point3d:
        return QStringLiteral("(%1 %2 %3)").arg(num(n->resval.rpoint[0]), num(n->resval.rpoint[1]), num(n->resval.rpoint[2]));
    case kvrt::EntityName:
        return QStringLiteral("<ename %1>").arg(n->resval.rlname[0]);
    case kvrt::PickSet:
        return QStringLiteral("<ss %1>").arg(n->resval.rlname[0]);
    case kvrt::Nil:
        return QStringLiteral("nil");
    case kvrt::T:
        return QStringLiteral("T");
    case kvrt::ListBegin:
        return QStringLiteral("(");
    case kvrt::ListEnd:
        return QStringLiteral(")");
    default:
        if (kvIsStringType(n->restype))
            return QStringLiteral("%1:\"%2\"").arg(n->restype).arg(n->resval.rstring ? QString::fromUtf16(n->resval.rstring) : QString());
        return QStringLiteral("%1:?").arg(n->restype);
    }
}

static QString printChain(const kv_resbuf* chain)
{
    QString out;
    for (const kv_resbuf* n = chain; n; n = n->rbnext) {
        const QString s = printNode(n);
        if (!out.isEmpty() && !out.endsWith(QLatin1Char('(')) && s != QLatin1String(")"))
            out += QLatin1Char(' ');
        out += s;
    }
    return out;
}

QString LispCallResult::printed() const
{
    if (kind == CKvLispContext::ResultKind::List) {
        if (chain && chain->restype == kvrt::ListBegin) {
            // A list chain may leave its closing node to the context.
            int depth = 0;
            for (const kv_resbuf* n = chain.get(); n; n = n->rbnext)
                depth += n->restype == kvrt::ListBegin ? 1 : n->restype == kvrt::ListEnd ? -1 : 0;
            return printChain(chain.get()) + QString(qMax(0, depth), QLatin1Char(')'));
        }
        return QLatin1Char('(') + printChain(chain.get()) + QLatin1Char(')');
    }
    if (isVoid())
        return QString();
    if (!chain)
        return QStringLiteral("nil");
    return printChain(chain.get());
}

LispCallResult callLisp(CKvDocument* document, const QString& name, ArgChain&& args)
{
    LispCallResult r;
    if (!document || !document->GetLispContext()) {
        r.status = kvrt::Error;
        return r;
    }
    kv_resbuf* result = nullptr;
    r.status = document->GetLispContext()->Invoke(name, args.take(), &result, &r.kind);
    r.chain = std::shared_ptr<kv_resbuf>(result, [](kv_resbuf* c) { kvFreeChain(c); });
    if (!result)
        r.chain.reset();
    return r;
}

ArgChain chainFrom(const QString& items)
{
    ArgChain chain;
    if (items.isEmpty())
        return chain;
    for (const QString& item : items.split('|')) {
        const QString kind = item.section(':', 0, 0);
        const QString value = item.section(':', 1);
        const QStringList n = value.split(',');
        if (kind == "S")
            chain.str(value);
        else if (kind == "I")
            chain.int16(short(value.toInt()));
        else if (kind == "L")
            chain.int32(value.toInt());
        else if (kind == "R")
            chain.real(value.toDouble());
        else if (kind == "P")
            chain.point(n.value(0).toDouble(), n.value(1).toDouble(), n.value(2).toDouble());
        else if (kind == "P2")
            chain.point2d(n.value(0).toDouble(), n.value(1).toDouble());
        else if (kind == "E")
            chain.ename(n.value(0).toLongLong(), n.value(1).toLongLong());
        else if (kind == "SS")
            chain.pickset(value.toLongLong());
        else if (kind == "N")
            chain.nil();
        else if (kind == "T")
            chain.t();
    }
    return chain;
}
