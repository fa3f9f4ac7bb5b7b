// The plan display (mode 2): the whole circle around the own aircraft,
// heading up, with range rings, spokes, a turning sweep and every airborne
// target.
#pragma once

#include "display/radar_screen.h"

namespace display {

constexpr float kPlanOriginX = 500.0f;
constexpr float kPlanOriginY = 500.0f;
constexpr float kPlanOuterRadius = 475.0f;

// One frame on the screen's current surface, ending with the overlay.
void DrawPlan(RadarScreen& screen, const OverlayCall& overlay);

// The sweep angle after one step: 5 degrees clockwise, within 0..360.
float NextPlanSweepAngle(float sweep_angle_deg);

// The sweep shared by every gauge, as at load; the module-wide objects must
// have been released first. For a reset of the module's shared state.
void ResetPlanSweep();

}  // namespace display
