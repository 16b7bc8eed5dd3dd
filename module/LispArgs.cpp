#include "module/LispArgs.h"

#include "kernel/KvLispContext.h"

LispArgs::LispArgs(CKvLispContext* context)
    : m_context(context), m_first(context ? context->GetArgumentList() : nullptr), m_next(m_first)
{
}

LispArgs::~LispArgs()
{
    release();
}

void LispArgs::release()
{
    if (m_first && m_context)
        m_context->ReleaseChain(m_first);
    m_first = nullptr;
    m_next = nullptr;
}

void LispArgs::skip()
{
    if (m_next)
        m_next = m_next->rbnext;
}

const kv_resbuf* LispArgs::take(short type)
{
    if (!m_next || m_next->restype != type)
        return nullptr;
    const kv_resbuf* node = m_next;
    m_next = m_next->rbnext;
    return node;
}

LispArgs::Status LispArgs::nextString(CKvString& out)
{
    if (!m_next)
        return Missing;
    const kv_resbuf* node = take(kvrt::String);
    if (!node)
        return WrongType;
    out = node->resval.rstring ? QString::fromUtf16(node->resval.rstring) : QString();
    return Ok;
}

QStringList LispArgs::nextStrings(short stopAt)
{
    QStringList strings;
    while (m_next) {
        const kv_resbuf* node = m_next;
        m_next = m_next->rbnext;
        if (stopAt != 0 && node->restype == stopAt)
            break;
        if (node->restype == kvrt::String)
            strings.append(node->resval.rstring ? QString::fromUtf16(node->resval.rstring) : QString());
    }
    return strings;
}

LispArgs::Status LispArgs::nextInt16(short& out)
{
    int value = 0;
    const Status s = nextInt32(value);
    if (s == Ok)
        out = static_cast<short>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(value) & 0xffffu));
    return s;
}

LispArgs::Status LispArgs::nextInt32(int& out)
{
    if (!m_next)
        return Missing;
    if (const kv_resbuf* node = take(kvrt::Short)) {
        out = node->resval.rint;
        return Ok;
    }
    if (const kv_resbuf* node = take(kvrt::Long)) {
        out = node->resval.rlong;
        return Ok;
    }
    return WrongType;
}

LispArgs::Status LispArgs::nextReal(double& out)
{
    if (!m_next)
        return Missing;
    const kv_resbuf* node = take(kvrt::Real);
    if (!node)
        return WrongType;
    out = node->resval.rreal;
    return Ok;
}

LispArgs::Status LispArgs::nextPoint(double out[3], bool allow2d)
{
    if (!m_next)
        return Missing;
    const kv_resbuf* node = take(kvrt::Point3d);
    if (!node && allow2d)
        node = take(kvrt::Point2d);
    if (!node)
        return WrongType;
    out[0] = node->resval.rpoint[0];
    out[1] = node->resval.rpoint[1];
    out[2] = node->restype == kvrt::Point3d ? node->resval.rpoint[2] : 0.0;
    return Ok;
}

LispArgs::Status LispArgs::nextEntityName(int64_t out[2])
{
    if (!m_next)
        return Missing;
    const kv_resbuf* node = take(kvrt::EntityName);
    if (!node)
        return WrongType;
    out[0] = node->resval.rlname[0];
    out[1] = node->resval.rlname[1];
    return Ok;
}

LispArgs::Status LispArgs::nextSelectionSet(int64_t out[2])
{
    if (!m_next)
        return Missing;
    const kv_resbuf* node = take(kvrt::PickSet);
    if (!node)
        return WrongType;
    out[0] = node->resval.rlname[0];
    out[1] = node->resval.rlname[1];
    return Ok;
}

LispArgs::Status LispArgs::nextNilOrT(bool& isT)
{
    if (!m_next)
        return Missing;
    if (take(kvrt::T)) {
        isT = true;
        return Ok;
    }
    if (take(kvrt::Nil)) {
        isT = false;
        return Ok;
    }
    return WrongType;
}
