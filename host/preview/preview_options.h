// The RadarPreview command line.
#pragma once

#include <string>
#include <vector>

namespace preview {

// Host time between two frames as the simulator's panel updates them.
constexpr double kSimulatorFramesPerSecond = 18.0;

struct PreviewOptions {
    std::string module_path;      // empty: RadarGauge.gau next to the program
    std::string scenario_path;    // empty: the default scenario
    std::string gauge;            // empty: every gauge of the module, side by side
    int gauge_side_px = 300;      // each gauge's image at the start
    double start_time_s = 1.0;    // host time of the first picture
    double step_s = 1.0 / kSimulatorFramesPerSecond;  // host time one single step adds
    double frames_per_second = kSimulatorFramesPerSecond;
    bool paused = false;          // starts paused at the start time
    std::string report_path;      // lines on what is shown, for tests; "-": standard output
    bool help = false;
};

struct PreviewParseResult {
    bool ok = false;
    PreviewOptions options;
    std::string error;
};

constexpr int kMinGaugeSide_px = 32;
constexpr int kMaxGaugeSide_px = 2048;
constexpr double kMaxStep_s = 3600.0;
constexpr double kMaxFramesPerSecond = 100.0;

PreviewParseResult ParsePreviewCommandLine(const std::vector<std::string>& arguments);

std::string PreviewHelpText();

}  // namespace preview
