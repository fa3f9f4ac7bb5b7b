// A panel with the radar on it, as the benchmark drives it: the panel host
// loads a module file by path, its own sky (traffic interface and
// network-player module) flies the benchmark's scenario, and one
// "Rectangular Green" gauge is placed at each benchmarked size. A frame is
// the host's pre-draw service of one placement, with the host time
// advanced (a drawn frame) or not (a frame that finds nothing changed).
// A scene with timed services is the split pass's: every call the module
// makes to GDI+ and to the host is timed (service_timing.h).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "bench_scenario.h"
#include "panel/panel_host.h"
#include "sky/panel_sky.h"
#include "service_timing.h"

namespace bench {

constexpr std::array<int, 3> kSizes_px = {256, 512, 1024};
constexpr std::array<int, 3> kModes = {2, 3, 4};
constexpr const char* kBenchGauge = "Rectangular Green";
constexpr std::uint64_t kFramesPerHostSecond = 18;
constexpr double kFrameStep_s = 1.0 / kFramesPerHostSecond;  // host time between two drawn frames
constexpr double kRange_nm = 40.0;

enum class Services { kPlain, kTimed };

class FrameScene {
public:
    FrameScene(const std::string& module_path, const std::string& netplayer_path, SkyCount sky,
               Services services = Services::kPlain);
    FrameScene(const FrameScene&) = delete;
    FrameScene& operator=(const FrameScene&) = delete;

    // Empty when the scene is ready, else what went wrong.
    const std::string& error() const { return error_; }
    SkyCount sky() const { return count_; }
    Services services() const { return services_; }

    // Sets "Radar Mode", draws every size once and, with targets, selects
    // the player dead ahead with a click. False (and error() says why) when
    // the selection did not take.
    bool SetMode(int mode);

    // The host time moves on and the placement of size index `size` is drawn.
    void DrawNextFrame(std::size_t size) {
        panel_.AdvanceClock(kFrameStep_s);
        panel_.SendPreDraw(*placements_[size]);
    }
    // The pre-draw service with the host time unchanged.
    void DrawUnchangedFrame(std::size_t size) { panel_.SendPreDraw(*placements_[size]); }
    // "Radar Range" written by the panel, e.g. to make the radar rebuild.
    void SetRange(double range_nm) { panel_.named_variables().SetByName("Radar Range", range_nm); }

    sim::DeviceContext device_context(std::size_t size) { return placements_[size]->device_context(); }
    double NamedValue(const char* name) { return panel_.named_variables().ValueOr(name, -2.0); }

private:
    bool SelectAheadTarget(int mode);

    SkyCount count_;
    Services services_;
    panelhost::PanelSky sky_;  // outlives the gauges, which keep its traffic interface
    std::unique_ptr<TimedTrafficComponent> timed_traffic_;  // so does this
    panelhost::PanelHost panel_;
    std::unique_ptr<ServiceTaps> taps_;  // out of the module before it is unloaded
    std::array<panelhost::GaugePlacement*, kSizes_px.size()> placements_{};
    std::string error_;
};

}  // namespace bench
