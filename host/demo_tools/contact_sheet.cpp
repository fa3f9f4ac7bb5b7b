#include "contact_sheet.h"

#include <memory>

#include "canvas.h"

namespace demotools {

bool DrawContactSheet(const std::vector<SheetPicture>& pictures, const SheetLayout& layout, const std::string& title,
                      const SheetStyle& style, panelhost::Image* sheet, std::string* error) {
    if (sheet == nullptr) return false;
    int count = pictures.size() > static_cast<std::size_t>(kMaxSheetColumns * kMaxSheetRows)
                    ? kMaxSheetColumns * kMaxSheetRows + 1
                    : static_cast<int>(pictures.size());
    if (!CheckSheetLayout(layout, count, error)) return false;
    std::unique_ptr<Canvas> canvas = Canvas::Create(SheetWidth(layout), SheetHeight(layout), error);
    if (!canvas) return false;
    canvas->Clear(style.background);

    if (layout.title_px > 0) {
        TextStyle title_text{style.title_colour, style.title_size_px, true};
        canvas->DrawCentredText(title, TitleRect(layout), title_text);
    }
    TextStyle caption_text{style.caption_colour, style.caption_size_px, false};
    for (int i = 0; i < count; ++i) {
        const SheetPicture& entry = pictures[static_cast<std::size_t>(i)];
        PixelRect cell = CellRect(layout, i);
        canvas->FillRect(cell, style.cell_background);
        PixelRect fitted = FitInside(entry.picture.width, entry.picture.height, cell);
        if (!entry.picture.empty() && !canvas->DrawPicture(entry.picture, fitted)) {
            if (error) *error = "cannot draw picture " + std::to_string(i + 1) + " on the sheet";
            return false;
        }
        if (layout.caption_px > 0) canvas->DrawCentredText(entry.caption, CaptionRect(layout, i), caption_text);
    }
    *sheet = canvas->Read();
    return true;
}

}  // namespace demotools
