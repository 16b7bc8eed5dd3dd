#include "kernel/KvLispContext.h"

#include "drawing/KvDatabase.h"
#include "kernel/KvDocument.h"
#include "kernel/KvSystemServices.h"
#include "kernel/lisp/KvLispEngine.h"

#include <QDir>
#include <algorithm>
#include <cstring>

CKvLispContext::CKvLispContext(CKvDocument* document) : m_document(document) {}

CKvLispContext::~CKvLispContext()
{
    kvFreeChain(m_arguments);
    kvFreeChain(m_result);
}

KvLispEngine& CKvLispContext::engine()
{
    if (!m_engine)
        m_engine = std::make_unique<KvLispEngine>(this);
    return *m_engine;
}

// --- Defining external functions

bool CKvLispContext::DefineFunction(const CKvString& name, KvLispFunction handler)
{
    if (name.isEmpty() || !handler)
        return false;
    const QString key = name.toLower();
    if (!m_functions.contains(key))
        m_order.append(name);
    m_functions.insert(key, handler);
    return true;
}

bool CKvLispContext::UndefineFunction(const CKvString& name)
{
    const QString key = name.toLower();
    if (!m_functions.remove(key))
        return false;
    for (int i = 0; i < m_order.size(); ++i) {
        if (m_order.at(i).toLower() == key) {
            m_order.removeAt(i);
            break;
        }
    }
    return true;
}

bool CKvLispContext::IsFunctionDefined(const CKvString& name) const
{
    return m_functions.contains(name.toLower());
}

KvLispFunction CKvLispContext::FunctionHandler(const CKvString& name) const
{
    return m_functions.value(name.toLower(), nullptr);
}

QStringList CKvLispContext::DefinedFunctions() const
{
    return m_order;
}

// --- The call in progress

kv_resbuf* CKvLispContext::GetArgumentList()
{
    // The handler owns the list from now on; a second request finds nothing more to hand out.
    kv_resbuf* args = m_arguments;
    m_arguments = nullptr;
    return args;
}

void CKvLispContext::ReleaseChain(kv_resbuf* chain)
{
    kvFreeChain(chain);
}

void CKvLispContext::setResult(kv_resbuf* chain, ResultKind kind)
{
    kvFreeChain(m_result);
    m_result = chain;
    m_resultKind = kind;
}

int CKvLispContext::ReturnNil()
{
    setResult(nullptr, ResultKind::Nil);
    return kvrt::Normal;
}

int CKvLispContext::ReturnVoid()
{
    setResult(nullptr, ResultKind::Void);
    return kvrt::Normal;
}

int CKvLispContext::ReturnInteger(int value)
{
    kv_resbuf* node = nullptr;
    if (value >= -32768 && value <= 32767) {
        node = kvNewNode(kvrt::Short);
        node->resval.rint = short(value);
    } else {
        node = kvNewNode(kvrt::Long);
        node->resval.rlong = value;
    }
    setResult(node, ResultKind::Value);
    return kvrt::Normal;
}

int CKvLispContext::ReturnReal(double value)
{
    kv_resbuf* node = kvNewNode(kvrt::Real);
    node->resval.rreal = value;
    setResult(node, ResultKind::Value);
    return kvrt::Normal;
}

int CKvLispContext::ReturnString(const CKvString& value)
{
    kv_resbuf* node = kvNewNode(kvrt::String);
    node->resval.rstring = kvDuplicateString(value.utf16z());
    setResult(node, ResultKind::Value);
    return kvrt::Normal;
}

int CKvLispContext::ReturnString8(const char* value)
{
    return ReturnString(CKvString(QString::fromLocal8Bit(value ? value : "")));
}

int CKvLispContext::ReturnPoint(const double point[3], bool is3d)
{
    kv_resbuf* node = kvNewNode(is3d ? kvrt::Point3d : kvrt::Point2d);
    for (int i = 0; i < 3; ++i)
        node->resval.rpoint[i] = (i < 2 || is3d) ? point[i] : 0.0;
    setResult(node, ResultKind::Value);
    return kvrt::Normal;
}

int CKvLispContext::ReturnEntityName(const int64_t name[2])
{
    kv_resbuf* node = kvNewNode(kvrt::EntityName);
    node->resval.rlname[0] = name[0];
    node->resval.rlname[1] = name[1];
    setResult(node, ResultKind::Value);
    return kvrt::Normal;
}

static kv_resbuf* copyChain(const kv_resbuf* chain)
{
    kv_resbuf* head = nullptr;
    kv_resbuf** tail = &head;
    for (const kv_resbuf* n = chain; n; n = n->rbnext) {
        kv_resbuf* copy = kvNewNode(n->restype);
        copy->resval = n->resval;
        if (kvIsStringType(n->restype))
            copy->resval.rstring = n->resval.rstring ? kvDuplicateString(n->resval.rstring) : nullptr;
        *tail = copy;
        tail = &copy->rbnext;
    }
    return head;
}

int CKvLispContext::ReturnValue(const kv_resbuf* chain)
{
    setResult(copyChain(chain), chain ? ResultKind::Value : ResultKind::Nil);
    return kvrt::Normal;
}

int CKvLispContext::ReturnList(const kv_resbuf* chain)
{
    setResult(copyChain(chain), ResultKind::List);
    return kvrt::Normal;
}

kv_resbuf* CKvLispContext::NewNode(short type)
{
    return kvNewNode(type);
}

kv_resbuf* CKvLispContext::AppendValue(kv_resbuf** chain, short type)
{
    if (!chain)
        return nullptr;
    kv_resbuf* node = kvNewNode(type);
    kv_resbuf** tail = chain;
    while (*tail)
        tail = &(*tail)->rbnext;
    *tail = node;
    return node;
}

kv_resbuf* CKvLispContext::AppendString(kv_resbuf** chain, short type, const CKvString& value)
{
    kv_resbuf* node = AppendValue(chain, type);
    if (node && kvIsStringType(type))
        node->resval.rstring = kvDuplicateString(value.utf16z());
    return node;
}

kv_resbuf* CKvLispContext::AppendPoint(kv_resbuf** chain, const double point[3], bool is3d)
{
    kv_resbuf* node = AppendValue(chain, is3d ? kvrt::Point3d : kvrt::Point2d);
    if (node)
        for (int i = 0; i < 3; ++i)
            node->resval.rpoint[i] = (i < 2 || is3d) ? point[i] : 0.0;
    return node;
}

kv_resbuf* CKvLispContext::AppendEntityName(kv_resbuf** chain, const int64_t name[2])
{
    kv_resbuf* node = AppendValue(chain, kvrt::EntityName);
    if (node) {
        node->resval.rlname[0] = name[0];
        node->resval.rlname[1] = name[1];
    }
    return node;
}

kv_resbuf* CKvLispContext::AppendInteger(kv_resbuf** chain, int value)
{
    const bool small = value >= -32768 && value <= 32767;
    kv_resbuf* node = AppendValue(chain, small ? kvrt::Short : kvrt::Long);
    if (node) {
        if (small)
            node->resval.rint = short(value);
        else
            node->resval.rlong = value;
    }
    return node;
}

kv_resbuf* CKvLispContext::AppendReal(kv_resbuf** chain, double value)
{
    kv_resbuf* node = AppendValue(chain, kvrt::Real);
    if (node)
        node->resval.rreal = value;
    return node;
}

char16_t* CKvLispContext::AllocateString(std::size_t len)
{
    return kvAllocString(len);
}

// --- Variables and files

int CKvLispContext::GetSystemVariable(const CKvString& name, kv_resbuf* node)
{
    if (!node)
        return kvrt::Error;
    const QString key = name.toUpper();
    auto setString = [node](const QString& s) {
        node->restype = kvrt::String;
        node->resval.rstring = kvDuplicateString(reinterpret_cast<const char16_t*>(s.utf16()));
        return kvrt::Normal;
    };
    CKvSystemServices* services = GetKvSystemServices();
    if (key == QLatin1String("LOGFILEPATH")) {
        if (!services)
            return kvrt::Error;
        const QString folder = services->GetSettings()->GetLogFilePath();
        QDir().mkpath(folder);
        return setString(folder);
    }
    if (key == QLatin1String("DWGNAME"))
        return setString(m_document ? QFileInfo(m_document->GetFileName()).fileName() : QString());
    if (key == QLatin1String("DWGPREFIX")) {
        const QString file = m_document ? m_document->GetFileName() : QString();
        return setString(file.isEmpty() ? QString() : QFileInfo(file).absolutePath() + QLatin1Char('/'));
    }
    // The drawing's own settings.
    CKvDatabase* database = m_document ? m_document->GetKvDatabase() : nullptr;
    KvVariable value;
    if (!database || !database->getSysVar(key, &value))
        return kvrt::Error;
    switch (value.type) {
    case KvVariable::Type::Int16:
        node->restype = kvrt::Short;
        node->resval.rint = short(value.integer);
        break;
    case KvVariable::Type::Int32:
        node->restype = kvrt::Long;
        node->resval.rlong = value.integer;
        break;
    case KvVariable::Type::Real:
        node->restype = kvrt::Real;
        node->resval.rreal = value.real;
        break;
    case KvVariable::Type::String:
        return setString(value.text);
    case KvVariable::Type::Point:
        node->restype = kvrt::Point3d;
        std::copy(value.point, value.point + 3, node->resval.rpoint);
        break;
    }
    return kvrt::Normal;
}

int CKvLispContext::SetSystemVariable(const CKvString& name, const kv_resbuf* node)
{
    CKvDatabase* database = m_document ? m_document->GetKvDatabase() : nullptr;
    if (!database || !node || !database->hasSysVar(name))
        return kvrt::Error;
    KvVariable value;
    switch (node->restype) {
    case kvrt::Short:
        value = KvVariable::int16(node->resval.rint);
        break;
    case kvrt::Long:
        value = KvVariable::int32(node->resval.rlong);
        break;
    case kvrt::Real:
        value = KvVariable::number(node->resval.rreal);
        break;
    case kvrt::String:
        value = KvVariable::string(node->resval.rstring ? QString::fromUtf16(node->resval.rstring) : QString());
        break;
    case kvrt::Point2d:
    case kvrt::Point3d:
        value = KvVariable::point3d(node->resval.rpoint[0], node->resval.rpoint[1],
                                    node->restype == kvrt::Point3d ? node->resval.rpoint[2] : 0.0);
        break;
    default:
        return kvrt::Rejected;
    }
    // A 16-bit value given where the file put a 32-bit one (or the other way round) still fits.
    KvVariable current;
    if (database->getSysVar(name, &current) && (value.type == KvVariable::Type::Int16 || value.type == KvVariable::Type::Int32)
        && (current.type == KvVariable::Type::Int16 || current.type == KvVariable::Type::Int32)) {
        if (current.type == KvVariable::Type::Int16 && (value.integer < -32768 || value.integer > 32767))
            return kvrt::Rejected;
        value.type = current.type;
    }
    return database->setSysVar(name, value) ? kvrt::Normal : kvrt::Rejected;
}

int CKvLispContext::SetLispVariable(const CKvString& name, const kv_resbuf* value)
{
    if (name.isEmpty())
        return kvrt::Error;
    engine().setVariable(name, value);
    return kvrt::Normal;
}

int CKvLispContext::LoadLispFile(const CKvString& path)
{
    return engine().loadFile(path) ? kvrt::Normal : kvrt::Error;
}

// --- Calling a defined function

int CKvLispContext::Invoke(const CKvString& name, kv_resbuf* arguments, kv_resbuf** result, ResultKind* kind)
{
    if (result)
        *result = nullptr;
    if (kind)
        *kind = ResultKind::NotSet;
    KvLispFunction handler = FunctionHandler(name);
    if (!handler) {
        kvFreeChain(arguments);
        return kvrt::Error;
    }
    // Calls may nest (a handler that loads LISP code); each keeps its own arguments and result.
    // The outer call's arguments and result come back however this call ends, a handler
    // that throws included.
    struct CallFrame
    {
        CKvLispContext* c;
        kv_resbuf* arguments;
        kv_resbuf* result;
        ResultKind kind;
        ~CallFrame()
        {
            kvFreeChain(c->m_arguments); // arguments the handler never asked for
            kvFreeChain(c->m_result);
            c->m_arguments = arguments;
            c->m_result = result;
            c->m_resultKind = kind;
            --c->m_callDepth;
        }
    } frame{this, m_arguments, m_result, m_resultKind};
    m_arguments = arguments;
    m_result = nullptr;
    m_resultKind = ResultKind::NotSet;
    ++m_callDepth;
    const int status = handler();
    if (result) {
        *result = m_result;
        m_result = nullptr;
    }
    if (kind)
        *kind = m_resultKind;
    return status;
}
