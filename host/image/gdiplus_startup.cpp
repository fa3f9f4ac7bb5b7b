#include "image/gdiplus_startup.h"

#include <cstdlib>

#include "platform/gdiplus_flat.h"

namespace panelhost {
namespace {

void UseHostFonts() {
#if !defined(_WIN32)
    std::string path = FontConfigPath();
    if (!path.empty()) setenv("FONTCONFIG_FILE", path.c_str(), 1);
#endif
}

bool Start() {
    UseHostFonts();
    static const gdip::StartupInput input{1, nullptr, 0, 0};
    gdip::GdiplusToken token = 0;
    return gdip::GdiplusStartup(&token, &input, nullptr) == gdip::kOk;
}

}  // namespace

bool StartGdiplus() {
    static const bool running = Start();
    return running;
}

std::string FontConfigPath() {
#if defined(PANEL_HOST_FONTS_CONF)
    return PANEL_HOST_FONTS_CONF;
#else
    return {};
#endif
}

}  // namespace panelhost
