// panel-montage's contact sheets: where cells and captions go, and what the
// drawn sheet holds.
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "contact_sheet.h"
#include "contact_sheet_layout.h"
#include "integration_support.h"

namespace {

using demotools::PixelRect;
using demotools::SheetLayout;
using panelhost::Image;

SheetLayout FourByThree() {
    SheetLayout layout;
    layout.columns = 4;
    layout.rows = 3;
    layout.cell_px = 100;
    layout.caption_px = 20;
    layout.gap_px = 10;
    return layout;
}

bool Overlap(const PixelRect& a, const PixelRect& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

bool Inside(const PixelRect& inner, int width, int height) {
    return inner.x >= 0 && inner.y >= 0 && inner.x + inner.width <= width && inner.y + inner.height <= height;
}

TEST(ContactSheetLayout, CellsGoRowByRowWithTheirCaptionsUnderThem) {
    SheetLayout layout = FourByThree();
    EXPECT_EQ(demotools::SheetWidth(layout), 4 * 110 + 10);
    EXPECT_EQ(demotools::SheetHeight(layout), 3 * 130 + 10);
    EXPECT_EQ(demotools::CellRect(layout, 0), (PixelRect{10, 10, 100, 100}));
    EXPECT_EQ(demotools::CaptionRect(layout, 0), (PixelRect{10, 110, 100, 20}));
    EXPECT_EQ(demotools::CellRect(layout, 3), (PixelRect{340, 10, 100, 100}));
    EXPECT_EQ(demotools::CellRect(layout, 4), (PixelRect{10, 140, 100, 100}));
    EXPECT_EQ(demotools::CaptionRect(layout, 11), (PixelRect{340, 370, 100, 20}));

    // A title band pushes the grid down by its height and a gap.
    layout.title_px = 30;
    EXPECT_EQ(demotools::TitleRect(layout), (PixelRect{10, 10, 430, 30}));
    EXPECT_EQ(demotools::CellRect(layout, 0).y, 50);
    EXPECT_EQ(demotools::SheetHeight(layout), 3 * 130 + 10 + 40);

    // Nothing overlaps and everything lies on the sheet.
    std::vector<PixelRect> parts{demotools::TitleRect(layout)};
    for (int i = 0; i < 12; ++i) {
        parts.push_back(demotools::CellRect(layout, i));
        parts.push_back(demotools::CaptionRect(layout, i));
    }
    for (std::size_t a = 0; a < parts.size(); ++a) {
        EXPECT_TRUE(Inside(parts[a], demotools::SheetWidth(layout), demotools::SheetHeight(layout))) << a;
        for (std::size_t b = a + 1; b < parts.size(); ++b) EXPECT_FALSE(Overlap(parts[a], parts[b])) << a << "/" << b;
    }
}

TEST(ContactSheetLayout, UnusableLayoutsAreRefusedWithAReason) {
    std::string why;
    EXPECT_TRUE(demotools::CheckSheetLayout(FourByThree(), 12, &why)) << why;
    EXPECT_TRUE(demotools::CheckSheetLayout(FourByThree(), 1, &why)) << why;

    EXPECT_FALSE(demotools::CheckSheetLayout(FourByThree(), 13, &why));
    EXPECT_NE(why.find("do not fit"), std::string::npos) << why;
    EXPECT_FALSE(demotools::CheckSheetLayout(FourByThree(), 0, &why));

    SheetLayout layout = FourByThree();
    layout.columns = 0;
    EXPECT_FALSE(demotools::CheckSheetLayout(layout, 1, &why));
    layout = FourByThree();
    layout.gap_px = -1;
    EXPECT_FALSE(demotools::CheckSheetLayout(layout, 1, &why));
    // Each number is allowed on its own, but the sheet would be too large
    // (and its size would not fit an int without care).
    layout = FourByThree();
    layout.columns = demotools::kMaxSheetColumns;
    layout.cell_px = demotools::kMaxCellSide;
    EXPECT_FALSE(demotools::CheckSheetLayout(layout, 1, &why));
    EXPECT_NE(why.find("larger than"), std::string::npos) << why;
}

TEST(ContactSheetLayout, PicturesKeepTheirProportionsCentredInTheCell) {
    const PixelRect cell{10, 20, 100, 100};
    EXPECT_EQ(demotools::FitInside(500, 500, cell), cell);
    EXPECT_EQ(demotools::FitInside(50, 50, cell), cell);  // small pictures grow to the cell
    EXPECT_EQ(demotools::FitInside(400, 200, cell), (PixelRect{10, 45, 100, 50}));
    EXPECT_EQ(demotools::FitInside(200, 400, cell), (PixelRect{35, 20, 50, 100}));
    // A sliver stays at least a pixel; a picture without size gets no room.
    EXPECT_EQ(demotools::FitInside(100000, 1, cell).height, 1);
    EXPECT_EQ(demotools::FitInside(0, 10, cell).width, 0);
    EXPECT_EQ(demotools::FitInside(10, -5, cell).height, 0);
}

constexpr std::uint32_t kRed = 0xFFD02020u;
constexpr std::uint32_t kBlue = 0xFF2040D0u;
constexpr std::uint32_t kYellow = 0xFFE0D040u;

long CountInRect(const Image& image, const PixelRect& where, std::uint32_t argb) {
    long count = 0;
    for (int y = where.y; y < where.y + where.height; ++y) {
        for (int x = where.x; x < where.x + where.width; ++x) count += image.at(x, y) == argb ? 1 : 0;
    }
    return count;
}

TEST(ContactSheet, EachPictureFillsItsCellAndItsCaptionIsWrittenUnderIt) {
    SheetLayout layout;
    layout.columns = 2;
    layout.rows = 2;
    layout.cell_px = 60;
    layout.caption_px = 24;
    layout.gap_px = 8;
    layout.title_px = 30;
    demotools::SheetStyle style;
    std::vector<demotools::SheetPicture> pictures{
        {Image(120, 120, kRed), "Circular Amber — plan"},
        {Image(30, 30, kBlue), ""},
        {Image(120, 60, kYellow), "wide"},
    };
    Image sheet;
    std::string error;
    ASSERT_TRUE(demotools::DrawContactSheet(pictures, layout, "Title", style, &sheet, &error)) << error;
    EXPECT_EQ(sheet.width, demotools::SheetWidth(layout));
    EXPECT_EQ(sheet.height, demotools::SheetHeight(layout));

    // Pictures scaled to their cells, whatever their size (inner part, away from smoothed edges).
    auto inner = [](PixelRect r) { return PixelRect{r.x + 3, r.y + 3, r.width - 6, r.height - 6}; };
    PixelRect red_cell = demotools::CellRect(layout, 0);
    PixelRect blue_cell = demotools::CellRect(layout, 1);
    EXPECT_EQ(CountInRect(sheet, inner(red_cell), kRed), 54L * 54);
    EXPECT_EQ(CountInRect(sheet, inner(blue_cell), kBlue), 54L * 54);
    // The wide picture is letterboxed: the cell shows above and below it.
    PixelRect yellow_cell = demotools::CellRect(layout, 2);
    EXPECT_EQ(sheet.at(yellow_cell.x + 30, yellow_cell.y + 30), kYellow);
    EXPECT_EQ(sheet.at(yellow_cell.x + 30, yellow_cell.y + 5), style.cell_background);
    EXPECT_EQ(sheet.at(yellow_cell.x + 30, yellow_cell.y + 55), style.cell_background);
    // The fourth cell stays empty sheet.
    PixelRect empty = demotools::CellRect(layout, 3);
    EXPECT_EQ(CountInRect(sheet, empty, style.background), 60L * 60);

    // Captions where given, nothing under the picture without one.
    auto background_share = [&](PixelRect r) {
        return static_cast<double>(CountInRect(sheet, r, style.background)) / (r.width * r.height);
    };
    EXPECT_LT(background_share(demotools::CaptionRect(layout, 0)), 0.97);
    EXPECT_DOUBLE_EQ(background_share(demotools::CaptionRect(layout, 1)), 1.0);
    EXPECT_LT(background_share(demotools::CaptionRect(layout, 2)), 0.99);
    EXPECT_LT(background_share(demotools::TitleRect(layout)), 0.99);
}

TEST(ContactSheet, TooManyPicturesOrNoneMakeNoSheet) {
    SheetLayout layout;
    layout.columns = 1;
    layout.rows = 1;
    layout.cell_px = 10;
    std::vector<demotools::SheetPicture> two{{Image(4, 4, kRed), "a"}, {Image(4, 4, kBlue), "b"}};
    Image sheet(3, 3, kYellow);
    std::string error;
    EXPECT_FALSE(demotools::DrawContactSheet(two, layout, "", {}, &sheet, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(demotools::DrawContactSheet({}, layout, "", {}, &sheet, &error));
    EXPECT_EQ(sheet.width, 3);  // left as it was
    EXPECT_FALSE(demotools::DrawContactSheet(two, layout, "", {}, nullptr, &error));
}

}  // namespace
