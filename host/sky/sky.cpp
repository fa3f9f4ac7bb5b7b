#include "sky/sky.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace panelhost {
namespace {

constexpr double kSecondsPerHour = 3600.0;
constexpr double kSecondsPerMinute = 60.0;
// Host times that land a hair short of a whole second still count it.
constexpr double kWholeSecondSlack = 1e-6;

void FlyAll(const std::vector<Flight>& starts, double seconds, std::vector<Flight>* now) {
    now->resize(starts.size());
    for (std::size_t i = 0; i < starts.size(); ++i) (*now)[i] = FlyFor(starts[i], seconds);
}

}  // namespace

Flight FlyFor(const Flight& start, double seconds) {
    Flight now = start;
    if (!(seconds > 0.0)) return now;
    seconds = std::min(seconds, kMaxFlightSeconds);

    const GeoPoint position =
        FlyAlongHeading(PositionOf(start), start.heading_deg, start.ground_speed_kt * seconds / kSecondsPerHour);
    now.latitude_deg = position.latitude_deg;
    now.longitude_deg = position.longitude_deg;

    const double ground_ft = start.altitude_ft - start.height_above_ground_ft;
    const double climb_ft = start.vertical_speed_fpm * seconds / kSecondsPerMinute;
    now.height_above_ground_ft = start.height_above_ground_ft + climb_ft;
    if (now.height_above_ground_ft <= 0.0 && start.vertical_speed_fpm < 0.0) {
        now.height_above_ground_ft = 0.0;
        now.vertical_speed_fpm = 0.0;  // landed
    }
    now.altitude_ft = ground_ft + now.height_above_ground_ft;
    return now;
}

Sky::Sky(Scenario scenario) : scenario_(std::move(scenario)), own_leg_(scenario_.own) { SetTime(0.0, 0.0); }

void Sky::SetTime(double start_time_s, double host_time_s) {
    double seconds = std::floor(host_time_s - start_time_s + kWholeSecondSlack);
    if (!(seconds > 0.0)) seconds = 0.0;  // before the start, or not a number
    seconds = std::min(seconds, kMaxFlightSeconds);
    flown_seconds_ = seconds;
    own_ = FlyFor(own_leg_, seconds - own_leg_start_s_);
    FlyAll(scenario_.traffic, seconds, &traffic_);
    FlyAll(scenario_.players, seconds, &players_);
}

void Sky::TurnOwn(double degrees) {
    if (!std::isfinite(degrees)) return;
    own_leg_ = own_;
    own_leg_.heading_deg = std::fmod(own_.heading_deg + std::fmod(degrees, 360.0) + 360.0, 360.0);
    own_leg_start_s_ = flown_seconds_;
    own_ = own_leg_;
}

}  // namespace panelhost
