// The plan display (mode 2): the whole circle around the own aircraft,
// heading up, with range rings, spokes, a turning sweep and every airborne
// target.
#pragma once

#include "display/module_objects.h"
#include "display/radar_screen.h"
#include "display/text_format.h"
#include "platform/host_services.h"
#include "traffic/own_ship.h"

namespace display {

constexpr float kPlanOriginX = 500.0f;
constexpr float kPlanOriginY = 500.0f;
constexpr float kPlanOuterRadius = 475.0f;

// The plan display's state shared by every gauge object: one sweep, moved
// once per host time value by whichever gauge draws it first, and the host
// records and buffers the display draws with.
struct PlanSweep {
    bool set_up = false;
    float sweep_angle_deg = 0.0f;
    double last_sweep_time = 0.0;
    gdip::PointF sweep_end = {};  // carried forward 5 degrees per step
    float ring_step = 0.0f;
    gdip::PointF centre = {};
    char16_t label_text[kRangeLabelChars] = {};
    gdip::PointF diamond[4] = {};
    platform::TokenVariable heading = platform::MakeModuleVariable(sim::kTokenOwnHeading);
    platform::TokenVariable host_time = platform::MakeModuleVariable(sim::kTokenHostTime);
};

// One frame on the screen's current surface, ending with the overlay: the
// sweep and the module-wide objects are the ones every gauge shares, the
// targets are located from the own ship.
void DrawPlan(RadarScreen& screen, PlanSweep& sweep, ModuleObjects& objects, traffic::OwnShipRecord& own_ship,
              const OverlayCall& overlay);

// The sweep angle after one step: 5 degrees clockwise, within 0..360.
float NextPlanSweepAngle(float sweep_angle_deg);

}  // namespace display
