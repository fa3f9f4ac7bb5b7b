// The simulated sky served to a panel host: the traffic component it
// registers, the network-player module it loads when the scenario has
// network players, and the own aircraft it flies.
//
// The sky must outlive the gauges placed after Attach: they keep the
// traffic interface for their lifetime.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sky/net_player_module.h"
#include "panel/panel_host.h"
#include "sky/scenario.h"
#include "sky/sky.h"
#include "sky/traffic_interface.h"

namespace panelhost {

class PanelSky {
public:
    explicit PanelSky(Scenario scenario);
    PanelSky(const PanelSky&) = delete;
    PanelSky& operator=(const PanelSky&) = delete;

    // Takes the panel's host time as the scenario's start, registers the
    // traffic component as "ITrafficInfo" and, when the scenario has network
    // players, loads the network-player module from the first of these paths
    // that loads; then brings the panel up to date (Update). Attach before
    // placing gauges: they look for the interface when they connect. False,
    // with `error` saying why, when the players' module could not be loaded;
    // the sky then runs without network players.
    bool Attach(PanelHost& panel, const std::vector<std::string>& net_player_paths, std::string* error);

    // Moves the sky to the panel's host time and hands it over: the own
    // aircraft's variables and the network-player table. Call before each frame.
    void Update(PanelHost& panel);

    // Turns the own aircraft where it now is (Sky::TurnOwn) and hands the
    // new heading to the panel at once.
    void TurnOwnAircraft(PanelHost& panel, double degrees);

    const Sky& sky() const { return sky_; }
    double start_time_s() const { return start_time_s_; }
    // Null when the scenario has no network players or the module did not load.
    const NetPlayerModule* net_player_module() const { return net_players_.get(); }
    TrafficInterface& traffic_interface() { return traffic_; }

private:
    Sky sky_;
    TrafficInterface traffic_{sky_};
    TrafficComponent component_{traffic_};
    std::unique_ptr<NetPlayerModule> net_players_;
    double table_flown_seconds_ = -1.0;  // the moment the player table shows; -1: not written
    double start_time_s_ = 0.0;
};

// "default scenario, 30 traffic aircraft, 8 network players" (", reduced
// data" when so); the file's path in place of "default scenario" when one
// was given.
std::string DescribeSky(const std::string& scenario_path, const PanelSky& sky);

// The own aircraft's module variables for a flight: position, altitude in
// metres, heading.
OwnAircraft OwnAircraftOf(const Flight& flight);

}  // namespace panelhost
