// RadarPreview: the gauges of a gauge module live in a window (see
// PreviewHelpText).
#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "preview_messages.h"
#include "preview_options.h"
#include "preview_panel.h"
#include "preview_report.h"
#include "preview_window.h"
#include "panel/program_folder.h"

namespace {

constexpr const char* kDefaultModuleName = "RadarGauge.gau";

// Exit statuses, as the command-line panel host's.
constexpr int kExitModule = 1;
constexpr int kExitInput = 2;

std::string DefaultModulePath() { return (panelhost::ProgramFolder() / kDefaultModuleName).string(); }

int Preview(const preview::PreviewOptions& options, preview::PreviewReport& report) {
    preview::PreviewPanel panel(options.start_time_s);
    std::string error;
    const std::string module_path = options.module_path.empty() ? DefaultModulePath() : options.module_path;
    if (!panel.LoadModule(module_path, &error)) {
        preview::ShowPreviewError(nullptr, error, report);
        return kExitModule;
    }
    if (!panel.LoadSky(options.scenario_path, &error)) {
        preview::ShowPreviewError(nullptr, error, report);
        return kExitInput;
    }
    if (!panel.ShowGauges(options.gauge, options.gauge_side_px, &error)) {
        preview::ShowPreviewError(nullptr, error, report);
        return kExitModule;
    }
    preview::PreviewWindow window(panel, options, report);
    if (!window.Create(GetModuleHandleA(nullptr), &error)) {
        preview::ShowPreviewError(nullptr, error, report);
        return kExitModule;
    }
    return window.Run();
}

}  // namespace

int main(int argc, char** argv) {
    preview::PreviewReport report;
    const preview::PreviewParseResult parsed =
        preview::ParsePreviewCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.ok) {
        preview::ShowPreviewError(nullptr, parsed.error + "\n\n" + preview::PreviewHelpText(), report);
        return kExitInput;
    }
    if (parsed.options.help) {
        preview::ShowPreviewHelp(preview::PreviewHelpText());
        return 0;
    }
    std::string error;
    if (!parsed.options.report_path.empty() && !report.Open(parsed.options.report_path, &error)) {
        preview::ShowPreviewError(nullptr, error, report);
        return kExitInput;
    }
    try {
        return Preview(parsed.options, report);
    } catch (const std::exception& e) {
        preview::ShowPreviewError(nullptr, e.what(), report);
        return kExitModule;
    }
}
