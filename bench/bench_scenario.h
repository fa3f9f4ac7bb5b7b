// The sky the benchmark flies in, as a scenario of the panel host's own sky:
// aircraft reported by its traffic interface and players written into its
// network-player module, spread over every bearing within the range.
#pragma once

#include <array>
#include <cstdint>

#include "sky/scenario.h"

namespace bench {

struct SkyCount {
    std::uint32_t interface_targets;  // the own aircraft, listed first, and the nearest others
    std::uint32_t players;            // in the network-player table
    std::uint32_t total() const { return interface_targets + players; }
};

// 0, 30 and 356 targets in the list: 100 + 256 fill it.
constexpr std::array<SkyCount, 3> kSkyCounts = {SkyCount{0, 0}, SkyCount{10, 20}, SkyCount{100, 256}};

// The selected target: a network player dead ahead of the own aircraft
// (heading north), 10 NM out, 500 ft above it.
constexpr double kSelectedDistance_nm = 10.0;
constexpr double kSelectedAbove_ft = 500.0;
constexpr const char* kSelectedName = "NP000";

// The own aircraft at rest, heading north; the others 3 to 37 NM out,
// within 2000 ft of its altitude, all airborne and all still (the sky is
// not moved during the timed frames: that is the host's work).
panelhost::Scenario BenchScenario(SkyCount count);

}  // namespace bench
