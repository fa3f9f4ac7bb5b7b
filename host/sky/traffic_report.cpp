#include "sky/traffic_report.h"

#include <cmath>
#include <cstdio>

#include "platform/host_abi.h"
#include "sky/traffic_interface.h"
#include "platform/units.h"

namespace panelhost {
namespace {

constexpr const char* kNotDrawnFirst = "not drawn: first entry of a full-data answer";
constexpr const char* kNotDrawnGround = "not drawn: on the ground";

TrafficReportEntry EntryFor(const Flight& own, const Flight& flight, std::size_t index, TrafficSource source) {
    TrafficReportEntry entry;
    entry.index = index;
    entry.source = source;
    entry.identifier = flight.identifier;
    entry.latitude_deg = flight.latitude_deg;
    entry.longitude_deg = flight.longitude_deg;
    entry.altitude_ft = flight.altitude_ft;
    entry.distance_nm = GreatCircleDistanceNm(PositionOf(own), PositionOf(flight));
    entry.bearing_deg = TrueBearingDeg(PositionOf(own), PositionOf(flight));
    return entry;
}

}  // namespace

std::vector<TrafficReportEntry> BuildTrafficReport(const Sky& sky, double range_nm, bool players_answered) {
    std::vector<TrafficReportEntry> entries;
    const bool reduced = sky.scenario().reduced_data;
    for (sim::TrafficId id : NearestTraffic(sky, range_nm, kRadarTrafficQueryCount)) {
        const Flight* flight = FindTraffic(sky, id);
        if (flight == nullptr) continue;
        TrafficReportEntry entry = EntryFor(sky.own(), *flight, entries.size(), TrafficSource::kInterface);
        // With reduced data the radar takes the altitude as the height.
        const double height_ft = reduced ? flight->altitude_ft : flight->height_above_ground_ft;
        if (entries.empty() && !reduced) {
            entry.note = kNotDrawnFirst;
        } else if (std::trunc(height_ft) <= kRadarGroundHeight) {
            entry.note = kNotDrawnGround;
        }
        entries.push_back(entry);
    }
    if (!players_answered) return entries;
    for (std::size_t slot = 0; slot < sky.players().size() && slot < sim::kNetPlayerSlots; ++slot) {
        const Flight& player = sky.players()[slot];
        TrafficReportEntry entry = EntryFor(sky.own(), player, entries.size(), TrafficSource::kPlayer);
        if (std::trunc(player.altitude_ft / units::kFeetPerMetre) <= kRadarGroundHeight) entry.note = kNotDrawnGround;
        entries.push_back(entry);
    }
    return entries;
}

std::string FormatTrafficReport(int frame, double time_s, double range_nm, const Flight& own,
                                const std::vector<TrafficReportEntry>& entries) {
    char line[512];
    std::snprintf(line, sizeof line,
                  "traffic at frame %d t=%.3f, range %g NM, own aircraft at %.5f %.5f, %.0f ft, heading %.1f: "
                  "%zu entries\n",
                  frame, time_s, range_nm, own.latitude_deg, own.longitude_deg, own.altitude_ft, own.heading_deg,
                  entries.size());
    std::string text = line;
    text += "  index source     latitude   longitude  altitude_ft  distance_nm  bearing_deg  identifier\n";
    for (const TrafficReportEntry& entry : entries) {
        std::snprintf(line, sizeof line, "  %5zu %-9s %9.5f %11.5f %12.0f %12.2f %12.1f  ", entry.index,
                      entry.source == TrafficSource::kInterface ? "interface" : "player", entry.latitude_deg,
                      entry.longitude_deg, entry.altitude_ft, entry.distance_nm, entry.bearing_deg);
        text += line + entry.identifier;
        if (*entry.note != '\0') text += std::string("  (") + entry.note + ")";
        text += "\n";
    }
    return text;
}

double NextRadarRange(double previous_range_nm, double variable_value) {
    return variable_value >= kMinRadarRangeNm ? variable_value : previous_range_nm;
}

}  // namespace panelhost
