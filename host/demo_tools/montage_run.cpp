#include "montage_run.h"

#include <vector>

#include "contact_sheet.h"
#include "gif_animation.h"
#include "image/image.h"
#include "picture_scaling.h"

namespace demotools {
namespace {

bool LoadPictures(const std::vector<MontageInput>& inputs, std::vector<panelhost::Image>* pictures,
                  std::ostream& err) {
    for (const MontageInput& input : inputs) {
        panelhost::Image picture;
        std::string error;
        if (!panelhost::LoadPng(input.path, &picture, &error)) {
            err << "panel-montage: " << error << "\n";
            return false;
        }
        pictures->push_back(std::move(picture));
    }
    return true;
}

int MakeSheet(const MontageOptions& options, std::ostream& out, std::ostream& err) {
    std::vector<panelhost::Image> loaded;
    if (!LoadPictures(options.inputs, &loaded, err)) return 1;
    std::vector<SheetPicture> pictures;
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        pictures.push_back(SheetPicture{std::move(loaded[i]), options.inputs[i].caption});
    }
    panelhost::Image sheet;
    std::string error;
    if (!DrawContactSheet(pictures, options.layout, options.title, SheetStyle{}, &sheet, &error) ||
        !panelhost::SavePng(sheet, options.output_path, &error)) {
        err << "panel-montage: " << error << "\n";
        return 1;
    }
    out << "sheet of " << pictures.size() << " pictures (" << sheet.width << "x" << sheet.height << ") written to "
        << options.output_path << "\n";
    return 0;
}

int MakeGif(const MontageOptions& options, std::ostream& out, std::ostream& err) {
    std::vector<panelhost::Image> frames;
    if (!LoadPictures(options.inputs, &frames, err)) return 1;
    int width = options.frame_width_px > 0 ? options.frame_width_px : frames.front().width;
    int height = options.frame_height_px > 0 ? options.frame_height_px : frames.front().height;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        frames[i] = ScalePicture(frames[i], width, height);
        if (frames[i].empty()) {
            err << "panel-montage: cannot scale " << options.inputs[i].path << " to " << width << "x" << height << "\n";
            return 1;
        }
    }
    std::string error;
    if (!WriteAnimatedGif(frames, options.gif, options.output_path, &error)) {
        err << "panel-montage: " << error << "\n";
        return 1;
    }
    out << "animation of " << frames.size() << " frames (" << width << "x" << height << ", " << options.gif.delay_cs
        << " cs apart) written to " << options.output_path << "\n";
    return 0;
}

}  // namespace

int RunMontage(const MontageOptions& options, std::ostream& out, std::ostream& err) {
    switch (options.command) {
        case MontageCommand::kSheet:
            return MakeSheet(options, out, err);
        case MontageCommand::kGif:
            return MakeGif(options, out, err);
        case MontageCommand::kNone:
            break;
    }
    return 2;
}

}  // namespace demotools
