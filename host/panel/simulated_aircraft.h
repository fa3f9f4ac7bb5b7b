// The host's own aircraft and clock, and the module variables they give,
// in the host's units.
#pragma once

#include <cstdint>

namespace panelhost {

struct OwnAircraft {
    double latitude_deg = 47.4647;
    double longitude_deg = 8.5492;
    double altitude_m = 3048.0;  // 10 000 ft
    double heading_deg = 0.0;
};

// Host time in seconds; the module redraws when it changes.
struct HostClock {
    double time_s = 1.0;
};

// The host's latitude unit: degrees = units × 360 × 2.4995625765491038e-8.
double LatitudeToHostUnits(double latitude_deg);
// The host's longitude unit: degrees = units × 360 × 2^-48.
double LongitudeToHostUnits(double longitude_deg);

// The value of a module variable token; 0 for a token the host does not serve.
double ModuleVariableValue(std::uint32_t token, const OwnAircraft& aircraft, const HostClock& clock);

}  // namespace panelhost
