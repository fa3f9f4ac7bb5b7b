// The altitude display (mode 4): relative bearing from 20 degrees left to
// 20 degrees right across the screen, altitude difference up and down, a
// sweep scanning left and right and a vertical-speed line on every target.
#pragma once

#include "display/radar_screen.h"
#include "display/target_pass.h"
#include "platform/host_services.h"
#include "traffic/own_ship.h"

namespace display {

constexpr float kAltitudeOriginX = 500.0f;
constexpr float kAltitudeOriginY = 500.0f;
constexpr float kAltitudeSweepMinimum = -400.0f;
constexpr float kAltitudeSweepMaximum = 400.0f;
constexpr float kAltitudeSweepStep = 20.0f;
constexpr float kAltitudeScreenEdge = 500.0f;  // targets beyond it stand on the edge
constexpr float kAltitudeVisibleBearing_deg = 20.0f;
constexpr float kAltitudeUnitsPerFoot = 0.2f;
constexpr double kVerticalSpeedFactor = 0.0005;  // × kVectorLength: 0.05 units per ft/min

// Where the sweep line stands (x) and which way it moves next.
struct SweepScan {
    float position;
    float direction;  // +1 to the right, -1 to the left
};

// One step of 20 units in the direction of travel.
SweepScan StepAltitudeSweep(SweepScan scan, float step);

// Holds the sweep between its ends: a sweep beyond an end is set back onto
// it and turns round, so it stands at each end for two steps. Applied in
// every call, moved or not.
SweepScan LimitAltitudeSweep(SweepScan scan, float minimum, float maximum);

// The x span between the sweep line and its place one step back along the
// direction of travel, both ends included.
PaintWindow AltitudePaintWindow(SweepScan scan, float step);

// The relative bearing folded into -180..180: 270 becomes -90.
float FoldedBearing(float relative_bearing_deg);

// x by bearing, y by the altitude difference (down for a target below the
// own aircraft), y held on the screen's top and bottom edges.
ScreenPosition AltitudePosition(float folded_bearing_deg, float horizontal_scale, float vertical_scale,
                                double own_altitude_ft, double target_altitude_ft);

// Drawn only within 20 degrees either side of the heading, edges included.
bool InAltitudeView(float folded_bearing_deg);

// The altitude display's state shared by every gauge object: one sweep,
// moved once per host time value by whichever gauge draws it first, and the
// host records and vertex store the display draws with.
struct AltitudeSweep {
    bool set_up = false;
    float sweep_minimum = 0.0f;
    float sweep_maximum = 0.0f;
    float horizontal_scale = 0.0f;  // units per degree of relative bearing
    float vertical_scale = 0.0f;    // units per foot of altitude difference
    gdip::PointF diamond[4] = {};
    SweepScan scan = {0.0f, 1.0f};
    double last_sweep_time = 0.0;
    platform::TokenVariable heading = platform::MakeModuleVariable(sim::kTokenOwnHeading);
    platform::TokenVariable own_altitude = platform::MakeModuleVariable(sim::kTokenOwnAltitude);
    platform::TokenVariable host_time = platform::MakeModuleVariable(sim::kTokenHostTime);
};

// One frame on the screen's current surface, ending with the overlay: the
// sweep is the one every gauge shares, the targets are located from the own
// ship.
void DrawAltitude(RadarScreen& screen, AltitudeSweep& sweep, traffic::OwnShipRecord& own_ship,
                  const OverlayCall& overlay);

}  // namespace display
