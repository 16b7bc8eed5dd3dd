#include "module/LispFunctionsModule.h"

#include "kernel/KvSystemServices.h"
#include "module/DialogRegistry.h"
#include "module/LispFunctionTable.h"

#include <QDir>
#include <QFileInfo>
#include <dlfcn.h>

namespace {
using ModuleObject = OdRxWin32Module<CLispFunctionsModule>;
ModuleObject* g_module = nullptr;
} // namespace

CLispFunctionsModule::CLispFunctionsModule() = default;
CLispFunctionsModule::~CLispFunctionsModule() = default;

void CLispFunctionsModule::deleteModule()
{
    if (g_module == this)
        g_module = nullptr;
    delete this;
}

// No exception may cross into the host: its loader and its document manager call these.
// An attach that fails half-way leaves the document without the module's functions.
void CLispFunctionsModule::attach(CKvDocument* document)
{
    try {
        LispFunctionTable::defineAll(document);
        DialogRegistry::appendRecord(document);
    } catch (...) {
        LispFunctionTable::undefineAll(document);
    }
}

void CLispFunctionsModule::detach(CKvDocument* document)
{
    try {
        LispFunctionTable::undefineAll(document);
        DialogRegistry::removeRecord(document);
    } catch (...) {
    }
}

void CLispFunctionsModule::initApp()
{
    CKvSystemServices* services = GetKvSystemServices();
    CKvDocumentManager* manager = services ? services->GetDocumentManager() : nullptr;
    if (!manager)
        return;
    manager->AddReactor(this);
    for (short i = 0; i < manager->DocumentCount(); ++i)
        attach(manager->GetDocument(i));
}

void CLispFunctionsModule::uninitApp()
{
    CKvSystemServices* services = GetKvSystemServices();
    CKvDocumentManager* manager = services ? services->GetDocumentManager() : nullptr;
    if (!manager)
        return;
    manager->RemoveReactor(this);
    for (short i = 0; i < manager->DocumentCount(); ++i)
        detach(manager->GetDocument(i));
}

OdString CLispFunctionsModule::moduleName() const
{
    return OdString(kvModuleFilePath());
}

void CLispFunctionsModule::DatabaseAttached(CKvDocument* document)
{
    attach(document);
}

void CLispFunctionsModule::DatabaseDetached(CKvDocument* document)
{
    detach(document);
}

void CLispFunctionsModule::DocumentToBeActivated(CKvDocument*) {}

OdRxModule* kvCreateModuleObject(void** handleWord)
{
    if (g_module)
        return g_module;
    g_module = new ModuleObject(handleWord ? *handleWord : nullptr);
    if (handleWord)
        *handleWord = nullptr;
    kvModuleFilePath(); // fix the path while the loader's spelling is still current
    return g_module;
}

OdRxModule* kvModuleSingleton()
{
    return g_module;
}

void kvGetAPIVersion(int* major, int* minor, int* majorBuild, int* minorBuild)
{
    if (major)
        *major = 4;
    if (minor)
        *minor = 3;
    if (majorBuild)
        *majorBuild = 2;
    if (minorBuild)
        *minorBuild = 74183;
}

QString kvModuleFilePath()
{
    // dladdr reports the path as it was handed to dlopen; it is made absolute once, at
    // load, so that a later change of the current folder cannot change the answer.
    static const QString path = [] {
        Dl_info info{};
        if (dladdr(reinterpret_cast<void*>(&kvModuleFilePath), &info) && info.dli_fname)
            return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
        return QString();
    }();
    return path;
}
