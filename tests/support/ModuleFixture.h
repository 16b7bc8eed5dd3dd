#pragma once

// For tests that link the module's core: a host with the module loaded and initialised.
#include "PlatformFixture.h"

#include "module/LispFunctionsModule.h"

// The module registers its images when its library loads; a test linking the core does
// it with this (once, before building dialogs).
inline void registerModuleImages()
{
    Q_INIT_RESOURCE(korvane);
}

// PlatformFixture plus the module object, created and initialised on the documents.
class ModuleFixture : public PlatformFixture
{
public:
    explicit ModuleFixture(int documents = 1) : PlatformFixture(documents)
    {
        void* handle = nullptr;
        m_module = kvCreateModuleObject(&handle);
        m_module->initApp();
    }
    ~ModuleFixture()
    {
        m_module->uninitApp();
        m_module->deleteModule();
    }
    OdRxModule* module() const { return m_module; }

private:
    OdRxModule* m_module = nullptr;
};
