// What the displays, the overlays and the hit test read and write on a
// gauge object: its current surface, resources, traffic and selection.
#pragma once

#include <cstdint>

#include "display/draw_resources.h"
#include "traffic/traffic_list.h"

namespace display {

constexpr int kModePlan = 2;
constexpr int kModeSector = 3;
constexpr int kModeAltitude = 4;

constexpr int kSelectedIdentifierChars = 52;

struct ScreenPosition {
    float x;
    float y;
};

struct RadarScreen {
    GraphicsWrapper* graphics = nullptr;  // the surface of this frame
    DrawResources resources;
    float scale_x = 0.0f;  // image pixels per virtual unit
    float scale_y = 0.0f;
    traffic::TrafficList* traffic = nullptr;
    ScreenPosition screen_positions[traffic::kMaxTargets] = {};
    float selected_distance_nm = 0.0f;
    float selected_bearing_deg = 0.0f;
    std::int32_t mode = kModeSector;
    float range_nm = 40.0f;
    std::int32_t selected_visible = 0;
    std::int32_t selected_index = 0;
    char selected_identifier[kSelectedIdentifierChars] = {};
    // The targets whose symbols the last drawn frame drew: the only ones a
    // click can select.
    bool symbol_drawn[traffic::kMaxTargets] = {};
    // The selected distance was captured for the aircraft selected now, not
    // for one selected before it.
    bool selected_distance_captured = false;
};

// How a display reaches the gauge's own overlay at the end of its frame.
struct OverlayCall {
    void (*draw)(void* gauge) = nullptr;
    void* gauge = nullptr;
    void operator()() const {
        if (draw) draw(gauge);
    }
};

}  // namespace display
