// One frame of each display against the recording GDI+: the calls that open
// and close it, in order, the module-wide objects made only by the first
// frame, every frame matrix deleted, the host variables looked up once per
// frame and the overlay drawn last.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "display/altitude_display.h"
#include "display/plan_display.h"
#include "display/sector_display.h"
#include "display_fixture.h"

namespace {

struct FrameOrder {
    const char* display;
    displaytest::DisplayDraw draw;
    std::vector<std::string> opening;  // the first calls of the first frame
    std::vector<std::string> closing;  // its last calls
    double origin_y;                   // of the translation to the display's origin (x is 500)
    long first_frame_matrices;         // made by the first frame: module-wide ones and the frame's own
    long frame_matrices;               // made and deleted again by every later frame
    int own_altitude_lookups;          // per frame
};

std::ostream& operator<<(std::ostream& out, const FrameOrder& order) { return out << order.display; }

class OneFrameInOrder : public ::testing::TestWithParam<FrameOrder> {
protected:
    void DrawOnlyAt(double host_time) {
        recorder::Clear();
        f.DrawFrame(GetParam().draw, host_time);
    }
    long Count(const std::vector<std::string>& names, const char* name) {
        return std::count(names.begin(), names.end(), name);
    }
    displaytest::DisplayFixture f;
};

TEST_P(OneFrameInOrder, WithItsMatricesDeletedAndTheOverlayLast) {
    const FrameOrder& order = GetParam();
    DrawOnlyAt(1.0);
    const std::vector<std::string> names = recorder::CallNames();
    ASSERT_GE(names.size(), order.opening.size() + order.closing.size());
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + order.opening.size()), order.opening);
    EXPECT_EQ(std::vector<std::string>(names.end() - order.closing.size(), names.end()), order.closing);
    EXPECT_EQ(recorder::CallsNamed("GdipTranslateWorldTransform")[0].args,
              (std::vector<double>{500, order.origin_y, gdip::kMatrixOrderPrepend}));
    EXPECT_EQ(Count(names, "GdipCreateMatrix"), order.first_frame_matrices);
    EXPECT_EQ(f.overlay_calls, 1);
    EXPECT_EQ(f.host.LookupCount(sim::kTokenOwnHeading), 1);
    EXPECT_EQ(f.host.LookupCount(sim::kTokenHostTime), 1);
    EXPECT_EQ(f.host.LookupCount(sim::kTokenOwnAltitude), order.own_altitude_lookups);
    EXPECT_FALSE(f.screen.selection.visible());

    // Later frames make no module-wide objects again; the frame's own matrices go.
    const int live = recorder::LiveObjects();
    DrawOnlyAt(2.0);
    const std::vector<std::string> later = recorder::CallNames();
    EXPECT_EQ(Count(later, "GdipCreateStringFormat"), 0);
    EXPECT_EQ(Count(later, "GdipCreateMatrix"), order.frame_matrices);
    EXPECT_EQ(Count(later, "GdipDeleteMatrix"), order.frame_matrices);
    EXPECT_EQ(recorder::LiveObjects(), live);
    EXPECT_EQ(f.overlay_calls, 2);
}

// The plan and the sector display make a sweep matrix and a label format of
// the module's, then spoke, placement and vector matrices of the frame's own;
// the altitude display makes no matrix and looks up the own altitude too.
INSTANTIATE_TEST_SUITE_P(
    EachDisplay, OneFrameInOrder,
    ::testing::Values(
        FrameOrder{"Plan",
                   &displaytest::DrawPlan,
                   {"GdipCreateMatrix", "GdipCreateStringFormat", "GdipBeginContainer2", "GdipTranslateWorldTransform",
                    "GdipSetSmoothingMode", "GdipSetTextRenderingHint", "GdipSetStringFormatAlign", "GdipDrawEllipse"},
                   {"GdipEndContainer", "GdipSetSmoothingMode", "GdipSetTextRenderingHint", "GdipDeleteMatrix",
                    "GdipDeleteMatrix", "GdipDeleteMatrix"},
                   500.0,
                   4,
                   3,
                   0},
        FrameOrder{"Sector",
                   &displaytest::DrawSector,
                   {"GdipCreateMatrix", "GdipCreateStringFormat", "GdipBeginContainer2", "GdipTranslateWorldTransform",
                    "GdipSetSmoothingMode", "GdipSetTextRenderingHint", "GdipSetStringFormatAlign", "GdipDrawArc"},
                   {"GdipEndContainer", "GdipSetSmoothingMode", "GdipSetTextRenderingHint", "GdipDeleteMatrix",
                    "GdipDeleteMatrix", "GdipDeleteMatrix"},
                   975.0,
                   4,
                   3,
                   0},
        FrameOrder{"Altitude",
                   &displaytest::DrawAltitude,
                   {"GdipBeginContainer2", "GdipTranslateWorldTransform", "GdipSetSmoothingMode",
                    "GdipSetTextRenderingHint", "GdipDrawLine"},
                   {"GdipEndContainer", "GdipSetSmoothingMode", "GdipSetTextRenderingHint"},
                   500.0,
                   0,
                   0,
                   1}),
    [](const ::testing::TestParamInfo<FrameOrder>& info) { return std::string(info.param.display); });

}  // namespace
