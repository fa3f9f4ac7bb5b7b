#include "cli/panel_session.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <utility>
#include <vector>

#include "image/gauge_fonts.h"
#include "panel/panel_host.h"
#include "sky/panel_sky.h"
#include "sky/scenario.h"
#include "sky/traffic_report.h"

namespace panelhost {
namespace {

std::string FormatNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

std::string Slug(const std::string& name) {
    std::string slug;
    for (char c : name) {
        auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u)) {
            slug.push_back(static_cast<char>(std::tolower(u)));
        } else if (!slug.empty() && slug.back() != '_') {
            slug.push_back('_');
        }
    }
    while (!slug.empty() && slug.back() == '_') slug.pop_back();
    return slug.empty() ? "gauge" : slug;
}

struct PlacedGauge {
    GaugePlacement* placement;
    std::string name;
    int number;  // 1-based, among the placements of this gauge
};

bool PlaceGauges(PanelHost& panel, const CliOptions& options, std::vector<PlacedGauge>* placed, std::ostream& err) {
    std::vector<std::string> names = options.gauges.empty() ? panel.GaugeNames() : options.gauges;
    if (names.empty()) {
        err << "panel-host: the module has no gauges\n";
        return false;
    }
    for (const std::string& name : names) {
        for (int number = 1; number <= options.placements; ++number) {
            GaugePlacement* placement = panel.Place(name, options.width_px, options.height_px);
            if (placement == nullptr) {
                err << "panel-host: cannot place gauge \"" << name << "\"\n";
                return false;
            }
            placed->push_back(PlacedGauge{placement, name, number});
        }
    }
    return true;
}

bool WriteFrameImages(const std::vector<PlacedGauge>& placed, const CliOptions& options, int frame,
                      std::ostream& err) {
    for (const PlacedGauge& gauge : placed) {
        std::filesystem::path path = std::filesystem::path(options.output_dir) /
                                     FrameFileName(gauge.name, gauge.number, options.placements, frame);
        std::string error;
        if (!gauge.placement->SaveImage(path.string(), &error)) {
            err << "panel-host: " << error << "\n";
            return false;
        }
    }
    return true;
}

std::vector<std::string> NetPlayerPaths(const CliOptions& options) {
    if (!options.net_player_path.empty()) return {options.net_player_path};
    return NetPlayerModuleCandidates();
}

bool PlayersAnswered(const PanelSky& sky) {
    return sky.net_player_module() != nullptr && sky.sky().scenario().player_status == sim::kNetPlayerStatusOk;
}

}  // namespace

std::string FrameLine(int frame, double time_s, const NamedVariableStore& variables) {
    char head[64];
    std::snprintf(head, sizeof head, "frame %d t=%.3f", frame, time_s);
    std::string line = head;
    for (const NamedVariable& variable : variables.variables()) {
        line += " | " + variable.name + "=" + FormatNumber(variable.value);
    }
    return line;
}

std::string FrameFileName(const std::string& gauge_name, int placement, int placements, int frame) {
    char number[16];
    std::snprintf(number, sizeof number, "%04d", frame);
    std::string name = Slug(gauge_name);
    if (placements > 1) name += "_p" + std::to_string(placement);
    return name + "_f" + number + ".png";
}

int RunPanelSession(const CliOptions& options, std::ostream& out, std::ostream& err) {
    ScenarioParseResult scenario = LoadScenarioOrDefault(options.scenario_path);
    if (!scenario.ok) {
        err << "panel-host: scenario " << scenario.error << "\n";
        return 2;
    }
    // The sky outlives the panel: its gauges keep the traffic interface.
    PanelSky sky(std::move(scenario.scenario));
    PanelHostOptions host_options;
    host_options.panel_variables = options.panel_variables;
    host_options.x87_precision_bits = options.x87_precision_bits;
    PanelHost panel(host_options);
    std::string error;
    if (!panel.LoadModule(options.module_path, &error)) {
        err << "panel-host: " << error << "\n";
        return 1;
    }
    // Without these the pictures lack their texts; the run goes on.
    const std::string fonts_advice = GaugeFontsAdvice(FindGaugeFonts());
    if (!fonts_advice.empty()) err << "panel-host: " << fonts_advice << "\n";
    if (!options.output_dir.empty()) {
        std::error_code ec;
        std::filesystem::create_directories(options.output_dir, ec);
        if (ec) {
            err << "panel-host: cannot make " << options.output_dir << ": " << ec.message() << "\n";
            return 1;
        }
    }
    panel.clock().time_s = options.start_time_s;
    std::string sky_error;
    if (!sky.Attach(panel, NetPlayerPaths(options), &sky_error)) {
        err << "panel-host: " << sky_error << "\n";
        if (!options.net_player_path.empty()) return 1;
    }
    if (!options.quiet) out << "sky: " << DescribeSky(options.scenario_path, sky) << "\n";

    std::vector<PlacedGauge> placed;
    if (!PlaceGauges(panel, options, &placed, err)) return 1;

    double radar_range_nm = kDefaultRadarRangeNm;
    for (int frame = 1; frame <= options.frames; ++frame) {
        if (frame > 1) panel.AdvanceClock(options.step_s);
        sky.Update(panel);
        for (const TimedSet& set : options.sets) {
            if (set.frame == frame) panel.named_variables().SetByName(set.name, set.value);
        }
        panel.DrawFrame();
        if (!options.quiet) out << FrameLine(frame, panel.clock().time_s, panel.named_variables()) << "\n";
        radar_range_nm = NextRadarRange(radar_range_nm, panel.named_variables().ValueOr(kRadarRangeVariable, 0.0));
        for (int print_frame : options.print_traffic_frames) {
            if (print_frame != frame) continue;
            out << FormatTrafficReport(frame, panel.clock().time_s, radar_range_nm, sky.sky().own(),
                                       BuildTrafficReport(sky.sky(), radar_range_nm, PlayersAnswered(sky)));
        }
        bool write = !options.output_dir.empty() && (!options.last_frame_only || frame == options.frames);
        if (write && !WriteFrameImages(placed, options, frame, err)) return 1;
        for (const TimedClick& click : options.clicks) {
            if (click.frame != frame) continue;
            for (const PlacedGauge& gauge : placed) panel.Click(*gauge.placement, click.x_px, click.y_px);
        }
    }
    if (!options.output_dir.empty()) {
        std::error_code ec;
        std::filesystem::path folder = std::filesystem::absolute(options.output_dir, ec);
        out << "images written to " << (ec ? options.output_dir : folder.lexically_normal().string()) << "\n";
    }
    // A module must leave the host's floating-point state as it found it.
    if (panel.module_calls().calls_not_given_back() != 0) {
        err << "panel-host: " << panel.module_calls().Describe() << "\n";
        return 1;
    }
    if (options.x87_precision_bits != 0 && !options.quiet) out << panel.module_calls().Describe() << "\n";
    return 0;
}

}  // namespace panelhost
