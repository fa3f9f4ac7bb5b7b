// Scenarios of the simulated sky: where the own aircraft starts and how it
// flies, the aircraft the traffic interface reports, the network players,
// and how the two traffic sources answer. The text format is described in
// SCENARIOS.md.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace panelhost {

// One aircraft as it flies: a constant heading, ground speed and vertical
// speed from its position.
struct Flight {
    std::string identifier;
    double latitude_deg = 0.0;
    double longitude_deg = 0.0;
    double altitude_ft = 0.0;
    double height_above_ground_ft = 0.0;  // the ground lies this far below the aircraft
    double heading_deg = 0.0;             // true; the sky has no magnetic variation
    double ground_speed_kt = 0.0;
    double vertical_speed_fpm = 0.0;
};

struct Scenario {
    Flight own;
    std::vector<Flight> traffic;  // reported by the traffic interface
    std::vector<Flight> players;  // written into the network-player table, slot by slot
    bool reduced_data = false;    // the traffic interface's reduced-data flag
    // In full-data mode the traffic interface lists the own aircraft first,
    // as the nearest aircraft; the reduced-data answer never lists it.
    bool own_listed = true;
    // What GetTrafficName answers for every aircraft; unset: each aircraft's identifier.
    std::optional<std::string> traffic_name;
    std::int32_t player_status = 1;  // what the network-player module's entry routine answers
};

// The own aircraft when a scenario does not place it.
Flight DefaultOwnFlight();

// Limits a scenario is held to.
constexpr double kMaxScenarioLatitudeDeg = 89.9;
constexpr double kMaxScenarioLongitudeDeg = 180.0;
constexpr double kMinScenarioAltitudeFt = -1500.0;
constexpr double kMaxScenarioAltitudeFt = 100000.0;
constexpr double kMaxScenarioSpeedKt = 4000.0;
constexpr double kMaxScenarioVerticalSpeedFpm = 30000.0;
constexpr std::size_t kMaxScenarioTraffic = 1000;
constexpr std::size_t kMaxScenarioPlayers = 256;         // slots of the player table
constexpr std::size_t kMaxIdentifierLength = 255;
constexpr std::size_t kMaxPlayerNameLength = 127;        // the slot's name field with its terminator
constexpr std::size_t kMaxScenarioFileBytes = 4 * 1024 * 1024;

struct ScenarioParseResult {
    bool ok = false;
    Scenario scenario;
    std::string error;  // "line 12: ..."
};

ScenarioParseResult ParseScenario(std::string_view text);

// Reads and parses a file; errors read "FILE:LINE: ..." or "FILE: ...".
ScenarioParseResult LoadScenarioFile(const std::string& path);

// The scenario as text that ParseScenario reads back; a flight's own
// altitude is its height above ground and a player's height is its
// altitude, as the format holds them.
std::string ScenarioText(const Scenario& scenario);

// LoadScenarioFile, or the default scenario for an empty path.
ScenarioParseResult LoadScenarioOrDefault(const std::string& path);

// The scenario used when none is given, as scenario text.
std::string_view DefaultScenarioText();
Scenario DefaultScenario();

}  // namespace panelhost
