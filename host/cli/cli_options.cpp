#include "cli/cli_options.h"

#include "panel/module_call_precision.h"
#include "cli/number_parsing.h"
#include "cli/option_words.h"


namespace panelhost {
namespace {

// Splits "what@FRAME"; the frame is 1 without "@".
bool SplitFrame(const std::string& text, std::string* what, int* frame) {
    std::size_t at = text.rfind('@');
    if (at == std::string::npos) {
        *what = text;
        *frame = 1;
        return true;
    }
    *what = text.substr(0, at);
    return ParseInt(text.substr(at + 1), 1, kMaxFrames, frame);
}

bool ParseSet(const std::string& text, TimedSet* set) {
    std::string assignment;
    if (!SplitFrame(text, &assignment, &set->frame)) return false;
    std::size_t equals = assignment.rfind('=');
    if (equals == std::string::npos || equals == 0) return false;
    set->name = assignment.substr(0, equals);
    return ParseDouble(assignment.substr(equals + 1), &set->value);
}

bool ParseClick(const std::string& text, TimedClick* click) {
    std::string point;
    if (!SplitFrame(text, &point, &click->frame)) return false;
    std::size_t comma = point.find(',');
    if (comma == std::string::npos) return false;
    return ParseInt(point.substr(0, comma), -kMaxImageSide, kMaxImageSide, &click->x_px) &&
           ParseInt(point.substr(comma + 1), -kMaxImageSide, kMaxImageSide, &click->y_px);
}

CliParseResult Error(std::string message) {
    CliParseResult result;
    result.error = std::move(message);
    return result;
}

bool TakesValue(const std::string& option) {
    return option == "--gauge" || option == "--size" || option == "--placements" || option == "--frames" ||
           option == "--start-time" || option == "--step" || option == "--set" || option == "--click" ||
           option == "--out" || option == "--scenario" || option == "--netplayer" ||
           option == "--print-traffic" || option == "--x87-precision";
}

}  // namespace

CliParseResult ParseCommandLine(const std::vector<std::string>& arguments) {
    CliParseResult result;
    CliOptions& options = result.options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        OptionWord word = SplitOptionWord(arguments[i]);
        const std::string& option = word.option;
        const std::string& value = word.value;
        if (option == "--help" || option == "-h") {
            options.help = true;
            continue;
        }
        std::string error;
        if (!TakeOptionValue(arguments, &i, TakesValue(option), &word, &error)) return Error(error);

        if (option == "--gauge") {
            if (value.empty()) return Error("--gauge needs a gauge name");
            if (value == "all") {
                options.gauges.clear();
            } else {
                options.gauges.push_back(value);
            }
        } else if (option == "--size") {
            if (!ParseSize(value, kMaxImageSide, &options.width_px, &options.height_px)) return Error("bad --size: " + value);
        } else if (option == "--placements") {
            if (!ParseInt(value, 1, kMaxPlacements, &options.placements)) return Error("bad --placements: " + value);
        } else if (option == "--frames") {
            if (!ParseInt(value, 1, kMaxFrames, &options.frames)) return Error("bad --frames: " + value);
        } else if (option == "--start-time") {
            if (!ParseDouble(value, &options.start_time_s)) return Error("bad --start-time: " + value);
        } else if (option == "--step") {
            if (!ParseDouble(value, &options.step_s)) return Error("bad --step: " + value);
        } else if (option == "--set") {
            TimedSet set;
            if (!ParseSet(value, &set)) return Error("bad --set (NAME=VALUE@FRAME): " + value);
            options.sets.push_back(set);
        } else if (option == "--click") {
            TimedClick click;
            if (!ParseClick(value, &click)) return Error("bad --click (X,Y@FRAME): " + value);
            options.clicks.push_back(click);
        } else if (option == "--out") {
            if (value.empty()) return Error("--out needs a folder");
            options.output_dir = value;
        } else if (option == "--scenario") {
            if (value.empty()) return Error("--scenario needs a file");
            options.scenario_path = value;
        } else if (option == "--netplayer") {
            if (value.empty()) return Error("--netplayer needs a module file");
            options.net_player_path = value;
        } else if (option == "--print-traffic") {
            int frame = 0;
            if (!ParseInt(value, 1, kMaxFrames, &frame)) return Error("bad --print-traffic: " + value);
            options.print_traffic_frames.push_back(frame);
        } else if (option == "--x87-precision") {
            if (!ParseInt(value, 24, 64, &options.x87_precision_bits) || !IsX87PrecisionBits(options.x87_precision_bits)) {
                return Error("bad --x87-precision (24, 53 or 64): " + value);
            }
        } else if (option == "--print-scenario") {
            options.print_scenario = true;
        } else if (option == "--last-frame-only") {
            options.last_frame_only = true;
        } else if (option == "--no-panel-variables") {
            options.panel_variables = false;
        } else if (option == "--quiet") {
            options.quiet = true;
        } else if (option.size() > 1 && option[0] == '-') {
            return Error("unknown option " + option);
        } else if (options.module_path.empty()) {
            options.module_path = option;
        } else {
            return Error("more than one module: " + option);
        }
    }
    if (options.help || options.print_scenario) {
        result.ok = true;
        return result;
    }
    if (options.module_path.empty()) return Error("no module file given");
    for (const TimedSet& set : options.sets) {
        if (set.frame > options.frames) return Error("--set at frame " + std::to_string(set.frame) + " is never reached");
    }
    for (const TimedClick& click : options.clicks) {
        if (click.frame > options.frames) {
            return Error("--click at frame " + std::to_string(click.frame) + " is never reached");
        }
    }
    for (int frame : options.print_traffic_frames) {
        if (frame > options.frames) {
            return Error("--print-traffic at frame " + std::to_string(frame) + " is never reached");
        }
    }
    result.ok = true;
    return result;
}

std::string HelpText() {
    return R"(Usage: panel-host MODULE [options]

Loads a gauge module file and plays the simulator's panel system for it:
places its gauges on surfaces, draws frames, delivers clicks and keeps the
panel's named variables. Prints one line per frame with every named
variable's value.

  MODULE                  the gauge module file (e.g. build/linux/RadarGauge.gau)
  --gauge NAME            a gauge to place, by name; repeat for several.
                          "all" (the default) places every gauge of the module
  --size WxH | N          image size in pixels (default 500x500)
  --placements N          placements of each gauge, each with its own surface
                          and device context (default 1)
  --frames N              frames to draw (default 1)
  --start-time SECONDS    host time of frame 1 (default 1.0)
  --step SECONDS          host time added per frame (default 0.1); a step of 0
                          is a paused simulation and draws nothing new
  --set NAME=VALUE@FRAME  writes a named variable before FRAME is drawn
                          (frames count from 1; without @FRAME: frame 1).
                          Quote names with spaces: --set "Radar Mode=4"@10
                          The radar writes its defaults into "Radar Mode" and
                          "Radar Range" in its first frame, so set them from
                          frame 2 on
  --click X,Y@FRAME       a left click at pixel X,Y of every placement's image,
                          after FRAME is drawn (the next frame shows it)
  --out FOLDER            writes each placement's image of each frame as
                          FOLDER/<gauge>[_p<N>]_f<frame>.png, e.g.
                          circular_green_f0001.png; prints the folder's path
  --last-frame-only       writes the images of the last frame only
  --no-panel-variables    leaves "Radar Mode" and "Radar Range" absent until
                          the radar makes them, as on a panel whose control
                          gauge loads after the radar, or has none
  --quiet                 no line per frame
  --scenario FILE         the simulated sky: the own aircraft's flight, the
                          traffic interface's aircraft and the network players
                          (host/sky/SCENARIOS.md describes the format).
                          Without it: a busy terminal area around the own
                          aircraft, which flies north at 10000 ft over
                          47.4647 N 8.5492 E
  --print-scenario        prints that default scenario and stops
  --print-traffic FRAME   after FRAME is drawn, prints the traffic list a gauge
                          builds from the sky at that moment (repeatable)
  --netplayer FILE        the network-player module IBNetPlayer.gau, loaded when
                          the scenario has network players (default: the one
                          next to this program, else the one the build made)
  --x87-precision BITS    makes every call into the module with the x87
                          precision control at 24, 53 or 64 bits, as a host
                          whose panel thread runs so, and puts the host's own
                          control word back after each call
  --help                  this text

The sky moves by dead reckoning each host second from the start time.
Exit status: 0 done, 1 the module or a gauge could not be used, 2 bad command
line or scenario file.
)";
}

}  // namespace panelhost
