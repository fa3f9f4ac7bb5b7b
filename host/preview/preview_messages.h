// What the preview tells the user in a message box: errors, and the help.
#pragma once

#include <string>

#include <windows.h>

#include "preview_report.h"

namespace preview {

constexpr const char* kPreviewTitle = "Radar Preview";

// A message box with the error; the report and standard error get it too.
void ShowPreviewError(HWND owner, const std::string& text, PreviewReport& report);

void ShowPreviewHelp(const std::string& text);

}  // namespace preview
