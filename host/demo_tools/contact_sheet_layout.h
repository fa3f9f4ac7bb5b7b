// Where each picture and its caption sit on a contact sheet: a grid of
// square cells, row by row, each with a caption band under it, an optional
// title band across the top, and a gap around and between the cells.
#pragma once

#include <string>

namespace demotools {

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

inline bool operator==(const PixelRect& a, const PixelRect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

struct SheetLayout {
    int columns = 4;
    int rows = 3;
    int cell_px = 300;     // side of the square each picture is fitted into
    int caption_px = 28;   // caption band under each picture
    int gap_px = 12;       // around and between the cells
    int title_px = 0;      // title band across the top; 0 for none
};

constexpr int kMaxSheetColumns = 64;
constexpr int kMaxSheetRows = 64;
constexpr int kMaxCellSide = 4096;
constexpr int kMaxBandHeight = 512;
constexpr int kMaxSheetSide = 8192;

// True when the layout is usable and holds `pictures` pictures; otherwise
// says why in `error`.
bool CheckSheetLayout(const SheetLayout& layout, int pictures, std::string* error);

// The sheet's size; only meaningful for a layout CheckSheetLayout accepts.
int SheetWidth(const SheetLayout& layout);
int SheetHeight(const SheetLayout& layout);

// The square cell of picture `index` (0-based, row by row) and the caption
// band under it.
PixelRect CellRect(const SheetLayout& layout, int index);
PixelRect CaptionRect(const SheetLayout& layout, int index);
// The title band, the width of the sheet inside the outer gap.
PixelRect TitleRect(const SheetLayout& layout);

// The largest rectangle of the picture's proportions that fits in `box`,
// centred in it; empty for a picture without size.
PixelRect FitInside(int width_px, int height_px, const PixelRect& box);

}  // namespace demotools
