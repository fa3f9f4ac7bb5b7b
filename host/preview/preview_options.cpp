#include "preview_options.h"

#include "cli/number_parsing.h"
#include "cli/option_words.h"

namespace preview {
namespace {

PreviewParseResult Error(std::string message) {
    PreviewParseResult result;
    result.error = std::move(message);
    return result;
}

bool TakesValue(const std::string& option) {
    return option == "--scenario" || option == "--gauge" || option == "--size" || option == "--start-time" ||
           option == "--step" || option == "--frame-rate" || option == "--report";
}

// A number of host seconds from min to max.
bool ParseSeconds(const std::string& text, double min, double max, double* out) {
    double value = 0.0;
    if (!panelhost::ParseDouble(text, &value) || value < min || value > max) return false;
    *out = value;
    return true;
}

}  // namespace

PreviewParseResult ParsePreviewCommandLine(const std::vector<std::string>& arguments) {
    PreviewParseResult result;
    PreviewOptions& options = result.options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        panelhost::OptionWord word = panelhost::SplitOptionWord(arguments[i]);
        std::string error;
        if (!panelhost::TakeOptionValue(arguments, &i, TakesValue(word.option), &word, &error)) return Error(error);
        const std::string& option = word.option;
        const std::string& value = word.value;
        if (option == "--help" || option == "-h" || option == "/?") {
            options.help = true;
        } else if (option == "--scenario") {
            if (value.empty()) return Error("--scenario needs a file");
            options.scenario_path = value;
        } else if (option == "--gauge") {
            if (value.empty()) return Error("--gauge needs a gauge name");
            options.gauge = value == "all" ? std::string() : value;
        } else if (option == "--size") {
            if (!panelhost::ParseInt(value, kMinGaugeSide_px, kMaxGaugeSide_px, &options.gauge_side_px)) {
                return Error("bad --size (" + std::to_string(kMinGaugeSide_px) + " to " +
                             std::to_string(kMaxGaugeSide_px) + " pixels): " + value);
            }
        } else if (option == "--start-time") {
            if (!ParseSeconds(value, 0.0, 1.0e9, &options.start_time_s)) return Error("bad --start-time: " + value);
        } else if (option == "--step") {
            if (!ParseSeconds(value, 0.0, kMaxStep_s, &options.step_s) || options.step_s <= 0.0) {
                return Error("bad --step (more than 0, at most 3600 seconds): " + value);
            }
        } else if (option == "--frame-rate") {
            if (!ParseSeconds(value, 1.0, kMaxFramesPerSecond, &options.frames_per_second)) {
                return Error("bad --frame-rate (1 to 100 frames a second): " + value);
            }
        } else if (option == "--paused") {
            options.paused = true;
        } else if (option == "--report") {
            if (value.empty()) return Error("--report needs a file");
            options.report_path = value;
        } else if (option.size() > 1 && option[0] == '-') {
            return Error("unknown option " + option);
        } else if (options.module_path.empty()) {
            options.module_path = option;
        } else {
            return Error("more than one module: " + option);
        }
    }
    result.ok = true;
    return result;
}

std::string PreviewHelpText() {
    return R"(Usage: RadarPreview [MODULE] [options]

Shows the gauges of a gauge module live, as a panel shows them: the module is
loaded through its exports and drawn over a simulated sky.

  MODULE              the gauge module (default: RadarGauge.gau next to
                      this program)
  --scenario FILE     the simulated sky (default: a busy terminal area)
  --gauge NAME        only this gauge (default: all of them, side by side)
  --size PIXELS       each gauge's size at the start (default 300)
  --paused            starts paused
  --start-time SECONDS  host time of the first picture (default 1)
  --step SECONDS      host time a single step adds (default 1/18)
  --frame-rate N      frames a second while running (default 18)
  --report FILE       writes what is shown, line by line ("-": standard output)

Keys: Space pause, S single step, 2 3 4 plan, sector and altitude display,
- and + halve and double the range, Left and Right turn the own aircraft,
Ctrl+O open a scenario, Ctrl+S save a gauge's picture, F1 the status and
the notes in full (missing fonts, network players left out), Ctrl+Q quit.
)";
}

}  // namespace preview
