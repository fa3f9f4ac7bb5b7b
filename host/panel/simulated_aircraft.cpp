#include "panel/simulated_aircraft.h"

#include "platform/host_abi.h"

namespace panelhost {

double LatitudeToHostUnits(double latitude_deg) {
    return latitude_deg / (360.0 * sim::kLatitudeUnitFactor);
}

double LongitudeToHostUnits(double longitude_deg) {
    return longitude_deg / (360.0 * sim::kLongitudeUnitFactor);
}

double ModuleVariableValue(std::uint32_t token, const OwnAircraft& aircraft, const HostClock& clock) {
    switch (token) {
        case sim::kTokenOwnLatitude: return LatitudeToHostUnits(aircraft.latitude_deg);
        case sim::kTokenOwnLongitude: return LongitudeToHostUnits(aircraft.longitude_deg);
        case sim::kTokenOwnAltitude: return aircraft.altitude_m;
        case sim::kTokenOwnHeading: return aircraft.heading_deg;
        case sim::kTokenHostTime: return clock.time_s;
        default: return 0.0;
    }
}

}  // namespace panelhost
