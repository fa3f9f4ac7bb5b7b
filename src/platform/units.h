// The units the system and its host convert between, each declared once.
//
// The range and bearing compute with constants stored at single precision
// and used at double width, as they always have, so that the distances and
// bearings (and with them every position drawn) stay bit for bit what they
// were; those carry "Single" in their names. Everything else uses the
// exact value.
#pragma once

namespace units {

constexpr double kFullCircle_deg = 360.0;
constexpr double kHalfCircle_deg = 180.0;

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kRadiansPerDegreeSingle = 0.01745329238474369;
constexpr double kDegreesPerRadianSingle = 57.295780181884766;
constexpr double kFullCircle_radSingle = 6.2831854820251465;
constexpr double kNauticalMilesPerRadianSingle = 3437.746810913086;

constexpr double kMetresPerNauticalMile = 1852.0;
constexpr double kFeetPerMetre = 3.2808;
constexpr double kKnotsPerKilometrePerHour = 0.5399568034557235;
constexpr double kSecondsPerMinute = 60.0;

}  // namespace units
