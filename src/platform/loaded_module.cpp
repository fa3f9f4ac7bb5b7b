#include "platform/loaded_module.h"

#if defined(_WIN32)
// The two kernel functions used, declared here rather than through the
// whole Windows header set.
extern "C" {
__declspec(dllimport) void* __stdcall GetModuleHandleA(const char* name);
__declspec(dllimport) void* __stdcall GetProcAddress(void* module, const char* name);
}
#else
#include <dlfcn.h>
#endif

namespace platform {

#if defined(_WIN32)

void* FindLoadedModule(const char* name) {
    return name ? GetModuleHandleA(name) : nullptr;
}

void* FindModuleExport(void* module, const char* name) {
    if (module == nullptr || name == nullptr) return nullptr;
    return GetProcAddress(module, name);
}

#else

// RTLD_NOLOAD finds only a library already in the process. The reference it
// adds is given back at once: the host's own reference keeps the library
// loaded, as GetModuleHandleA does not add one either.
void* FindLoadedModule(const char* name) {
    if (name == nullptr) return nullptr;
    void* handle = dlopen(name, RTLD_NOLOAD | RTLD_NOW);
    if (handle != nullptr) dlclose(handle);
    return handle;
}

void* FindModuleExport(void* module, const char* name) {
    if (module == nullptr || name == nullptr) return nullptr;
    return dlsym(module, name);
}

#endif

}  // namespace platform
