// A contact sheet: pictures in a grid, each with its caption under it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "contact_sheet_layout.h"
#include "image/image.h"

namespace demotools {

struct SheetPicture {
    panelhost::Image picture;
    std::string caption;  // UTF-8, one line
};

struct SheetStyle {
    std::uint32_t background = 0xFF1E2226u;
    std::uint32_t cell_background = 0xFF000000u;  // behind a picture that does not fill its cell
    std::uint32_t caption_colour = 0xFFE6E6E6u;
    std::uint32_t title_colour = 0xFFFFFFFFu;
    float caption_size_px = 16.0f;
    float title_size_px = 22.0f;
};

// Draws the sheet; false (with the reason in `error`) when the layout does
// not hold the pictures or GDI+ cannot draw it.
bool DrawContactSheet(const std::vector<SheetPicture>& pictures, const SheetLayout& layout, const std::string& title,
                      const SheetStyle& style, panelhost::Image* sheet, std::string* error = nullptr);

}  // namespace demotools
