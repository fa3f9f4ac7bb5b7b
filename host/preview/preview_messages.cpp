#include "preview_messages.h"

#include <cstdio>

namespace preview {

void ShowPreviewError(HWND owner, const std::string& text, PreviewReport& report) {
    report.Line("error: " + text);
    std::fprintf(stderr, "RadarPreview: %s\n", text.c_str());
    std::fflush(stderr);
    MessageBoxA(owner, text.c_str(), kPreviewTitle, MB_OK | MB_ICONERROR);
}

void ShowPreviewHelp(const std::string& text) {
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
    MessageBoxA(nullptr, text.c_str(), kPreviewTitle, MB_OK | MB_ICONINFORMATION);
}

}  // namespace preview
