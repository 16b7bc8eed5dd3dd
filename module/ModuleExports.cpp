// The module's two entry points, the only symbols it exports.
#include "module/LispFunctionsModule.h"

#include <QtGlobal>
#include <new>

// Q_INIT_RESOURCE declares the resource functions where it stands: global scope only.
static void registerImages() { Q_INIT_RESOURCE(korvane); }
static void unregisterImages() { Q_CLEANUP_RESOURCE(korvane); }

namespace {
// The compiled-in images are registered while the library is loaded.
struct ResourceRegistration
{
    ResourceRegistration() { registerImages(); }
    ~ResourceRegistration() { unregisterImages(); }
};
const ResourceRegistration g_resources;
} // namespace

extern "C" __attribute__((visibility("default"))) OdRxModule* odrxCreateModuleObject(void** handleWord)
{
    try {
        return kvCreateModuleObject(handleWord);
    } catch (...) {
        return nullptr;
    }
}

extern "C" __attribute__((visibility("default"))) void odrxGetAPIVersion(int* major, int* minor, int* majorBuild,
                                                                          int* minorBuild)
{
    kvGetAPIVersion(major, minor, majorBuild, minorBuild);
}
