// Looking up a module that the host has already loaded. Never loads one.
#pragma once

namespace platform {

// The handle of the loaded module with this file name, or null.
void* FindLoadedModule(const char* name);

// The address of an export of a module found above, or null.
void* FindModuleExport(void* module, const char* name);

// Forgets the last search's answer kept for this thread (Linux only; on
// Windows nothing is kept). For a reset of the module's shared state.
void ForgetLastModuleSearch();

}  // namespace platform
