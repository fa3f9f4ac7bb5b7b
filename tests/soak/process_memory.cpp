#include "process_memory.h"

#include <malloc.h>

#include <fstream>
#include <sstream>
#include <string>

namespace soak {

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

}  // namespace soak
