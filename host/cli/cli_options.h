// The panel-host command line.
#pragma once

#include <string>
#include <vector>

namespace panelhost {

// A named-variable write before a frame is drawn.
struct TimedSet {
    std::string name;
    double value = 0.0;
    int frame = 1;
};

// A click after a frame is drawn, in pixels of the drawn image.
struct TimedClick {
    int x_px = 0;
    int y_px = 0;
    int frame = 1;
};

struct CliOptions {
    std::string module_path;
    std::vector<std::string> gauges;  // empty: every gauge of the module
    int width_px = 500;
    int height_px = 500;
    int placements = 1;               // placements of each gauge
    int frames = 1;
    double start_time_s = 1.0;
    double step_s = 0.1;
    std::vector<TimedSet> sets;
    std::vector<TimedClick> clicks;
    std::string output_dir;           // empty: no PNG files
    bool last_frame_only = false;     // PNG files of the last frame only
    bool panel_variables = true;
    bool quiet = false;               // no line per frame
    bool help = false;
    std::string scenario_path;        // empty: the default scenario
    std::string net_player_path;      // empty: looked for next to the program
    std::vector<int> print_traffic_frames;  // frames after which the traffic list is printed
    bool print_scenario = false;      // print the default scenario and stop
    int x87_precision_bits = 0;       // module calls under this x87 precision; 0: the thread's own
};

struct CliParseResult {
    bool ok = false;
    CliOptions options;
    std::string error;
};

constexpr int kMaxFrames = 1000000;
constexpr int kMaxPlacements = 64;
constexpr int kMaxImageSide = 8192;

CliParseResult ParseCommandLine(const std::vector<std::string>& arguments);

std::string HelpText();

}  // namespace panelhost
