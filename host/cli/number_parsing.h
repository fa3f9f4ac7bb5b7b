// Whole command-line words as numbers: nothing may follow the number.
#pragma once

#include <string>

namespace panelhost {

// An integer from min to max.
bool ParseInt(const std::string& text, int min, int max, int* out);

// A finite number.
bool ParseDouble(const std::string& text, double* out);

// "WxH" or "N" (square), each side from 1 to max_side.
bool ParseSize(const std::string& text, int max_side, int* width, int* height);

}  // namespace panelhost
