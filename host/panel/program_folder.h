// The folder of the running program, where the host looks for the files it
// ships beside itself.
#pragma once

#include <filesystem>

namespace panelhost {

// Empty when the program's own path cannot be found.
std::filesystem::path ProgramFolder();

}  // namespace panelhost
