#include "montage_options.h"

#include "cli/number_parsing.h"


namespace demotools {
namespace {

using panelhost::ParseInt;
using panelhost::ParseSize;

MontageParseResult Error(std::string message) {
    MontageParseResult result;
    result.error = std::move(message);
    return result;
}

bool TakesValue(const std::string& option) {
    return option == "--out" || option == "--columns" || option == "--rows" || option == "--cell" ||
           option == "--caption-height" || option == "--title" || option == "--delay" || option == "--loops" ||
           option == "--size";
}

bool SheetOnly(const std::string& option) {
    return option == "--columns" || option == "--rows" || option == "--cell" || option == "--caption-height" ||
           option == "--title";
}

bool GifOnly(const std::string& option) { return option == "--delay" || option == "--loops" || option == "--size"; }

}  // namespace

MontageInput SplitCaption(const std::string& argument) {
    std::size_t equals = argument.find('=');
    if (equals == std::string::npos) return MontageInput{argument, ""};
    return MontageInput{argument.substr(0, equals), argument.substr(equals + 1)};
}

MontageParseResult ParseMontageCommandLine(const std::vector<std::string>& arguments) {
    MontageParseResult result;
    MontageOptions& options = result.options;
    std::size_t i = 0;
    if (!arguments.empty()) {
        if (arguments[0] == "sheet") {
            options.command = MontageCommand::kSheet;
            ++i;
        } else if (arguments[0] == "gif") {
            options.command = MontageCommand::kGif;
            ++i;
        }
    }
    for (; i < arguments.size(); ++i) {
        std::string option = arguments[i];
        if (option == "--help" || option == "-h") {
            options.help = true;
            continue;
        }
        if (option.size() < 2 || option[0] != '-') {
            if (options.command == MontageCommand::kSheet) {
                options.inputs.push_back(SplitCaption(option));
            } else {
                options.inputs.push_back(MontageInput{option, ""});
            }
            continue;
        }
        std::string value;
        std::size_t equals = option.find('=');
        if (option.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = option.substr(equals + 1);
            option = option.substr(0, equals);
            if (option == "--help") return Error("--help takes no value");
            if (!TakesValue(option)) return Error("unknown option " + option);
        } else {
            if (!TakesValue(option)) return Error("unknown option " + option);
            if (i + 1 >= arguments.size()) return Error(option + " needs a value");
            value = arguments[++i];
        }
        if (SheetOnly(option) && options.command != MontageCommand::kSheet) return Error(option + " is for sheets");
        if (GifOnly(option) && options.command != MontageCommand::kGif) return Error(option + " is for animations");

        if (option == "--out") {
            if (value.empty()) return Error("--out needs a file");
            options.output_path = value;
        } else if (option == "--columns") {
            if (!ParseInt(value, 1, kMaxSheetColumns, &options.layout.columns)) return Error("bad --columns: " + value);
        } else if (option == "--rows") {
            if (!ParseInt(value, 1, kMaxSheetRows, &options.layout.rows)) return Error("bad --rows: " + value);
            options.rows_given = true;
        } else if (option == "--cell") {
            if (!ParseInt(value, 1, kMaxCellSide, &options.layout.cell_px)) return Error("bad --cell: " + value);
        } else if (option == "--caption-height") {
            if (!ParseInt(value, 0, kMaxBandHeight, &options.layout.caption_px)) {
                return Error("bad --caption-height: " + value);
            }
        } else if (option == "--title") {
            options.title = value;
        } else if (option == "--delay") {
            if (!ParseInt(value, kMinGifDelayCs, kMaxGifDelayCs, &options.gif.delay_cs)) {
                return Error("bad --delay (hundredths of a second, " + std::to_string(kMinGifDelayCs) + " to " +
                             std::to_string(kMaxGifDelayCs) + "): " + value);
            }
        } else if (option == "--loops") {
            if (!ParseInt(value, 0, kMaxGifLoopCount, &options.gif.loop_count)) return Error("bad --loops: " + value);
        } else if (option == "--size") {
            if (!ParseSize(value, kMaxGifSide, &options.frame_width_px, &options.frame_height_px)) {
                return Error("bad --size: " + value);
            }
        }
    }
    if (options.help) {
        result.ok = true;
        return result;
    }
    if (options.command == MontageCommand::kNone) return Error("say what to make: sheet or gif");
    if (options.output_path.empty()) return Error("no --out file given");
    if (options.inputs.empty()) return Error("no pictures given");
    if (options.command == MontageCommand::kSheet) {
        int count = static_cast<int>(options.inputs.size());
        if (!options.rows_given) {
            options.layout.rows = (count + options.layout.columns - 1) / options.layout.columns;
            if (options.layout.rows > kMaxSheetRows) return Error("too many pictures for one sheet");
        }
        if (!options.title.empty()) options.layout.title_px = 36;
        std::string why;
        if (!CheckSheetLayout(options.layout, count, &why)) return Error(why);
    } else if (options.inputs.size() > static_cast<std::size_t>(kMaxGifFrames)) {
        return Error("more than " + std::to_string(kMaxGifFrames) + " frames");
    }
    result.ok = true;
    return result;
}

std::string MontageHelpText() {
    return R"(Usage: panel-montage sheet --out FILE.png [options] PICTURE[=CAPTION]...
       panel-montage gif --out FILE.gif [options] PICTURE...

Puts pictures the panel host drew (PNG files) together.

sheet: a contact sheet, the pictures in a grid row by row, each fitted into
a square cell with its caption under it ("circular_green.png=Circular
Green — plan": the caption follows the first '=').
  --columns N             cells across (default 4)
  --rows N                cells down (default: as many as the pictures need)
  --cell PX               side of a cell in pixels (default 300)
  --caption-height PX     caption band under each cell (default 28; 0: none)
  --title TEXT            a title across the top

gif: an animated GIF, the pictures as frames in order, with one colour
table for all frames.
  --delay CS              between frames, in hundredths of a second (default 10)
  --loops N               plays N times; 0 (the default) loops forever
  --size WxH | N          frame size; pictures of another size are scaled
                          (default: the first picture's size)

  --help                  this text

Exit status: 0 done, 1 a picture could not be read or the result written,
2 bad command line.
)";
}

}  // namespace demotools
