#include "kernel/KvModuleLoader.h"

#include "drawing/OdRx.h"

#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <dlfcn.h>

CKvModuleLoader::CKvModuleLoader() = default;

CKvModuleLoader::~CKvModuleLoader()
{
    unload();
}

bool CKvModuleLoader::load(const QString& path, QString* error)
{
    auto fail = [error](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    if (m_module)
        return fail(QStringLiteral("A module is loaded already."));
    // dlopen does not search the current folder: always hand it an absolute path.
    const QString absolute = QFileInfo(path).absoluteFilePath();
    auto library = std::make_unique<QLibrary>(absolute);
    library->setLoadHints(QLibrary::ResolveAllSymbolsHint);
    if (!library->load())
        return fail(library->errorString());
    auto getVersion = reinterpret_cast<OdRxGetAPIVersionFn>(library->resolve("odrxGetAPIVersion"));
    auto create = reinterpret_cast<OdRxCreateModuleObjectFn>(library->resolve("odrxCreateModuleObject"));
    if (!getVersion || !create) {
        library->unload();
        return fail(QStringLiteral("%1 is not a run-time module.").arg(absolute));
    }
    getVersion(&version[0], &version[1], &version[2], &version[3]);
    if (version[0] != 4 || version[1] != 3) {
        library->unload();
        return fail(QStringLiteral("%1 was built for interface %2.%3, not 4.3.").arg(absolute).arg(version[0]).arg(version[1]));
    }
    // The module handle is the operating system's handle of the loaded library.
    void* handleWord = dlopen(QFile::encodeName(absolute).constData(), RTLD_NOW | RTLD_NOLOAD);
    if (handleWord)
        dlclose(handleWord); // only the handle was wanted, not another reference
    OdRxModule* module = create(&handleWord);
    if (!module) {
        library->unload();
        return fail(QStringLiteral("%1 did not create its module object.").arg(absolute));
    }
    module->addRef();
    m_library = std::move(library);
    m_module = module;
    m_path = absolute;
    m_module->initApp();
    return true;
}

void CKvModuleLoader::unload()
{
    if (!m_module)
        return;
    m_module->uninitApp();
    m_module->release();
    m_module->deleteModule();
    m_module = nullptr;
    m_library->unload();
    m_library.reset();
    m_path.clear();
}
