#include "display/heading_cone.h"

#include <cmath>

#include "platform/units.h"

namespace display {
namespace {

constexpr double kRightAngle_deg = 90.0;

// The relative bearing takes the heading from a float bearing in double:
// up to here it rounds by less than 1e-6 degrees.
constexpr double kLargestHeading_deg = 1e9;

}  // namespace

HeadingCone ConeAboutHeading(double heading_deg, double half_angle_deg) {
    HeadingCone cone{0.0, 0.0, 1.0, false};
    if (!(std::fabs(heading_deg) <= kLargestHeading_deg)) return cone;
    const double outer_angle_deg = half_angle_deg + kConeMargin_deg;
    if (!(half_angle_deg >= 0.0 && outer_angle_deg < kRightAngle_deg)) return cone;
    const double heading_rad = std::fmod(heading_deg, units::kFullCircle_deg) * units::kRadiansPerDegree;
    const double outer_cosine = std::cos(outer_angle_deg * units::kRadiansPerDegree);
    cone.north = std::cos(heading_rad);
    cone.east = std::sin(heading_rad);
    cone.cos_squared = outer_cosine * outer_cosine;
    cone.usable = true;
    return cone;
}

}  // namespace display
