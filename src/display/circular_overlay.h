// The circular gauges' overlay: the selected target's distance at the top
// edge and, at the bottom edge, its altitude (its ground speed in the
// altitude display).
#pragma once

#include "display/module_objects.h"
#include "display/radar_screen.h"
#include "display/text_format.h"

namespace display {

constexpr float kCircularTopTextY = 40.0f;
constexpr float kCircularBottomTextY = 960.0f;
constexpr float kCircularTextX = 500.0f;

// The text buffer every circular gauge's overlay formats into.
struct CircularOverlayText {
    char16_t text[kOverlayTextChars] = {};
};

// The format is the module's one circular overlay format; each call sets
// both its alignments first.
void DrawCircularOverlay(const RadarScreen& screen, CircularOverlayText& buffer, ModuleObjects& objects);

}  // namespace display
