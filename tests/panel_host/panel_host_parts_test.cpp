// The panel host's parts behind the module's services: named variables,
// module variables, registered interfaces, the HostPanels table, mouse
// rectangles.
#include <cmath>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "panel/host_panels_table.h"
#include "panel/mouse_rects.h"
#include "panel/named_variable_store.h"
#include "panel/panel_host.h"
#include "panel/simulated_aircraft.h"

namespace {

using panelhost::NamedVariableStore;

// As in the simulator: ids from 0, -1 for a name nobody created, names
// compared without regard to case.
TEST(NamedVariableStore, IdentifiersCountFromZeroAndNamesIgnoreCase) {
    NamedVariableStore store;
    EXPECT_EQ(store.Find("Radar Mode"), -1);
    EXPECT_EQ(store.Register("Radar Mode"), 0);
    EXPECT_EQ(store.Register("Radar Range"), 1);
    EXPECT_EQ(store.Register("radar MODE"), 0);
    EXPECT_EQ(store.Find("Radar Range"), 1);
    EXPECT_EQ(store.Find("RADAR RANGE"), 1);
    EXPECT_EQ(store.Find("Radar Rang"), -1);
    EXPECT_EQ(store.Register(""), -1);
    EXPECT_EQ(store.variables().size(), 2u);
    EXPECT_EQ(store.variables()[1].name, "Radar Range");  // as the first to make it spelled it
}

TEST(NamedVariableStore, UnknownIdentifiersReadZeroAndTakeNothing) {
    NamedVariableStore store;
    auto id = store.Register("Radar Range");
    EXPECT_EQ(store.Get(id), 0.0);
    EXPECT_TRUE(store.Set(id, 40.0));
    EXPECT_EQ(store.Get(id), 40.0);
    for (panelhost::NamedVariableId bad : {1, -1, 2, 0x7FFFFFFF}) {
        EXPECT_FALSE(store.Set(bad, 7.0)) << bad;
        EXPECT_EQ(store.Get(bad), 0.0) << bad;
    }
    store.SetByName("Radar Mode", 4.0);
    EXPECT_EQ(store.ValueOr("Radar Mode", -1.0), 4.0);
    EXPECT_EQ(store.ValueOr("Radar Nothing", -1.0), -1.0);
}

TEST(NamedVariableStore, HostNamesAreCutAtTheirBound) {
    EXPECT_EQ(panelhost::HostName(nullptr), "");
    EXPECT_EQ(panelhost::HostName("Radar Mode"), "Radar Mode");
    // No terminator within the bound: read no further than the bound.
    std::string unterminated(panelhost::kMaxNamedVariableNameLength + 1, 'x');
    EXPECT_EQ(panelhost::HostName(unterminated.data()).size(), panelhost::kMaxNamedVariableNameLength);
}

TEST(SimulatedAircraft, ModuleVariablesComeInHostUnits) {
    panelhost::OwnAircraft aircraft{45.0, -90.0, 1000.0, 270.0};
    panelhost::HostClock clock{12.5};
    double latitude_units = panelhost::ModuleVariableValue(sim::kTokenOwnLatitude, aircraft, clock);
    double longitude_units = panelhost::ModuleVariableValue(sim::kTokenOwnLongitude, aircraft, clock);
    // Back to degrees as the module converts them.
    EXPECT_NEAR(latitude_units * 360.0 * sim::kLatitudeUnitFactor, 45.0, 1e-12);
    EXPECT_NEAR(longitude_units * 360.0 * sim::kLongitudeUnitFactor, -90.0, 1e-12);
    EXPECT_NEAR(latitude_units, 45.0 * 10001750.0 / 90.0, 1e-3);
    EXPECT_NEAR(longitude_units, -std::ldexp(1.0, 46), 1e-3);  // -90° = -2^48 / 4
    EXPECT_EQ(panelhost::ModuleVariableValue(sim::kTokenOwnAltitude, aircraft, clock), 1000.0);
    EXPECT_EQ(panelhost::ModuleVariableValue(sim::kTokenOwnHeading, aircraft, clock), 270.0);
    EXPECT_EQ(panelhost::ModuleVariableValue(sim::kTokenHostTime, aircraft, clock), 12.5);
    EXPECT_EQ(panelhost::ModuleVariableValue(999, aircraft, clock), 0.0);
}

struct FakeInterface : sim::RegisteredInterface {
    void* HOST_METHOD QueryInterface(const char*) override { return nullptr; }
};

template <typename Fn>
Fn Entry(sim::HostPanelsEntry entry) {
    return sim::HostEntry<Fn>(&panelhost::HostPanelsTable(), entry);
}

TEST(HostPanelsTable, ServesItsEntriesThroughTheActiveHost) {
    panelhost::PanelHost panel;
    panel.own_aircraft().heading_deg = 123.0;
    panel.clock().time_s = 7.0;
    FakeInterface traffic;
    panel.RegisterInterface("ITrafficInfo", &traffic);

    auto check = Entry<sim::NamedVariableLookupFn>(sim::kCheckNamedVariable);
    auto reg = Entry<sim::NamedVariableLookupFn>(sim::kRegisterNamedVariable);
    auto get = Entry<sim::GetNamedVariableValueFn>(sim::kGetNamedVariableValue);
    auto set = Entry<sim::SetNamedVariableValueFn>(sim::kSetNamedVariableValue);
    auto initialize = Entry<sim::InitializeModuleVariableFn>(sim::kInitializeModuleVariable);
    auto lookup = Entry<sim::LookupModuleVariableFn>(sim::kLookupModuleVariable);
    auto interface = Entry<sim::GetRegisteredInterfaceFn>(sim::kGetRegisteredInterface);

    // The panel's own gauge has made the two inputs; the outputs are made on request.
    EXPECT_EQ(check("Radar Mode"), 0);
    EXPECT_EQ(check("Radar Range"), 1);
    EXPECT_EQ(check("Radar Target Selected"), -1);
    EXPECT_EQ(check(nullptr), -1);
    std::int32_t selected = reg("Radar Target Selected");
    EXPECT_EQ(selected, 2);
    EXPECT_EQ(reg(nullptr), -1);
    set(selected, 1.0);
    set(-1, 5.0);
    EXPECT_EQ(get(selected), 1.0);
    EXPECT_EQ(get(-1), 0.0);
    EXPECT_EQ(panel.named_variables().ValueOr("Radar Target Selected", -1), 1.0);

    sim::ModuleVariable heading{sim::kTokenOwnHeading, nullptr, 0, 0.0, 0.0};
    sim::ModuleVariable time{sim::kTokenHostTime, nullptr, 0, 0.0, 0.0};
    initialize(&heading);
    initialize(nullptr);
    lookup(&heading);
    lookup(&time);
    lookup(nullptr);
    EXPECT_EQ(heading.value, 123.0);
    EXPECT_EQ(time.value, 7.0);
    EXPECT_EQ(panel.uninitialized_lookups(), 1u);  // the time record

    EXPECT_EQ(interface("ITrafficInfo"), static_cast<sim::RegisteredInterface*>(&traffic));
    EXPECT_EQ(interface("IOther"), nullptr);
    EXPECT_EQ(interface(nullptr), nullptr);
    panel.RegisterInterface("ITrafficInfo", nullptr);
    EXPECT_EQ(interface("ITrafficInfo"), nullptr);
}

TEST(HostPanelsTable, EntriesTheHostDoesNotServeAreNull) {
    const sim::HostPanels& table = panelhost::HostPanelsTable();
    int served = 0;
    for (std::size_t i = 0; i < sim::kHostPanelsEntryCount; ++i) served += table.entry[i] != nullptr ? 1 : 0;
    EXPECT_EQ(served, 14);
    EXPECT_EQ(table.entry[30], nullptr);
    EXPECT_EQ(table.entry[54], nullptr);
    EXPECT_NE(table.entry[sim::kElementListKill], nullptr);
}

TEST(HostPanelsTable, WithoutAHostTheEntriesDoNothing) {
    {
        panelhost::PanelHost panel;
    }
    EXPECT_EQ(panelhost::ActivePanelServices(), nullptr);
    EXPECT_EQ(Entry<sim::NamedVariableLookupFn>(sim::kRegisterNamedVariable)("Radar Mode"), -1);
    Entry<sim::InitializeModuleVariableFn>(sim::kInitializeModuleVariable)(nullptr);
    EXPECT_EQ(Entry<sim::GetNamedVariableValueFn>(sim::kGetNamedVariableValue)(1), 0.0);
    sim::ModuleVariable time{sim::kTokenHostTime, nullptr, 0, 3.0, 0.0};
    Entry<sim::LookupModuleVariableFn>(sim::kLookupModuleVariable)(&time);
    EXPECT_EQ(time.value, 3.0);
    Entry<sim::ElementListFn>(sim::kElementListUpdate)(nullptr);
}

TEST(HostPanelsTable, ElementListServicesAreRecordedOnly) {
    panelhost::PanelHost panel;
    sim::Element element{};
    Entry<sim::ElementListInstallFn>(sim::kElementListInstall)(&element, reinterpret_cast<void*>(0x1234));
    Entry<sim::ElementListGenerateFn>(sim::kElementListGenerate)(&element, 3);
    Entry<sim::ElementListFn>(sim::kElementListQuery)(nullptr);
    ASSERT_EQ(panel.element_list_calls().size(), 3u);
    EXPECT_EQ(panel.element_list_calls()[0].entry, sim::kElementListInstall);
    EXPECT_EQ(panel.element_list_calls()[0].element, &element);
    EXPECT_EQ(panel.element_list_calls()[0].argument, 0x1234u);
    EXPECT_EQ(panel.element_list_calls()[1].argument, 3u);
    EXPECT_EQ(panel.element_list_calls()[2].element, nullptr);
    EXPECT_EQ(panel.ElementListCallCount(sim::kElementListGenerate), 1u);
    EXPECT_EQ(element.image_flags, 0u);
}

TEST(MouseRects, PixelsConvertToDesignUnitsOfTheImageSize) {
    auto p = panelhost::PixelToDesign(250, 120, 500, 400);
    EXPECT_DOUBLE_EQ(p.x, 50.0);
    EXPECT_DOUBLE_EQ(p.y, 30.0);
    p = panelhost::PixelToDesign(499, 0, 500, 500);
    EXPECT_DOUBLE_EQ(p.x, 99.8);
    p = panelhost::PixelToDesign(10, 10, 0, 500);
    EXPECT_LT(p.x, 0.0);
}

sim::ClickPoint g_last_point;
std::uint32_t g_last_flags = 0;
int g_clicks = 0;
std::int32_t HOST_CALL RecordClick(sim::ClickPoint* point, std::uint32_t flags) {
    g_last_point = *point;
    g_last_flags = flags;
    ++g_clicks;
    return 1;
}

TEST(MouseRects, ClickFindsTheFirstChildRectangleThatContainsIt) {
    sim::MouseRect rects[] = {
        {sim::kMouseRectParent, 0, 0, 0, 0, sim::kCursorNone, 0, 0, 0, nullptr, nullptr},
        {sim::kMouseRectChild, 0, 0, 50, 50, sim::kCursorHand, 0, sim::kMouseLeftSingle, 0, RecordClick, nullptr},
        {sim::kMouseRectChild, 0, 0, 100, 100, sim::kCursorHand, 0, sim::kMouseLeftSingle, 0, RecordClick,
         nullptr},
        {sim::kMouseRectEndParent, 0, 0, 0, 0, sim::kCursorNone, 0, 0, 0, nullptr, nullptr},
        {sim::kMouseRectEndOfList, 0, 0, 0, 0, sim::kCursorNone, 0, 0, 0, nullptr, nullptr},
    };
    EXPECT_EQ(panelhost::FindChildRect(rects, {49.9, 10}, sim::kMouseLeftSingle), &rects[1]);
    EXPECT_EQ(panelhost::FindChildRect(rects, {50.0, 10}, sim::kMouseLeftSingle), &rects[2]);
    EXPECT_EQ(panelhost::FindChildRect(rects, {99.9, 99.9}, sim::kMouseLeftSingle), &rects[2]);
    EXPECT_EQ(panelhost::FindChildRect(rects, {100.0, 10}, sim::kMouseLeftSingle), nullptr);
    EXPECT_EQ(panelhost::FindChildRect(rects, {-0.1, 10}, sim::kMouseLeftSingle), nullptr);
    EXPECT_EQ(panelhost::FindChildRect(rects, {10, 10}, 0x1), nullptr);  // a flag no rectangle listens to
    EXPECT_EQ(panelhost::FindChildRect(nullptr, {10, 10}, sim::kMouseLeftSingle), nullptr);

    sim::GaugeHeader header{};
    header.mouse_rects = rects;
    panelhost::ClickResult result = panelhost::DeliverClick(&header, 300, 80, 400, 200);
    EXPECT_TRUE(result.hit);
    EXPECT_EQ(result.returned, 1);
    EXPECT_EQ(g_last_point.x, 300);  // the routine gets image pixels, not design units
    EXPECT_EQ(g_last_point.y, 80);
    EXPECT_EQ(g_last_flags, sim::kMouseLeftSingle);
    EXPECT_FALSE(panelhost::DeliverClick(&header, 400, 80, 400, 200).hit);
    EXPECT_FALSE(panelhost::DeliverClick(nullptr, 1, 1, 400, 200).hit);
    EXPECT_EQ(g_clicks, 1);
}

// The list goes on past an end-parent to the end-of-list record.
TEST(MouseRects, AChildOfALaterParentIsFoundAndTheEndOfListEndsTheWalk) {
    const sim::MouseRect child{sim::kMouseRectChild, 0, 0, 100, 100, 0, 0, sim::kMouseLeftSingle, 0,
                                RecordClick, nullptr};
    sim::MouseRect rects[] = {
        {sim::kMouseRectParent, 0, 0, 0, 0, sim::kCursorNone, 0, 0, 0, nullptr, nullptr},
        {sim::kMouseRectEndParent, 0, 0, 0, 0, sim::kCursorNone, 0, 0, 0, nullptr, nullptr},
        {sim::kMouseRectParent, 0, 0, 0, 0, sim::kCursorNone, 0, 0, 0, nullptr, nullptr},
        child,
        {sim::kMouseRectEndParent, 0, 0, 0, 0, sim::kCursorNone, 0, 0, 0, nullptr, nullptr},
        {sim::kMouseRectEndOfList, 0, 0, 0, 0, sim::kCursorNone, 0, 0, 0, nullptr, nullptr},
        child,
    };
    EXPECT_EQ(panelhost::FindChildRect(rects, {10, 10}, sim::kMouseLeftSingle), &rects[3]);
    rects[3].type = sim::kMouseRectParent;
    EXPECT_EQ(panelhost::FindChildRect(rects, {10, 10}, sim::kMouseLeftSingle), nullptr);
}

TEST(MouseRects, ListWithoutEndStopsAtTheBound) {
    std::vector<sim::MouseRect> rects(panelhost::kMaxMouseRects + 1,
                                       sim::MouseRect{sim::kMouseRectParent, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr});
    rects.back() = sim::MouseRect{sim::kMouseRectChild, 0, 0, 100, 100, 0, 0, sim::kMouseLeftSingle, 0,
                                   RecordClick, nullptr};
    EXPECT_EQ(panelhost::FindChildRect(rects.data(), {10, 10}, sim::kMouseLeftSingle), nullptr);
}

}  // namespace
