#include "frame_scene.h"

#include <cmath>

namespace bench {
namespace {

// Where the selected player (dead ahead, 10 NM out, 500 ft above) stands on
// the 1000 x 1000 virtual screen of each display at a 40 NM range.
struct VirtualPoint {
    double x;
    double y;
};

VirtualPoint SelectedTargetOnScreen(int mode) {
    switch (mode) {
        case 2: return {500.0, 500.0 - kSelectedDistance_nm * 475.0 / kRange_nm};  // plan: 475 units = range
        case 3: return {500.0, 975.0 - kSelectedDistance_nm * 950.0 / kRange_nm};  // sector apex, 950 = range
        default: return {500.0, 500.0 - kSelectedAbove_ft * 0.2};                  // 0.2 units per foot
    }
}

}  // namespace

FrameScene::FrameScene(const std::string& module_path, const std::string& netplayer_path, SkyCount sky,
                       Services services)
    : count_(sky), services_(services), sky_(BenchScenario(sky)) {
    if (!panel_.LoadModule(module_path, &error_)) return;
    // The traffic component is there before the first gauge binds it.
    if (!sky_.Attach(panel_, {netplayer_path}, &error_)) return;
    if (services == Services::kTimed) {
        sim::RegisteredInterface* component = panel_.interfaces().Find(sim::kTrafficInterfaceName);
        if (component == nullptr) {
            error_ = "no traffic component to time";
            return;
        }
        timed_traffic_ = std::make_unique<TimedTrafficComponent>(*component);
        panel_.RegisterInterface(sim::kTrafficInterfaceName, timed_traffic_.get());
        taps_ = std::make_unique<ServiceTaps>(module_path);
        if (!taps_->error().empty()) {
            error_ = taps_->error();
            return;
        }
    }
    for (std::size_t i = 0; i < kSizes_px.size(); ++i) {
        placements_[i] = panel_.Place(kBenchGauge, kSizes_px[i], kSizes_px[i]);
        if (placements_[i] == nullptr) {
            error_ = std::string("cannot place ") + kBenchGauge;
            return;
        }
    }
    // The first pre-draw service registers the named variables.
    for (std::size_t i = 0; i < kSizes_px.size(); ++i) DrawNextFrame(i);
}

bool FrameScene::SetMode(int mode) {
    panel_.named_variables().SetByName("Radar Mode", mode);
    for (std::size_t i = 0; i < kSizes_px.size(); ++i) DrawNextFrame(i);
    if (count_.players == 0) return true;
    return SelectAheadTarget(mode);
}

// The click goes to the placement drawn last, whose scale the gauge holds.
bool FrameScene::SelectAheadTarget(int mode) {
    const std::size_t last = kSizes_px.size() - 1;
    const VirtualPoint point = SelectedTargetOnScreen(mode);
    const double pixels_per_unit = kSizes_px[last] * 0.001;
    panel_.Click(*placements_[last], static_cast<int>(std::lround(point.x * pixels_per_unit)),
                 static_cast<int>(std::lround(point.y * pixels_per_unit)));
    for (std::size_t i = 0; i < kSizes_px.size(); ++i) DrawNextFrame(i);
    if (NamedValue("Radar Target Selected") != 1.0 ||
        std::fabs(NamedValue("Radar Target Distance") - kSelectedDistance_nm) > 0.1) {
        error_ = "the click did not select the target ahead in mode " + std::to_string(mode);
        return false;
    }
    return true;
}

}  // namespace bench
