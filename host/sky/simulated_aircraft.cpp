#include "sky/simulated_aircraft.h"

#include "platform/host_abi.h"

namespace panelhost {

double LatitudeToHostUnits(double latitude_deg) {
    return latitude_deg / (360.0 * host::kLatitudeUnitFactor);
}

double LongitudeToHostUnits(double longitude_deg) {
    return longitude_deg / (360.0 * host::kLongitudeUnitFactor);
}

double ModuleVariableValue(std::uint32_t token, const OwnAircraft& aircraft, const HostClock& clock) {
    switch (token) {
        case host::kTokenOwnLatitude: return LatitudeToHostUnits(aircraft.latitude_deg);
        case host::kTokenOwnLongitude: return LongitudeToHostUnits(aircraft.longitude_deg);
        case host::kTokenOwnAltitude: return aircraft.altitude_m;
        case host::kTokenOwnHeading: return aircraft.heading_deg;
        case host::kTokenHostTime: return clock.time_s;
        default: return 0.0;
    }
}

}  // namespace panelhost
