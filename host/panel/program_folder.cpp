#include "panel/program_folder.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace panelhost {

#if defined(_WIN32)

std::filesystem::path ProgramFolder() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::filesystem::path(path).parent_path();
}

#else

std::filesystem::path ProgramFolder() {
    std::error_code ec;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : program.parent_path();
}

#endif

}  // namespace panelhost
