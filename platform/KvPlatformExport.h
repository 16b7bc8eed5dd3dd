#pragma once

// Symbols of the host's libraries that the module and kvhost link against.
#if defined(KVPLATFORM_BUILD)
#define KVPLATFORM_EXPORT __attribute__((visibility("default")))
#else
#define KVPLATFORM_EXPORT __attribute__((visibility("default")))
#endif
