// The directions within a given angle either side of the own heading, as a
// test a target passes without its bearing being worked out: the altitude
// display draws and paints only targets near the nose, and a target that
// lies well outside needs no arc tangent.
#pragma once

#include "traffic/own_ship.h"

namespace display {

// How far beyond the half angle a direction must lie, in degrees, to be
// called outside: far more than every rounding on the way from a leg to a
// relative bearing in float (the direction's own error included) adds up
// to.
constexpr double kConeMargin_deg = 0.5;

// The direction's components are good to 1e-14; a direction at least
// 1e-10 long (a target more than a millimetre away) is then good to better
// than 0.01 degrees.
constexpr double kShortestDirectionSquared = 1e-20;

struct HeadingCone {
    double north;  // the own heading's direction
    double east;
    double cos_squared;  // of the half angle and the margin
    bool usable;
};

// The cone of relative bearings up to `half_angle_deg` either side of the
// heading. Unusable (nothing is ever outside it) for a heading that is not
// finite or so large that the relative bearing rounds by more than the
// margin, and for a half angle that with the margin is not below 90
// degrees.
HeadingCone ConeAboutHeading(double heading_deg, double half_angle_deg);

// True only when a target in this direction has, for certain, a relative
// bearing (as the location works it out) more than the half angle either
// side of the heading: never for an unusable cone, a NaN, or a direction
// too short for its angle to be trusted (a target where the own ship is).
//
// Outside when the component along the heading is negative (more than 90
// degrees off) or below the length times the outer cosine; every
// comparison is false for a NaN. Inline: the pass asks it of every target.
inline bool ProvablyOutside(const HeadingCone& cone, const traffic::LegDirection& direction) {
    if (!cone.usable) return false;
    const double length_squared = direction.north * direction.north + direction.east * direction.east;
    if (!(length_squared >= kShortestDirectionSquared)) return false;
    const double along = direction.north * cone.north + direction.east * cone.east;
    return along < 0.0 || along * along < length_squared * cone.cos_squared;
}

}  // namespace display
