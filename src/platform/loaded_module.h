// Looking up a module that the host has already loaded. Never loads one.
#pragma once

namespace platform {

// The last search's name and answer, and the loader's counts of objects
// loaded and unloaded when it was made: while both counts stay the same, so
// does every answer a search among the loaded objects gives. Kept only on
// Linux; on Windows the look-up is cheap and nothing is kept.
struct ModuleSearchMemo {
    char name[256] = {};
    void* handle = nullptr;
    unsigned long long loads = 0;
    unsigned long long unloads = 0;
    bool known = false;
};

// The handle of the loaded module with this file name, or null; the memo
// answers again for the same name while nothing was loaded or unloaded.
void* FindLoadedModule(ModuleSearchMemo& memo, const char* name);

// The address of an export of a module found above, or null.
void* FindModuleExport(void* module, const char* name);

}  // namespace platform
