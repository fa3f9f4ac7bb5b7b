#include "cli/number_parsing.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace panelhost {

bool ParseInt(const std::string& text, int min, int max, int* out) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < min || value > max) return false;
    *out = static_cast<int>(value);
    return true;
}

bool ParseDouble(const std::string& text, double* out) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(value)) return false;
    *out = value;
    return true;
}

bool ParseSize(const std::string& text, int max_side, int* width, int* height) {
    std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos) {
        if (!ParseInt(text, 1, max_side, width)) return false;
        *height = *width;
        return true;
    }
    return ParseInt(text.substr(0, x), 1, max_side, width) && ParseInt(text.substr(x + 1), 1, max_side, height);
}

}  // namespace panelhost
