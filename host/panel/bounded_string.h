// Strings the module hands to the host: read up to their terminator, but
// never further than a bound, so that a missing terminator costs a cut name
// rather than a read past the module's data.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace panelhost {

inline std::string_view BoundedString(const char* text, std::size_t max_length) {
    if (text == nullptr) return {};
    const void* end = std::memchr(text, '\0', max_length + 1);
    std::size_t length = end ? static_cast<std::size_t>(static_cast<const char*>(end) - text) : max_length;
    return std::string_view(text, length);
}

}  // namespace panelhost
