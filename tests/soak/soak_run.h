// The soak: the four gauges flown through the panel host's sky for many
// host seconds in every mode, with range and mode changes, clicks, and
// disconnections and connections; then one gauge painting more device
// contexts than its surface cache holds.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "soak_options.h"

namespace soak {

constexpr int kFramesPerCycle = 2;
constexpr double kFrameStepSeconds = 0.25;   // host time per frame: a traffic rebuild every second cycle
constexpr long kModeEveryCycles = 10;
constexpr long kRangeEveryCycles = 7;
constexpr int kGaugeSide = 96;               // pixels
constexpr int kContextGaugeSide = 16;

struct SoakReport {
    long cycles = 0;
    long frames = 0;
    long reconnects = 0;
    long clicks = 0;
    long cycles_with_selection = 0;
    long contexts = 0;
    long rss_start_kb = -1;  // after the warm-up cycles
    long rss_end_kb = -1;    // after the last cycle
    long rss_after_contexts_kb = -1;
    long warm_up_cycles = 0;
    double seconds = 0.0;
    std::vector<std::string> failures;
};

// Runs both phases; the report says what was done and what failed.
void RunSoak(const SoakOptions& options, SoakReport& report, std::ostream& log);

}  // namespace soak
