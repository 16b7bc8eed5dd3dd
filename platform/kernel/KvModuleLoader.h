#pragma once

#include "KvPlatformExport.h"

#include <QString>
#include <memory>

class OdRxModule;
class QLibrary;

// The host's loader of run-time modules: loads a library by path, checks its interface
// version, creates its module object and initialises it; the reverse on unload.
class KVPLATFORM_EXPORT CKvModuleLoader
{
public:
    CKvModuleLoader();
    ~CKvModuleLoader();

    // Loads, creates and initialises the module; false with a message on failure.
    bool load(const QString& path, QString* error = nullptr);
    // uninitApp, deleteModule, unload. Does nothing when nothing is loaded.
    void unload();

    bool isLoaded() const { return m_module != nullptr; }
    OdRxModule* module() const { return m_module; }
    QString path() const { return m_path; }
    // The interface version the module reported.
    int version[4] = {0, 0, 0, 0};

private:
    std::unique_ptr<QLibrary> m_library;
    OdRxModule* m_module = nullptr;
    QString m_path;
};
