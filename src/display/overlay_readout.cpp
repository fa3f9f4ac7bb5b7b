#include "display/overlay_readout.h"

namespace display {

void DrawReadout(const RadarScreen& screen, const char16_t* text, float x, float y, const StringFormatWrapper* format) {
    if (screen.graphics == nullptr) return;
    screen.graphics->DrawTextAt(text, screen.resources.large_font.get(), x, y, format,
                                screen.resources.bright_brush.get());
}

}  // namespace display
