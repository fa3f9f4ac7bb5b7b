// The panel-montage command line.
#pragma once

#include <string>
#include <vector>

#include "contact_sheet_layout.h"
#include "gif_animation.h"

namespace demotools {

enum class MontageCommand { kNone, kSheet, kGif };

struct MontageInput {
    std::string path;
    std::string caption;  // sheets only
};

struct MontageOptions {
    MontageCommand command = MontageCommand::kNone;
    std::vector<MontageInput> inputs;
    std::string output_path;
    // sheet
    SheetLayout layout;
    bool rows_given = false;  // otherwise as many rows as the pictures need
    std::string title;
    // gif
    GifOptions gif;
    int frame_width_px = 0;  // 0: the first picture's size
    int frame_height_px = 0;
    bool help = false;
};

struct MontageParseResult {
    bool ok = false;
    MontageOptions options;
    std::string error;
};

MontageParseResult ParseMontageCommandLine(const std::vector<std::string>& arguments);

// "file.png=Circular Green — plan": the path before the first '=', the caption after it.
MontageInput SplitCaption(const std::string& argument);

std::string MontageHelpText();

}  // namespace demotools
