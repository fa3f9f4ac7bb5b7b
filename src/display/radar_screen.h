// A gauge object's screen: what its displays, overlays and hit test draw on
// and with, and what they show. The gauge owns it and sets its surface, mode
// and range; the displays change only the selection, through its
// operations, and the targets' paint times.
#pragma once

#include <cstdint>

#include "display/draw_resources.h"
#include "display/target_selection.h"
#include "traffic/traffic_list.h"

namespace display {

constexpr int kModePlan = 2;
constexpr int kModeSector = 3;
constexpr int kModeAltitude = 4;

struct RadarScreen {
    explicit RadarScreen(traffic::TrafficList& list, std::int32_t initial_mode, float initial_range_nm)
        : traffic(list), mode(initial_mode), range_nm(initial_range_nm) {}

    GraphicsWrapper* graphics = nullptr;  // the surface of this frame; none before the first
    DrawResources resources;
    traffic::TrafficList& traffic;
    std::int32_t mode;
    float range_nm;
    Selection selection;
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
