#include "kernel/KvSystemServices.h"

#include "kernel/KvDocument.h"

#include <QDir>
#include <QSettings>

namespace {
CKvSystemServices* g_services = nullptr;
QVector<CKvHelp::Call> g_helpCalls;
std::function<void(const CKvHelp::Call&)> g_helpListener;
bool g_custBlockAvailable = false;
bool g_custBlockAnswer = false;
CKvCustBlockUtils g_custBlockUtils;
} // namespace

// --- Settings

CKvAppSettings::CKvAppSettings(const QString& userFolder, const QStringList& supportFolders, const QString& helpFile)
    : m_userFolder(QDir::cleanPath(userFolder)), m_supportFolders(supportFolders), m_helpFile(helpFile)
{
    QDir().mkpath(m_userFolder);
}

void CKvAppSettings::SetAliasFolder(const QString& folder)
{
    m_aliasFolder = folder.isEmpty() ? QString() : QDir::cleanPath(folder);
}

QString CKvAppSettings::storeFile() const
{
    return m_userFolder + QStringLiteral("/settings.ini");
}

int CKvAppSettings::ReadValue(const CKvString& section, const CKvString& name, int type, kv_resbuf* out) const
{
    if (!out || section.isEmpty() || name.isEmpty())
        return kvrt::Error;
    QSettings store(storeFile(), QSettings::IniFormat);
    const QString key = section + QLatin1Char('/') + name;
    if (!store.contains(key))
        return kvrt::Error;
    const QVariant v = store.value(key);
    switch (type) {
    case 1:
        out->restype = kvrt::Long;
        out->resval.rlong = v.toInt();
        break;
    case 2:
        out->restype = kvrt::Real;
        out->resval.rreal = v.toDouble();
        break;
    default: {
        const QString s = v.toString();
        out->restype = kvrt::String;
        out->resval.rstring = kvDuplicateString(reinterpret_cast<const char16_t*>(s.utf16()));
        break;
    }
    }
    return kvrt::Normal;
}

int CKvAppSettings::WriteValue(const CKvString& section, const CKvString& name, const kv_resbuf* value)
{
    if (!value || section.isEmpty() || name.isEmpty())
        return kvrt::Error;
    QVariant v;
    switch (value->restype) {
    case kvrt::String:
        v = value->resval.rstring ? QString::fromUtf16(value->resval.rstring) : QString();
        break;
    case kvrt::Short:
        v = int(value->resval.rint);
        break;
    case kvrt::Long:
        v = int(value->resval.rlong);
        break;
    case kvrt::Real:
        v = value->resval.rreal;
        break;
    default:
        return kvrt::Error;
    }
    QSettings store(storeFile(), QSettings::IniFormat);
    store.setValue(section + QLatin1Char('/') + name, v);
    store.sync();
    return store.status() == QSettings::NoError ? kvrt::Normal : kvrt::Error;
}

// --- Services

CKvSystemServices::CKvSystemServices(const Options& options)
    : m_settings(std::make_unique<CKvAppSettings>(options.userFolder, options.supportFolders, options.helpFile)),
      m_renderer(std::make_unique<CKvPreviewRenderer>())
{
    m_settings->SetAliasFolder(options.aliasFolder);
    if (options.withDocumentManager)
        m_documents = std::make_unique<CKvDocumentManager>();
}

CKvSystemServices::~CKvSystemServices()
{
    if (m_documents)
        m_documents->CloseAll();
}

CKvSystemServices* CKvSystemServices::Create(const Options& options)
{
    Destroy();
    g_services = new CKvSystemServices(options);
    return g_services;
}

void CKvSystemServices::Destroy()
{
    delete g_services;
    g_services = nullptr;
}

CKvSystemServices* GetKvSystemServices()
{
    return g_services;
}

CKvDocument* ACTIVE_DOCUMENT()
{
    if (!g_services || !g_services->GetDocumentManager())
        return nullptr;
    return g_services->GetDocumentManager()->ActiveDocument();
}

// --- Help

void CKvHelp::Help(const CKvString& file, int id, QWidget* parent, int flag)
{
    const Call call{file, id, parent, flag};
    g_helpCalls.append(call);
    if (g_helpListener)
        g_helpListener(call);
}

QVector<CKvHelp::Call> CKvHelp::Calls()
{
    return g_helpCalls;
}

void CKvHelp::ClearCalls()
{
    g_helpCalls.clear();
}

void CKvHelp::SetListener(std::function<void(const Call&)> listener)
{
    g_helpListener = std::move(listener);
}

// --- Custom-block utility

CKvCustBlockUtils* CKvCustBlockUtils::Get()
{
    return g_custBlockAvailable ? &g_custBlockUtils : nullptr;
}

void CKvCustBlockUtils::SetAvailable(bool available, bool answer)
{
    g_custBlockAvailable = available;
    g_custBlockAnswer = answer;
}

bool CKvCustBlockUtils::IsCustomBlockMode(CKvDocument*, const CKvString&) const
{
    return g_custBlockAnswer;
}
