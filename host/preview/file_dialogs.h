// The system's dialogs for choosing a scenario file to open and a PNG file
// to write.
#pragma once

#include <string>

#include <windows.h>

namespace preview {

// The chosen path, or empty when the user cancelled.
std::string ChooseScenarioFile(HWND owner);
std::string ChoosePictureFile(HWND owner, const std::string& suggested_name);

}  // namespace preview
