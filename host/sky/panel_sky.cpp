#include "sky/panel_sky.h"

#include <utility>

#include "platform/host_abi.h"
#include "platform/units.h"

namespace panelhost {

PanelSky::PanelSky(Scenario scenario) : sky_(std::move(scenario)) {}

bool PanelSky::Attach(PanelHost& panel, const std::vector<std::string>& net_player_paths, std::string* error) {
    start_time_s_ = panel.clock().time_s;
    panel.RegisterInterface(sim::kTrafficInterfaceName, &component_);

    bool loaded = true;
    if (!sky_.scenario().players.empty() && !net_players_) {
        std::string reasons;
        for (const std::string& path : net_player_paths) {
            std::string reason;
            net_players_ = NetPlayerModule::Load(path, &reason);
            if (net_players_) break;
            reasons += (reasons.empty() ? "" : "; ") + reason;
        }
        if (net_players_) {
            net_players_->SetStatus(sky_.scenario().player_status);
        } else {
            loaded = false;
            if (error) {
                *error = "network players left out: no " + std::string(sim::kNetPlayerModuleName) +
                         " could be loaded" + (reasons.empty() ? std::string() : " (" + reasons + ")");
            }
        }
    }
    Update(panel);
    return loaded;
}

void PanelSky::Update(PanelHost& panel) {
    sky_.SetTime(start_time_s_, panel.clock().time_s);
    panel.own_aircraft() = OwnAircraftOf(sky_.own());
    // The players move once per host second; the table is rewritten then.
    if (net_players_ && sky_.flown_seconds() != table_flown_seconds_) {
        net_players_->WritePlayers(sky_.players());
        table_flown_seconds_ = sky_.flown_seconds();
    }
}

void PanelSky::TurnOwnAircraft(PanelHost& panel, double degrees) {
    sky_.TurnOwn(degrees);
    panel.own_aircraft() = OwnAircraftOf(sky_.own());
}

std::string DescribeSky(const std::string& scenario_path, const PanelSky& sky) {
    const Scenario& scenario = sky.sky().scenario();
    std::string line = scenario_path.empty() ? "default scenario" : scenario_path;
    line += ", " + std::to_string(scenario.traffic.size()) + " traffic aircraft, " +
            std::to_string(scenario.players.size()) + " network players";
    if (scenario.reduced_data) line += ", reduced data";
    return line;
}

OwnAircraft OwnAircraftOf(const Flight& flight) {
    OwnAircraft aircraft;
    aircraft.latitude_deg = flight.latitude_deg;
    aircraft.longitude_deg = flight.longitude_deg;
    aircraft.altitude_m = flight.altitude_ft / units::kFeetPerMetre;
    aircraft.heading_deg = flight.heading_deg;
    return aircraft;
}

}  // namespace panelhost
