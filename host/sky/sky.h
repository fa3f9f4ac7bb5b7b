// The simulated sky at a moment: every aircraft of a scenario flown from its
// start by dead reckoning, one host second at a time.
#pragma once

#include <vector>

#include "sky/scenario.h"
#include "sky/sky_geometry.h"

namespace panelhost {

// Longest flight the sky computes; later moments show the aircraft where
// this time left them.
constexpr double kMaxFlightSeconds = 1.0e7;

// Where a flight is after flying this many seconds from its start: along its
// heading at its ground speed, climbing or descending at its vertical speed
// until it reaches the ground (where it stops descending).
Flight FlyFor(const Flight& start, double seconds);

class Sky {
public:
    explicit Sky(Scenario scenario);

    // The sky at this host time: whole seconds since `start_time_s` flown.
    // Times before the start show the start.
    void SetTime(double start_time_s, double host_time_s);

    // Turns the own aircraft by this many degrees (positive: to the right)
    // where the sky now shows it; from there it flies the new heading.
    // Moments before the turn show it at the turn.
    void TurnOwn(double degrees);

    const Scenario& scenario() const { return scenario_; }
    double flown_seconds() const { return flown_seconds_; }
    const Flight& own() const { return own_; }
    const std::vector<Flight>& traffic() const { return traffic_; }
    const std::vector<Flight>& players() const { return players_; }

private:
    Scenario scenario_;
    Flight own_leg_;                 // the own aircraft's flight since its last turn
    double own_leg_start_s_ = 0.0;   // flown seconds at that turn
    double flown_seconds_ = 0.0;
    Flight own_;
    std::vector<Flight> traffic_;
    std::vector<Flight> players_;
};

// A flight's position.
inline GeoPoint PositionOf(const Flight& flight) { return GeoPoint{flight.latitude_deg, flight.longitude_deg}; }

}  // namespace panelhost
