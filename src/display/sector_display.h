// The sector display (mode 3): the 120 degrees ahead of the own aircraft as
// a fan opening upward from an apex at the bottom of the screen, with range
// arcs, five radial lines, a sweep swinging back and forth across the fan
// and the targets inside it.
#pragma once

#include "display/module_objects.h"
#include "display/radar_screen.h"
#include "display/target_pass.h"
#include "display/text_format.h"
#include "platform/host_services.h"
#include "traffic/own_ship.h"

namespace display {

constexpr float kSectorApexX = 500.0f;
constexpr float kSectorApexY = 975.0f;
constexpr float kSectorOuterRadius = 950.0f;
constexpr float kSectorRightEdge_deg = -30.0f;  // screen angles of the fan's edges
constexpr float kSectorLeftEdge_deg = -150.0f;
constexpr float kSectorFanRight_deg = 60.0f;    // relative bearings of the same edges
constexpr float kSectorFanLeft_deg = 300.0f;

// Where the sweep line stands (screen degrees) and which way it moves next.
struct SweepSwing {
    float angle_deg;
    float direction;  // +1 clockwise on screen, -1 counter-clockwise
};

// One step of 5 degrees in the direction of travel.
SweepSwing StepSectorSweep(SweepSwing swing);

// Holds the sweep inside the fan: a sweep beyond an edge is set back onto
// it and turns round. Applied in every frame, moved or not.
SweepSwing LimitSectorSweep(SweepSwing swing);

// The relative bearings between the sweep line and the angle one step back
// along its direction of travel, both ends included.
PaintWindow SectorPaintWindow(SweepSwing swing);

// Inside the fan: relative bearings from 300 through 0 to 60, edges included.
bool InSectorFan(float relative_bearing_deg);

// The sector display's state shared by every gauge object: one sweep, moved
// once per host time value by whichever gauge draws it first, and the host
// records and buffers the display draws with.
struct SectorSweep {
    bool set_up = false;
    SweepSwing swing = {0.0f, 1.0f};
    double last_sweep_time = 0.0;
    float ring_step = 0.0f;
    gdip::PointF sweep_origin = {};
    char16_t label_text[kRangeLabelChars] = {};
    gdip::PointF diamond[4] = {};
    platform::TokenVariable heading = platform::MakeModuleVariable(sim::kTokenOwnHeading);
    platform::TokenVariable host_time = platform::MakeModuleVariable(sim::kTokenHostTime);
};

// One frame on the screen's current surface, ending with the overlay: the
// sweep and the module-wide objects are the ones every gauge shares, the
// targets are located from the own ship.
void DrawSector(RadarScreen& screen, SectorSweep& sweep, ModuleObjects& objects, traffic::OwnShipRecord& own_ship,
                const OverlayCall& overlay);

}  // namespace display
