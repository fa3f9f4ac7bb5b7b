#include "process_memory.h"

#if defined(_WIN32)
#include <windows.h>
#include <psapi.h>
#else
#include <malloc.h>

#include <fstream>
#include <sstream>
#include <string>
#endif

namespace soak {

#if defined(_WIN32)

// The working set: what Windows (or Wine) keeps resident for the process.
long ResidentKb() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) return -1;
    return static_cast<long>(counters.WorkingSetSize / 1024);
}

#else

long ResidentKb() {
    malloc_trim(0);
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) != 0) continue;
        std::istringstream fields(line.substr(6));
        long kb = -1;
        fields >> kb;
        return kb;
    }
    return -1;
}

#endif

}  // namespace soak
