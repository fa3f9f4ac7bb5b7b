// The traffic list a radar gauge builds from this host's sky, worked out by
// the host itself so that a person can see what the radar sees: the
// traffic interface's answer for the range (nearest first, at most 100),
// then the active network players in table order.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "sky/sky.h"

namespace panelhost {

// The radar asks the traffic interface for at most this many aircraft and
// keeps that many plus one per player slot.
constexpr std::size_t kRadarTrafficQueryCount = 100;
// The radar draws nothing whose height above ground (feet from the traffic
// interface, metres from the player table) is this or less.
constexpr double kRadarGroundHeight = 50.0;
constexpr double kDefaultRadarRangeNm = 40.0;
constexpr double kMinRadarRangeNm = 5.0;

enum class TrafficSource { kInterface, kPlayer };

struct TrafficReportEntry {
    std::size_t index = 0;
    TrafficSource source = TrafficSource::kInterface;
    std::string identifier;
    double latitude_deg = 0.0;
    double longitude_deg = 0.0;
    double altitude_ft = 0.0;
    double distance_nm = 0.0;  // great circle from the own aircraft
    double bearing_deg = 0.0;  // true
    const char* note = "";     // why the radar does not draw it, or ""
};

// `players_answered`: the network-player module is loaded and answers 1.
std::vector<TrafficReportEntry> BuildTrafficReport(const Sky& sky, double range_nm, bool players_answered);

// A heading line with the own aircraft, and one line per entry.
std::string FormatTrafficReport(int frame, double time_s, double range_nm, const Flight& own,
                                const std::vector<TrafficReportEntry>& entries);

// The range a radar reading "Radar Range" uses: values of 5 or more are
// taken, smaller ones leave the previous range.
double NextRadarRange(double previous_range_nm, double variable_value);

}  // namespace panelhost
