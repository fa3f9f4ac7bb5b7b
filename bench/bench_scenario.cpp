#include "bench_scenario.h"

#include <cmath>
#include <cstdio>

namespace bench {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kNauticalMilesPerDegree = 60.0;
constexpr double kGoldenAngle_deg = 137.50776405003785;
constexpr double kOwnLatitude_deg = 47.4647;
constexpr double kOwnLongitude_deg = 8.5492;
constexpr double kOwnAltitude_ft = 10000.0;

panelhost::Flight FlightAt(double bearing_deg, double distance_nm, double altitude_ft) {
    const double bearing_rad = bearing_deg * kPi / 180.0;
    panelhost::Flight flight;
    flight.latitude_deg = kOwnLatitude_deg + distance_nm / kNauticalMilesPerDegree * std::cos(bearing_rad);
    flight.longitude_deg = kOwnLongitude_deg + distance_nm / kNauticalMilesPerDegree * std::sin(bearing_rad) /
                                                   std::cos(kOwnLatitude_deg * kPi / 180.0);
    flight.altitude_ft = altitude_ft;
    flight.height_above_ground_ft = altitude_ft;
    return flight;
}

// Aircraft k of a sky: bearings by the golden angle, distances and
// altitudes by fixed strides, headings and speeds of every kind.
panelhost::Flight SpreadFlight(std::uint32_t k, const char* prefix) {
    const double bearing_deg = std::fmod(k * kGoldenAngle_deg, 360.0);
    const double distance_nm = 3.0 + std::fmod(k * 7.3, 34.0);
    const double altitude_ft = kOwnAltitude_ft + (static_cast<int>((k * 13) % 41) - 20) * 100.0;
    panelhost::Flight flight = FlightAt(bearing_deg, distance_nm, altitude_ft);
    flight.heading_deg = std::fmod(k * 37.0, 360.0);
    flight.ground_speed_kt = 120.0 + (k * 11) % 300;
    flight.vertical_speed_fpm = (static_cast<int>((k * 17) % 21) - 10) * 150.0;
    char name[16];
    std::snprintf(name, sizeof(name), "%s%03u", prefix, static_cast<unsigned>(k));
    flight.identifier = name;
    return flight;
}

}  // namespace

panelhost::Scenario BenchScenario(SkyCount count) {
    panelhost::Scenario scenario;
    scenario.own = FlightAt(0.0, 0.0, kOwnAltitude_ft);
    scenario.own.identifier = "OWN";
    // The traffic interface lists the own aircraft first, then the others.
    scenario.own_listed = count.interface_targets > 0;
    for (std::uint32_t k = 1; k < count.interface_targets; ++k) scenario.traffic.push_back(SpreadFlight(k, "TR"));
    for (std::uint32_t k = 0; k < count.players; ++k) {
        if (k == 0) {
            panelhost::Flight selected = FlightAt(0.0, kSelectedDistance_nm, kOwnAltitude_ft + kSelectedAbove_ft);
            selected.identifier = kSelectedName;
            selected.heading_deg = 90.0;
            selected.ground_speed_kt = 250.0;
            selected.vertical_speed_fpm = 1200.0;
            scenario.players.push_back(selected);
        } else {
            scenario.players.push_back(SpreadFlight(k + 100, "NP"));
        }
    }
    return scenario;
}

}  // namespace bench
