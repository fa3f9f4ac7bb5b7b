// The green and amber schemes, font creation with its fallbacks, and the
// lifetime of the module-wide GDI+ objects.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "display/draw_resources.h"
#include "display/module_objects.h"
#include "fake_host.h"
#include "gauge/radar_gauge.h"
#include "gdiplus_recorder.h"
#include "gauge/shared_state.h"

namespace {

using recorder::CallsNamed;

class DrawResourcesTest : public ::testing::Test {
protected:
    void SetUp() override { recorder::Reset(); }
    void TearDown() override { resources = display::DrawResources{}; }
    display::GenericFontFamily generic;
    display::DrawResources resources;
};

TEST_F(DrawResourcesTest, GreenSchemeMakesEverythingInOrder) {
    display::CreateGreenScheme(resources, generic);
    const std::vector<std::string> expected{
        "GdipCreateSolidFill",  "GdipCreateSolidFill",          "GdipCreatePen2",       "GdipSetPenDashArray",
        "GdipCreatePen2",       "GdipCreatePen2",               "GdipCreateFontFamilyFromName",
        "GdipCreateFont",       "GdipDeleteFontFamily",         "GdipCreateFontFamilyFromName",
        "GdipCreateFont",       "GdipDeleteFontFamily",         "GdipGetFontSize"};
    EXPECT_EQ(recorder::CallNames(), expected);
    EXPECT_EQ(resources.background, 0xFF001400u);
    const auto brushes = CallsNamed("GdipCreateSolidFill");
    EXPECT_EQ(brushes[0].args[0], 0xFF008200u);
    EXPECT_EQ(brushes[1].args[0], 0xFF00FF00u);

    const auto pens = CallsNamed("GdipCreatePen2");
    EXPECT_EQ(pens[0].handles[0], resources.normal_brush->handle());  // dashed
    EXPECT_EQ(pens[1].handles[0], resources.normal_brush->handle());  // normal
    EXPECT_EQ(pens[2].handles[0], resources.bright_brush->handle());  // bright
    for (const auto& pen : pens) EXPECT_EQ(pen.args, (std::vector<double>{2.0, gdip::kUnitWorld}));
    const auto dash = CallsNamed("GdipSetPenDashArray");
    EXPECT_EQ(dash[0].handles[0], resources.dashed_pen->handle());
    EXPECT_EQ(dash[0].args, (std::vector<double>{2.0, 2.0}));

    const auto families = CallsNamed("GdipCreateFontFamilyFromName");
    EXPECT_EQ(families[0].text, u"Tahoma");
    EXPECT_EQ(families[0].handles[0], nullptr);  // installed fonts, no private collection
    EXPECT_EQ(families[1].text, u"Arial");
    const auto fonts = CallsNamed("GdipCreateFont");
    EXPECT_EQ(fonts[0].args, (std::vector<double>{30, gdip::kFontStyleBold, gdip::kUnitPoint}));
    EXPECT_EQ(fonts[1].args, (std::vector<double>{40, gdip::kFontStyleRegular, gdip::kUnitPoint}));
    EXPECT_EQ(CallsNamed("GdipGetFontSize")[0].handles[0], resources.large_font->handle());
    EXPECT_EQ(resources.line_height, 48.0f);
    for (const auto& call : recorder::Calls()) EXPECT_EQ(call.result, gdip::kOk) << recorder::Describe(call);
}

TEST_F(DrawResourcesTest, AmberDiffersOnlyInItsThreeColours) {
    display::CreateGreenScheme(resources, generic);
    auto green = recorder::Calls();
    resources = display::DrawResources{};
    recorder::Clear();
    display::CreateAmberScheme(resources, generic);
    auto amber = recorder::Calls();
    EXPECT_EQ(resources.background, 0xFF1E0F00u);
    const auto brushes = CallsNamed("GdipCreateSolidFill");
    EXPECT_EQ(brushes[0].args[0], 0xFF783C0Au);
    EXPECT_EQ(brushes[1].args[0], 0xFFFFA046u);
    ASSERT_EQ(green.size(), amber.size());
    for (std::size_t i = 2; i < amber.size(); ++i) {
        EXPECT_EQ(amber[i].name, green[i].name);
        EXPECT_EQ(amber[i].args, green[i].args) << amber[i].name;
    }
    EXPECT_EQ(resources.line_height, 48.0f);
}

TEST_F(DrawResourcesTest, MissingFamiliesFallBackToTheGenericSansSerifFetchedOnce) {
    recorder::SetMissingFontFamily(u"Tahoma");
    recorder::SetMissingFontFamily(u"Arial");
    display::CreateGreenScheme(resources, generic);
    EXPECT_EQ(CallsNamed("GdipGetGenericFontFamilySansSerif").size(), 1u);
    const auto fonts = CallsNamed("GdipCreateFont");
    ASSERT_EQ(fonts.size(), 2u);
    EXPECT_EQ(fonts[0].handles[0], fonts[1].handles[0]);  // the generic family, both times
    EXPECT_EQ(fonts[0].args, (std::vector<double>{30, gdip::kFontStyleBold, gdip::kUnitPoint}));
    EXPECT_EQ(fonts[1].args, (std::vector<double>{40, gdip::kFontStyleRegular, gdip::kUnitPoint}));
    EXPECT_NE(resources.small_font->handle(), nullptr);
    EXPECT_EQ(resources.small_font->status(), gdip::kOk);
    EXPECT_TRUE(CallsNamed("GdipDeleteFontFamily").empty());  // nothing of ours to release
    EXPECT_EQ(resources.line_height, 48.0f);
}

TEST_F(DrawResourcesTest, AFontThatCannotBeMadeIsTriedOnceMoreWithTheGenericFamily) {
    recorder::FailCalls("GdipCreateFont", gdip::kGenericError, 1);
    display::FontWrapper font(generic, u"Tahoma", 30.0f, gdip::kFontStyleBold, gdip::kUnitPoint);
    const auto fonts = CallsNamed("GdipCreateFont");
    ASSERT_EQ(fonts.size(), 2u);
    EXPECT_NE(fonts[0].handles[0], fonts[1].handles[0]);
    EXPECT_NE(font.handle(), nullptr);
    EXPECT_EQ(font.status(), gdip::kOk);
    EXPECT_EQ(CallsNamed("GdipDeleteFontFamily").size(), 1u);  // the named family

    // Failing again: no third attempt; the failure stays in the wrapper.
    recorder::Clear();
    recorder::FailCalls("GdipCreateFont", gdip::kGenericError, 2);
    display::FontWrapper failed(generic, u"Arial", 40.0f, gdip::kFontStyleRegular, gdip::kUnitPoint);
    EXPECT_EQ(CallsNamed("GdipCreateFont").size(), 2u);
    EXPECT_EQ(failed.handle(), nullptr);
    EXPECT_EQ(failed.status(), gdip::kGenericError);
    EXPECT_EQ(CallsNamed("GdipDeleteFontFamily").size(), 1u);
}

TEST_F(DrawResourcesTest, WithoutAnyFamilyTheFontStaysEmptyAndTheLineHeightNominal) {
    recorder::SetMissingFontFamily(u"Tahoma");
    recorder::SetMissingFontFamily(u"Arial");
    recorder::FailCalls("GdipGetGenericFontFamilySansSerif", gdip::kGenericError);
    display::CreateGreenScheme(resources, generic);
    EXPECT_EQ(resources.small_font->handle(), nullptr);
    EXPECT_EQ(resources.small_font->status(), gdip::kGenericError);
    EXPECT_EQ(resources.large_font->handle(), nullptr);
    EXPECT_TRUE(CallsNamed("GdipCreateFont").empty());
    // The failed fetch is not repeated.
    EXPECT_EQ(CallsNamed("GdipGetGenericFontFamilySansSerif").size(), 1u);
    EXPECT_EQ(resources.line_height, 48.0f);
}

TEST_F(DrawResourcesTest, FailuresStayInTheWrappersAndLaterSuccessesDoNotClearThem) {
    recorder::FailCalls("GdipSetPenDashArray", gdip::kInvalidParameter);
    recorder::FailCalls("GdipCreateSolidFill", gdip::kOutOfMemory, 1);
    display::CreateGreenScheme(resources, generic);
    EXPECT_EQ(resources.normal_brush->handle(), nullptr);
    EXPECT_EQ(resources.normal_brush->status(), gdip::kOutOfMemory);
    EXPECT_EQ(resources.normal_pen->handle(), nullptr);  // made from the empty brush
    EXPECT_NE(resources.normal_pen->status(), gdip::kOk);
    EXPECT_EQ(resources.bright_pen->status(), gdip::kOk);
    resources.bright_pen->Keep(gdip::kGenericError);
    resources.bright_pen->Keep(gdip::kOk);
    EXPECT_EQ(resources.bright_pen->status(), gdip::kGenericError);
}

// The module-wide objects outlive no GDI+: they go with the last gauge
// object and are made again by the next one.
class ModuleObjects : public ::testing::Test {
protected:
    void SetUp() override { recorder::Reset(); }
    gauge::SharedState shared;
    void DrawPlan(gauge::RadarGauge& gauge, double host_time) {
        host.SetHostTime(host_time);
        gauge.Draw(&placement.header);
    }
    fakehost::FakeHost host;
    fakehost::Placement placement{reinterpret_cast<sim::DeviceContext>(0x7000), 200, 200};
};

TEST_F(ModuleObjects, ReleasedBeforeTheLastGdiplusUserGoesAndMadeAgainAfterwards) {
    for (int round = 0; round < 3; ++round) {
        auto first = std::make_unique<gauge::CircularRadarGauge>(shared);
        auto second = std::make_unique<gauge::AmberCircularRadarGauge>(shared);
        recorder::Clear();
        DrawPlan(*first, 10.0 * round + 1.0);
        DrawPlan(*second, 10.0 * round + 2.0);
        // One label format and one sweep matrix for both objects.
        EXPECT_EQ(CallsNamed("GdipCreateStringFormat").size(), 2u) << round;  // the label and the overlay format
        first.reset();
        EXPECT_TRUE(CallsNamed("GdipDeleteStringFormat").empty());
        second.reset();
        EXPECT_EQ(CallsNamed("GdipDeleteStringFormat").size(), 2u) << round;
        for (const auto& call : CallsNamed("GdipDeleteMatrix")) EXPECT_EQ(call.result, gdip::kOk);
        EXPECT_EQ(recorder::LiveObjects(), 0) << round;
        EXPECT_EQ(shared.gdiplus.users(), 0);
        // Nothing is deleted after a shut-down (where the platform has one).
        const auto names = recorder::CallNames();
        const auto shutdown = std::find(names.begin(), names.end(), "GdiplusShutdown");
        for (auto later = shutdown; later != names.end(); ++later) EXPECT_EQ(later->find("GdipDelete"), std::string::npos);
    }
}

TEST_F(ModuleObjects, AFailedFrameDoesNotMakeTheResourcesAgain) {
    recorder::FailCalls("GdipCreateSolidFill", gdip::kOutOfMemory);
    gauge::AmberRadarGauge gauge(shared);
    DrawPlan(gauge, 1.0);
    DrawPlan(gauge, 2.0);
    EXPECT_EQ(CallsNamed("GdipCreateSolidFill").size(), 2u);
    EXPECT_EQ(gauge.screen().resources.background, 0xFF1E0F00u);
}

TEST_F(ModuleObjects, TheGenericFamilyIsFetchedAgainAfterTheRelease) {
    recorder::SetMissingFontFamily(u"Tahoma");
    {
        gauge::RadarGauge gauge(shared);
        DrawPlan(gauge, 1.0);
    }
    {
        gauge::RadarGauge gauge(shared);
        DrawPlan(gauge, 2.0);
    }
    EXPECT_EQ(CallsNamed("GdipGetGenericFontFamilySansSerif").size(), 2u);
}

TEST_F(ModuleObjects, MadeOnceEachAndReleasedTogether) {
    display::ModuleObjects& objects = shared.gdiplus_objects;
    display::MatrixWrapper* matrix = &objects.plan_sweep_matrix.Get();
    objects.rectangular_overlay_format.Get();
    EXPECT_EQ(&objects.plan_sweep_matrix.Get(), matrix);
    ASSERT_NE(objects.generic_family.Fetch(), nullptr);
    recorder::Clear();
    objects.Release();
    EXPECT_EQ(recorder::CallNames(), (std::vector<std::string>{"GdipDeleteStringFormat", "GdipDeleteMatrix"}));
    EXPECT_FALSE(objects.plan_sweep_matrix.exists());
    EXPECT_FALSE(objects.rectangular_overlay_format.exists());
    objects.generic_family.Fetch();  // forgotten: fetched again
    EXPECT_EQ(recorder::CallNames().back(), "GdipGetGenericFontFamilySansSerif");
    objects.circular_overlay_format.Get();
    objects.Release();
    EXPECT_EQ(recorder::LiveObjects(), 0);
}

}  // namespace
