#include "soak_run.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>

#include "image/image.h"
#include "sky/net_player_module.h"
#include "panel/panel_host.h"
#include "sky/panel_sky.h"
#include "process_memory.h"
#include "sky/scenario.h"

namespace soak {
namespace {

constexpr double kModes[] = {2, 3, 4, 2, 3, 4, 5, 2, 0, 4, 1, 3};
constexpr double kRanges[] = {5, 10, 20, 40, 80, 160, 320, 4.9, 40};
constexpr long kLongestWarmUpCycles = 500;
constexpr const char* kContextGauge = "Circular Green";

bool IsUniform(const panelhost::Image& image) {
    return image.argb.empty() ||
           std::all_of(image.argb.begin(), image.argb.end(), [&](std::uint32_t p) { return p == image.argb[0]; });
}

// Clicks walk over the gauge in a fixed pseudo-random order.
struct ClickWalk {
    std::uint32_t state = 12345;
    int Next(int side) {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(side));
    }
};

class Soak {
public:
    Soak(const SoakOptions& options, SoakReport& report, std::ostream& log)
        : options_(options), report_(report), log_(log), sky_(panelhost::DefaultScenario()),
          panel_(HostOptions(options)) {}

    void Run() {
        std::string error;
        if (!panel_.LoadModule(options_.module_path, &error)) return Fail("module: " + error);
        if (!sky_.Attach(panel_, panelhost::NetPlayerModuleCandidates(), &error))
            return Fail("network-player module: " + error);
        if (!PlaceFour()) return;

        report_.warm_up_cycles = std::min(kLongestWarmUpCycles, options_.cycles / 10);
        if (report_.warm_up_cycles == 0) report_.rss_start_kb = ResidentKb();
        for (long cycle = 0; cycle < options_.cycles; ++cycle) {
            if (!Cycle(cycle)) return;
            if (cycle + 1 == report_.warm_up_cycles) report_.rss_start_kb = ResidentKb();
        }
        report_.rss_end_kb = ResidentKb();
        log_ << "soak: " << report_.cycles << " cycles, " << report_.frames << " frames, RSS " << report_.rss_start_kb
             << " KiB after " << report_.warm_up_cycles << " warm-up cycles, " << report_.rss_end_kb << " KiB at the end\n";

        RemoveAll();
        ManyDeviceContexts();
        report_.rss_after_contexts_kb = ResidentKb();
        log_ << "soak: " << report_.contexts << " device contexts on one gauge object, RSS "
             << report_.rss_after_contexts_kb << " KiB after\n";
        log_ << "soak: " << panel_.module_calls().Describe() << "\n";
        if (panel_.module_calls().calls_not_given_back() != 0) Fail("the module changed the host's floating-point state");
    }

private:
    static panelhost::PanelHostOptions HostOptions(const SoakOptions& options) {
        panelhost::PanelHostOptions host_options;
        host_options.x87_precision_bits = static_cast<int>(options.x87_precision_bits);
        return host_options;
    }

    void Fail(const std::string& what) {
        report_.failures.push_back(what);
        log_ << "soak: FAILED: " << what << "\n";
    }

    bool PlaceFour() {
        for (const std::string& name : panel_.GaugeNames()) {
            if (panel_.Place(name, kGaugeSide, kGaugeSide) == nullptr) {
                Fail("cannot place " + name);
                return false;
            }
        }
        return true;
    }

    void RemoveAll() {
        while (!panel_.placements().empty()) panel_.Remove(panel_.placements().back().get());
    }

    void Frame() {
        panel_.AdvanceClock(kFrameStepSeconds);
        sky_.Update(panel_);
        panel_.DrawFrame();
        ++report_.frames;
    }

    // Every placement shows more than the background: the radar still draws.
    bool AllDrawn(const char* when) {
        for (const auto& placement : panel_.placements()) {
            if (IsUniform(placement->ReadImage())) {
                Fail(std::string(placement->gauge_name()) + " shows nothing " + when);
                return false;
            }
        }
        return true;
    }

    bool Cycle(long cycle) {
        panelhost::NamedVariableStore& variables = panel_.named_variables();
        if (cycle > 0 && cycle % options_.reconnect_every == 0) {
            variables.SetByName(panelhost::kRadarModeVariable, 2);
            Frame();
            if (!AllDrawn("before a reconnection")) return false;
            RemoveAll();
            if (!PlaceFour()) return false;
            ++report_.reconnects;
        }
        if (cycle % kModeEveryCycles == 0)
            variables.SetByName(panelhost::kRadarModeVariable, kModes[(cycle / kModeEveryCycles) % std::size(kModes)]);
        if (cycle % kRangeEveryCycles == 0)
            variables.SetByName(panelhost::kRadarRangeVariable,
                                kRanges[(cycle / kRangeEveryCycles) % std::size(kRanges)]);

        for (int frame = 0; frame < kFramesPerCycle; ++frame) Frame();

        panelhost::GaugePlacement& target = *panel_.placements()[cycle % panel_.placements().size()];
        panel_.Click(target, clicks_.Next(kGaugeSide), clicks_.Next(kGaugeSide));
        ++report_.clicks;
        if (variables.ValueOr("Radar Target Selected", 0.0) == 1.0) ++report_.cycles_with_selection;
        ++report_.cycles;
        return true;
    }

    // One gauge object paints more device contexts than its cache holds;
    // afterwards the four gauges are connected again and still draw.
    void ManyDeviceContexts() {
        for (long n = 0; n < options_.contexts; ++n) {
            if (panel_.Place(kContextGauge, kContextGaugeSide, kContextGaugeSide) == nullptr)
                return Fail("cannot place device context " + std::to_string(n + 1));
        }
        panel_.named_variables().SetByName(panelhost::kRadarModeVariable, 2);
        Frame();
        Frame();
        report_.contexts = static_cast<long>(panel_.placements().size());
        RemoveAll();
        if (!PlaceFour()) return;
        Frame();
        Frame();
        AllDrawn("after the device contexts");
        RemoveAll();
    }

    const SoakOptions& options_;
    SoakReport& report_;
    std::ostream& log_;
    // The sky outlives the gauges, which keep its traffic interface.
    panelhost::PanelSky sky_;
    panelhost::PanelHost panel_;
    ClickWalk clicks_;
};

}  // namespace

void RunSoak(const SoakOptions& options, SoakReport& report, std::ostream& log) {
    const auto start = std::chrono::steady_clock::now();
    Soak(options, report, log).Run();
    report.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace soak
