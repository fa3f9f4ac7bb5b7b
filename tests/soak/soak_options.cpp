#include "soak_options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "panel/module_call_precision.h"

namespace soak {
namespace {

bool ParseCount(const char* text, long& value) {
    if (text == nullptr || *text == '\0') return false;
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(text, &end, 10);
    if (errno != 0 || *end != '\0' || parsed < 0) return false;
    value = parsed;
    return true;
}

}  // namespace

bool ParseSoakOptions(int argc, char** argv, SoakOptions& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        long* count = nullptr;
        if (std::strcmp(arg, "--cycles") == 0) count = &options.cycles;
        else if (std::strcmp(arg, "--contexts") == 0) count = &options.contexts;
        else if (std::strcmp(arg, "--reconnect-every") == 0) count = &options.reconnect_every;
        else if (std::strcmp(arg, "--rss-growth-limit-kb") == 0) count = &options.rss_growth_limit_kb;
        else if (std::strcmp(arg, "--x87-precision") == 0) count = &options.x87_precision_bits;

        if (count != nullptr) {
            if (!ParseCount(value, *count)) {
                error = std::string(arg) + " needs a whole number";
                return false;
            }
            ++i;
        } else if (std::strcmp(arg, "--result") == 0) {
            if (value == nullptr) {
                error = "--result needs a file";
                return false;
            }
            options.result_path = value;
            ++i;
        } else if (arg[0] != '-' && options.module_path.empty()) {
            options.module_path = arg;
        } else {
            error = std::string("unknown argument ") + arg;
            return false;
        }
    }
    if (options.module_path.empty()) {
        error = "no module file";
        return false;
    }
    if (options.reconnect_every == 0) {
        error = "--reconnect-every needs at least 1";
        return false;
    }
    if (options.x87_precision_bits != 0 && !panelhost::IsX87PrecisionBits(options.x87_precision_bits)) {
        error = "--x87-precision takes 24, 53 or 64";
        return false;
    }
    return true;
}

}  // namespace soak
