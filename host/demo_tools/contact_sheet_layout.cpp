#include "contact_sheet_layout.h"

#include <cstdint>

namespace demotools {
namespace {

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

// The sheet's sides in 64 bits, so that a checked layout never overflows.
std::int64_t WidthOf(const SheetLayout& layout) {
    return std::int64_t{layout.columns} * (std::int64_t{layout.cell_px} + layout.gap_px) + layout.gap_px;
}

std::int64_t HeightOf(const SheetLayout& layout) {
    std::int64_t title = layout.title_px > 0 ? std::int64_t{layout.title_px} + layout.gap_px : 0;
    return title + std::int64_t{layout.rows} * (std::int64_t{layout.cell_px} + layout.caption_px + layout.gap_px) +
           layout.gap_px;
}

int TopOfGrid(const SheetLayout& layout) {
    return layout.gap_px + (layout.title_px > 0 ? layout.title_px + layout.gap_px : 0);
}

}  // namespace

bool CheckSheetLayout(const SheetLayout& layout, int pictures, std::string* error) {
    auto fail = [error](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    if (!InRange(layout.columns, 1, kMaxSheetColumns)) return fail("columns must be 1 to " + std::to_string(kMaxSheetColumns));
    if (!InRange(layout.rows, 1, kMaxSheetRows)) return fail("rows must be 1 to " + std::to_string(kMaxSheetRows));
    if (!InRange(layout.cell_px, 1, kMaxCellSide)) return fail("the cell must be 1 to " + std::to_string(kMaxCellSide) + " pixels");
    if (!InRange(layout.caption_px, 0, kMaxBandHeight) || !InRange(layout.gap_px, 0, kMaxBandHeight) ||
        !InRange(layout.title_px, 0, kMaxBandHeight)) {
        return fail("caption, gap and title bands must be 0 to " + std::to_string(kMaxBandHeight) + " pixels");
    }
    if (WidthOf(layout) > kMaxSheetSide || HeightOf(layout) > kMaxSheetSide) {
        return fail("the sheet would be larger than " + std::to_string(kMaxSheetSide) + " pixels a side");
    }
    if (pictures < 1) return fail("no pictures for the sheet");
    if (pictures > layout.columns * layout.rows) {
        return fail(std::to_string(pictures) + " pictures do not fit in " + std::to_string(layout.columns) + " x " +
                    std::to_string(layout.rows) + " cells");
    }
    return true;
}

int SheetWidth(const SheetLayout& layout) { return static_cast<int>(WidthOf(layout)); }

int SheetHeight(const SheetLayout& layout) { return static_cast<int>(HeightOf(layout)); }

PixelRect CellRect(const SheetLayout& layout, int index) {
    int column = index % layout.columns;
    int row = index / layout.columns;
    PixelRect cell;
    cell.x = layout.gap_px + column * (layout.cell_px + layout.gap_px);
    cell.y = TopOfGrid(layout) + row * (layout.cell_px + layout.caption_px + layout.gap_px);
    cell.width = layout.cell_px;
    cell.height = layout.cell_px;
    return cell;
}

PixelRect CaptionRect(const SheetLayout& layout, int index) {
    PixelRect cell = CellRect(layout, index);
    return PixelRect{cell.x, cell.y + cell.height, cell.width, layout.caption_px};
}

PixelRect TitleRect(const SheetLayout& layout) {
    return PixelRect{layout.gap_px, layout.gap_px, SheetWidth(layout) - 2 * layout.gap_px, layout.title_px};
}

PixelRect FitInside(int width_px, int height_px, const PixelRect& box) {
    if (width_px <= 0 || height_px <= 0 || box.width <= 0 || box.height <= 0) return PixelRect{box.x, box.y, 0, 0};
    // Compare the proportions in 64 bits: the wider of picture and box decides.
    std::int64_t across = std::int64_t{box.width} * height_px;
    std::int64_t down = std::int64_t{box.height} * width_px;
    PixelRect fitted;
    if (across <= down) {
        fitted.width = box.width;
        fitted.height = static_cast<int>(std::int64_t{box.width} * height_px / width_px);
    } else {
        fitted.height = box.height;
        fitted.width = static_cast<int>(std::int64_t{box.height} * width_px / height_px);
    }
    if (fitted.width < 1) fitted.width = 1;
    if (fitted.height < 1) fitted.height = 1;
    fitted.x = box.x + (box.width - fitted.width) / 2;
    fitted.y = box.y + (box.height - fitted.height) / 2;
    return fitted;
}

}  // namespace demotools
