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
#include <link.h>

#include <cstddef>
#include <cstring>
#endif

namespace platform {

#if defined(_WIN32)

void* FindLoadedModule(ModuleSearchMemo& /*memo*/, const char* name) {
    return name ? GetModuleHandleA(name) : nullptr;
}

void* FindModuleExport(void* module, const char* name) {
    if (module == nullptr || name == nullptr) return nullptr;
    return GetProcAddress(module, name);
}

#else

namespace {

// The loaded object whose file name (its path after the last '/') is the
// one looked for, by its path as the loader knows it.
struct LoadedPathSearch {
    const char* file_name;
    char path[4096];
    bool found;
};

int MatchFileName(dl_phdr_info* info, std::size_t, void* data) {
    auto* search = static_cast<LoadedPathSearch*>(data);
    const char* path = info->dlpi_name;
    if (path == nullptr || path[0] == '\0') return 0;
    const char* slash = std::strrchr(path, '/');
    if (std::strcmp(slash != nullptr ? slash + 1 : path, search->file_name) != 0) return 0;
    if (std::strlen(path) >= sizeof(search->path)) return 0;
    std::strcpy(search->path, path);
    search->found = true;
    return 1;
}

// The loader's count of objects loaded and unloaded so far: while both stay
// the same, so does every answer a search among the loaded objects gives.
struct LoaderGeneration {
    unsigned long long adds;
    unsigned long long subs;
    bool known;
};

int ReadGeneration(dl_phdr_info* info, std::size_t size, void* data) {
    auto* generation = static_cast<LoaderGeneration*>(data);
    if (size >= offsetof(dl_phdr_info, dlpi_subs) + sizeof(info->dlpi_subs)) {
        generation->adds = info->dlpi_adds;
        generation->subs = info->dlpi_subs;
        generation->known = true;
    }
    return 1;  // the first object carries the counts
}

LoaderGeneration CurrentGeneration() {
    LoaderGeneration generation{0, 0, false};
    dl_iterate_phdr(&ReadGeneration, &generation);
    return generation;
}

bool StillHolds(const ModuleSearchMemo& memo, const LoaderGeneration& now, const char* name) {
    return memo.known && now.known && memo.loads == now.adds && memo.unloads == now.subs &&
           std::strcmp(name, memo.name) == 0;
}

void* SearchLoadedModule(const char* name) {
    LoadedPathSearch search{name, {}, false};
    dl_iterate_phdr(&MatchFileName, &search);
    if (!search.found) return nullptr;
    void* handle = dlopen(search.path, RTLD_NOLOAD | RTLD_NOW);
    if (handle != nullptr) dlclose(handle);
    return handle;
}

}  // namespace

// The frame cycle asks on every drawn frame, so the search stays among the
// objects already in the process: a bare name handed to dlopen, even with
// RTLD_NOLOAD, would be searched for on disk when nothing loaded carries it
// (hundreds of microseconds). The path found is then matched by dlopen by
// name only. The reference it adds is given back at once: the host's own
// reference keeps the library loaded, as GetModuleHandleA does not add one
// either. While nothing has been loaded or unloaded since the last search
// for the same name, its answer still holds and is given again.
void* FindLoadedModule(ModuleSearchMemo& memo, const char* name) {
    if (name == nullptr || name[0] == '\0') return nullptr;
    const LoaderGeneration now = CurrentGeneration();
    if (StillHolds(memo, now, name)) return memo.handle;
    void* handle = SearchLoadedModule(name);
    memo.known = now.known && std::strlen(name) < sizeof(memo.name);
    if (memo.known) {
        std::strcpy(memo.name, name);
        memo.handle = handle;
        memo.loads = now.adds;
        memo.unloads = now.subs;
    }
    return handle;
}

void* FindModuleExport(void* module, const char* name) {
    if (module == nullptr || name == nullptr) return nullptr;
    return dlsym(module, name);
}

#endif

}  // namespace platform
