// The built radar module, loaded by path and driven by the panel host
// through its exports, as the simulator drives it.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "image/image_compare.h"
#include "integration_support.h"
#include "panel/panel_host.h"

namespace {

using panelhost::GaugePlacement;
using panelhost::Image;
using panelhost::PanelHost;

std::string ReferencePath(const std::string& file_name) {
    return (std::filesystem::path(RADAR_REFERENCES_DIR) / file_name).string();
}

constexpr std::uint32_t kGreenBackground = 0xFF001400u;
constexpr std::uint32_t kAmberBackground = 0xFF1E0F00u;

struct GaugeExpectation {
    const char* name;
    std::uint32_t background;
    int default_mode;
};

// The gauges in the order Linkage lists them.
const GaugeExpectation kGauges[] = {
    {"Rectangular Green", kGreenBackground, 3},
    {"Rectangular Amber", kAmberBackground, 3},
    {"Circular Green", kGreenBackground, 2},
    {"Circular Amber", kAmberBackground, 2},
};

constexpr int kModePlan = 2;
constexpr int kModeBackgroundOnly = 1;  // any mode but 2, 3, 4 draws the background alone

class RadarModuleTest : public testing::Test {
protected:
    void SetUp() override { Load(panel_); }

    static void Load(PanelHost& panel) {
        std::string error;
        ASSERT_TRUE(panel.LoadModule(integration::ModulePath(), &error)) << error;
    }

    // The next host time value, then one frame of every placement.
    void NextFrame() {
        panel_.AdvanceClock(0.1);
        panel_.DrawFrame();
    }

    void SetMode(int mode) { panel_.named_variables().SetByName("Radar Mode", mode); }

    // Every gauge placed at this size and drawn in this mode (set after the
    // first frame, which writes the defaults); the images in kGauges order.
    std::vector<Image> DrawEveryGauge(int mode, int width_px, int height_px) {
        std::vector<GaugePlacement*> placements;
        for (const auto& gauge : kGauges) placements.push_back(panel_.Place(gauge.name, width_px, height_px));
        panel_.DrawFrame();
        SetMode(mode);
        NextFrame();
        std::vector<Image> images;
        for (GaugePlacement* placement : placements) images.push_back(placement ? placement->ReadImage() : Image());
        return images;
    }

    PanelHost panel_;
};

TEST_F(RadarModuleTest, ModuleOffersTheFourGaugesAndAcceptsThePanelServices) {
    std::vector<std::string> expected;
    for (const auto& gauge : kGauges) expected.emplace_back(gauge.name);
    EXPECT_EQ(panel_.GaugeNames(), expected);
    EXPECT_EQ(panel_.module()->linkage().module_id, sim::kLinkageModuleId);
    EXPECT_EQ(panel_.module()->linkage().version, sim::kLinkageModuleVersion);

    PanelHost second;
    std::string error;
    EXPECT_FALSE(panel_.LoadModule(integration::ModulePath(), &error));
    EXPECT_FALSE(second.LoadModule("/no/such/RadarGauge.gau", &error));
    EXPECT_FALSE(error.empty());
}

TEST_F(RadarModuleTest, EachGaugeClearsToItsSchemeBackground) {
    std::vector<Image> images = DrawEveryGauge(kModeBackgroundOnly, 200, 160);
    for (std::size_t i = 0; i < images.size(); ++i) {
        EXPECT_EQ(images[i].width, 200);
        EXPECT_EQ(images[i].height, 160);
        EXPECT_TRUE(integration::IsUniform(images[i], kGauges[i].background)) << kGauges[i].name;
    }
}

TEST_F(RadarModuleTest, PlanDisplayDrawsOverEachBackground) {
    std::vector<Image> images = DrawEveryGauge(kModePlan, 300, 300);
    for (std::size_t i = 0; i < images.size(); ++i) {
        ASSERT_FALSE(images[i].empty()) << kGauges[i].name;
        long background = integration::CountPixels(images[i], kGauges[i].background);
        EXPECT_EQ(images[i].at(0, 0), kGauges[i].background) << kGauges[i].name;
        EXPECT_GT(background, 0) << kGauges[i].name;
        EXPECT_LT(background, static_cast<long>(images[i].argb.size())) << kGauges[i].name << " drew nothing";
    }
}

TEST_F(RadarModuleTest, NamedVariablesAreRegisteredAndPublished) {
    panel_.Place("Circular Green", 100, 100);
    panel_.DrawFrame();
    auto& variables = panel_.named_variables();
    // The first gauge to draw writes its defaults into the panel's inputs.
    EXPECT_EQ(variables.ValueOr("Radar Mode", -99), 2.0);
    EXPECT_EQ(variables.ValueOr("Radar Range", -99), 40.0);
    for (const char* output : {"Radar Target Selected", "Radar Target Latitude", "Radar Target Longitude",
                               "Radar Target Altitude", "Radar Target Distance", "Radar Target Speed",
                               "Radar Target Vertical Speed"}) {
        EXPECT_NE(variables.Find(output), 0) << output;
    }
    NextFrame();
    EXPECT_EQ(variables.ValueOr("Radar Target Selected", -99), 0.0);
    EXPECT_EQ(variables.ValueOr("Radar Target Distance", -99), -1.0);
    EXPECT_EQ(variables.ValueOr("Radar Target Vertical Speed", -99), -1.0);
}

// The radar loads before the panel's control gauge: it makes "Radar Mode"
// and "Radar Range" with its defaults, and follows what the panel writes
// into them afterwards.
TEST(RadarModuleWithoutPanelVariables, MakesModeAndRangeAndFollowsThePanelsWrites) {
    panelhost::PanelHostOptions options;
    options.panel_variables = false;
    PanelHost panel(options);
    std::string error;
    ASSERT_TRUE(panel.LoadModule(integration::ModulePath(), &error)) << error;
    GaugePlacement* placement = panel.Place("Circular Amber", 120, 120);
    ASSERT_NE(placement, nullptr);
    panel.DrawFrame();
    EXPECT_EQ(panel.named_variables().ValueOr("Radar Mode", -99), 2.0);
    EXPECT_EQ(panel.named_variables().ValueOr("Radar Range", -99), 40.0);
    EXPECT_NE(panel.named_variables().Find("Radar Target Selected"), panelhost::kNoVariable);
    Image image = placement->ReadImage();
    EXPECT_EQ(image.at(0, 0), kAmberBackground);
    EXPECT_LT(integration::CountPixels(image, kAmberBackground), static_cast<long>(image.argb.size()));

    panel.named_variables().SetByName("radar mode", kModeBackgroundOnly);  // as the control gauge spells it
    panel.AdvanceClock(0.1);
    panel.DrawFrame();
    EXPECT_TRUE(integration::IsUniform(placement->ReadImage(), kAmberBackground));
    EXPECT_EQ(panel.named_variables().variables().size(), 9u);
    EXPECT_EQ(panel.uninitialized_lookups(), 0u);
}

// Each gauge's mouse list reaches its end-of-list record inside the module;
// a list elsewhere is not taken for one.
TEST_F(RadarModuleTest, EveryMouseListEndsWithinTheModule) {
    const panelhost::ModuleFile& module = *panel_.module();
    for (sim::GaugeHeader* header : module.Gauges()) {
        EXPECT_EQ(panelhost::MouseListEnd(module, header->mouse_rects), &header->mouse_rects[3])
            << panelhost::GaugeName(header);
    }
    const sim::MouseRect outside[2] = {{sim::kMouseRectParent, 0, 0, 0, 0, -1, 0, 0, 0, nullptr, nullptr},
                                        {sim::kMouseRectEndOfList, 0, 0, 0, 0, -1, 0, 0, 0, nullptr, nullptr}};
    EXPECT_EQ(panelhost::MouseListEnd(module, outside), nullptr);
}

TEST_F(RadarModuleTest, SeveralPlacementsOfOneGaugeEachGetTheirPicture) {
    GaugePlacement* small = panel_.Place("Circular Green", 150, 150);
    GaugePlacement* large = panel_.Place("Circular Green", 400, 300);
    ASSERT_NE(small, nullptr);
    ASSERT_NE(large, nullptr);
    EXPECT_NE(small->device_context(), large->device_context());
    panel_.DrawFrame();
    for (GaugePlacement* placement : {small, large}) {
        Image image = placement->ReadImage();
        EXPECT_EQ(image.at(0, 0), kGreenBackground);
        EXPECT_LT(integration::CountPixels(image, kGreenBackground), static_cast<long>(image.argb.size()));
    }
    SetMode(kModeBackgroundOnly);
    NextFrame();
    EXPECT_TRUE(integration::IsUniform(small->ReadImage(), kGreenBackground));
    EXPECT_TRUE(integration::IsUniform(large->ReadImage(), kGreenBackground));
}

TEST_F(RadarModuleTest, AGaugeLivesUntilItsLastPlacementDisconnects) {
    GaugePlacement* first = panel_.Place("Rectangular Amber", 200, 200);
    GaugePlacement* second = panel_.Place("Rectangular Amber", 200, 200);
    panel_.DrawFrame();
    SetMode(kModePlan);
    NextFrame();
    Image drawn = second->ReadImage();
    ASSERT_FALSE(integration::IsUniform(drawn, kAmberBackground));

    // One window closes: the other keeps drawing, and its sweep moves on.
    panel_.Remove(first);
    NextFrame();
    const Image after = second->ReadImage();
    EXPECT_FALSE(integration::IsUniform(after, kAmberBackground));
    EXPECT_NE(after.argb, drawn.argb);

    // The last one closes: the object goes; a new connection makes it again.
    panel_.Remove(second);
    GaugePlacement* third = panel_.Place("Rectangular Amber", 100, 100);
    ASSERT_NE(third, nullptr);
    SetMode(kModeBackgroundOnly);
    NextFrame();
    EXPECT_TRUE(integration::IsUniform(third->ReadImage(), kAmberBackground));
}

TEST_F(RadarModuleTest, RedrawsOncePerHostTimeAndMarksTheElementCurrent) {
    GaugePlacement* placement = panel_.Place("Circular Amber", 100, 100);
    sim::Element* element = panelhost::DrawingElement(placement->header());
    ASSERT_NE(element, nullptr);
    panel_.DrawFrame();
    Image first = placement->ReadImage();

    // Same host time: the mode change waits for the next time value.
    SetMode(kModeBackgroundOnly);
    element->image_flags |= sim::kImageFlagCurrentMark;
    panel_.DrawFrame();
    EXPECT_EQ(placement->ReadImage().argb, first.argb);
    EXPECT_NE(element->image_flags & sim::kImageFlagCurrentMark, 0u);

    NextFrame();
    EXPECT_TRUE(integration::IsUniform(placement->ReadImage(), kAmberBackground));
    EXPECT_EQ(element->image_flags & sim::kImageFlagCurrentMark, 0u);
}

TEST_F(RadarModuleTest, StandardRoutinesForwardTheFirstGaugesElementList) {
    GaugePlacement* placement = panel_.Place("Circular Amber", 100, 100);
    panel_.DrawFrame();
    panel_.Remove(placement);
    sim::Element* first_list_entry = panel_.module()->FindGauge("Rectangular Green")->elements[0];
    std::vector<std::size_t> entries;
    for (const auto& call : panel_.element_list_calls()) {
        EXPECT_EQ(call.element, first_list_entry);
        entries.push_back(call.entry);
        if (call.entry == sim::kElementListInstall) {
            EXPECT_EQ(call.argument, reinterpret_cast<std::uintptr_t>(panel_.module()->resource_handle()));
        }
    }
    // Placing: install, initialise, generate; a frame: update, plot; removing: kill.
    std::vector<std::size_t> expected = {sim::kElementListInstall, sim::kElementListInitialize,
                                         sim::kElementListGenerate, sim::kElementListUpdate,
                                         sim::kElementListPlot, sim::kElementListKill};
    EXPECT_EQ(entries, expected);
}

TEST_F(RadarModuleTest, ClicksReachTheGaugeInsideItsRectangleOnly) {
    GaugePlacement* placement = panel_.Place("Circular Green", 400, 200);
    panel_.DrawFrame();
    panelhost::ClickResult inside = panel_.Click(*placement, 399, 199);
    EXPECT_TRUE(inside.hit);
    EXPECT_EQ(inside.returned, 1);
    EXPECT_FALSE(panel_.Click(*placement, 400, 10).hit);
    EXPECT_FALSE(panel_.Click(*placement, -1, 10).hit);

    // No traffic: a click selects nothing, and the panel still sees no selection.
    NextFrame();
    EXPECT_EQ(panel_.named_variables().ValueOr("Radar Target Selected", -99), 0.0);
}

TEST_F(RadarModuleTest, PlanDisplayMatchesItsReference) {
    GaugePlacement* placement = panel_.Place("Circular Green", 300, 300);
    panel_.DrawFrame();
    std::filesystem::path folder = integration::TestFolder();
    panelhost::ReferenceCheck check = panelhost::CheckAgainstReference(
        placement->ReadImage(), ReferencePath("circular_green_plan_300.png"),
        (folder / "circular_green_plan_300_diff.png").string(), panelhost::ImageTolerance{48, 300});
    EXPECT_TRUE(check.passed) << check.message;
}

}  // namespace
