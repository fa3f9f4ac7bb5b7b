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
#include "sky/simulated_aircraft.h"

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
    double latitude_units = panelhost::ModuleVariableValue(host::kTokenOwnLatitude, aircraft, clock);
    double longitude_units = panelhost::ModuleVariableValue(host::kTokenOwnLongitude, aircraft, clock);
    // Back to degrees as the module converts them.
    EXPECT_NEAR(latitude_units * 360.0 * host::kLatitudeUnitFactor, 45.0, 1e-12);
    EXPECT_NEAR(longitude_units * 360.0 * host::kLongitudeUnitFactor, -90.0, 1e-12);
    EXPECT_NEAR(latitude_units, 45.0 * 10001750.0 / 90.0, 1e-3);
    EXPECT_NEAR(longitude_units, -std::ldexp(1.0, 46), 1e-3);  // -90° = -2^48 / 4
    EXPECT_EQ(panelhost::ModuleVariableValue(host::kTokenOwnAltitude, aircraft, clock), 1000.0);
    EXPECT_EQ(panelhost::ModuleVariableValue(host::kTokenOwnHeading, aircraft, clock), 270.0);
    EXPECT_EQ(panelhost::ModuleVariableValue(host::kTokenHostTime, aircraft, clock), 12.5);
    EXPECT_EQ(panelhost::ModuleVariableValue(999, aircraft, clock), 0.0);
}

struct FakeInterface : host::RegisteredInterface {
    void* HOST_METHOD QueryInterface(const char*) override { return nullptr; }
};

template <typename Fn>
Fn Entry(host::HostPanelsEntry entry) {
    return host::HostEntry<Fn>(&panelhost::HostPanelsTable(), entry);
}

TEST(HostPanelsTable, ServesItsEntriesThroughTheActiveHost) {
    panelhost::PanelHost panel;
    panel.own_aircraft().heading_deg = 123.0;
    panel.clock().time_s = 7.0;
    FakeInterface traffic;
    panel.RegisterInterface("ITrafficInfo", &traffic);

    auto check = Entry<host::NamedVariableLookupFn>(host::kCheckNamedVariable);
    auto reg = Entry<host::NamedVariableLookupFn>(host::kRegisterNamedVariable);
    auto get = Entry<host::GetNamedVariableValueFn>(host::kGetNamedVariableValue);
    auto set = Entry<host::SetNamedVariableValueFn>(host::kSetNamedVariableValue);
    auto initialize = Entry<host::InitializeModuleVariableFn>(host::kInitializeModuleVariable);
    auto lookup = Entry<host::LookupModuleVariableFn>(host::kLookupModuleVariable);
    auto interface = Entry<host::GetRegisteredInterfaceFn>(host::kGetRegisteredInterface);

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

    host::ModuleVariable heading{host::kTokenOwnHeading, nullptr, 0, 0.0, 0.0};
    host::ModuleVariable time{host::kTokenHostTime, nullptr, 0, 0.0, 0.0};
    initialize(&heading);
    initialize(nullptr);
    lookup(&heading);
    lookup(&time);
    lookup(nullptr);
    EXPECT_EQ(heading.value, 123.0);
    EXPECT_EQ(time.value, 7.0);
    EXPECT_EQ(panel.uninitialized_lookups(), 1u);  // the time record

    EXPECT_EQ(interface("ITrafficInfo"), static_cast<host::RegisteredInterface*>(&traffic));
    EXPECT_EQ(interface("IOther"), nullptr);
    EXPECT_EQ(interface(nullptr), nullptr);
    panel.RegisterInterface("ITrafficInfo", nullptr);
    EXPECT_EQ(interface("ITrafficInfo"), nullptr);
}

TEST(HostPanelsTable, EntriesTheHostDoesNotServeAreNull) {
    const host::HostPanels& table = panelhost::HostPanelsTable();
    int served = 0;
    for (std::size_t i = 0; i < host::kHostPanelsEntryCount; ++i) served += table.entry[i] != nullptr ? 1 : 0;
    EXPECT_EQ(served, 14);
    EXPECT_EQ(table.entry[30], nullptr);
    EXPECT_EQ(table.entry[54], nullptr);
    EXPECT_NE(table.entry[host::kElementListKill], nullptr);
}

TEST(HostPanelsTable, WithoutAHostTheEntriesDoNothing) {
    {
        panelhost::PanelHost panel;
    }
    EXPECT_EQ(panelhost::ActivePanelServices(), nullptr);
    EXPECT_EQ(Entry<host::NamedVariableLookupFn>(host::kRegisterNamedVariable)("Radar Mode"), -1);
    Entry<host::InitializeModuleVariableFn>(host::kInitializeModuleVariable)(nullptr);
    EXPECT_EQ(Entry<host::GetNamedVariableValueFn>(host::kGetNamedVariableValue)(1), 0.0);
    host::ModuleVariable time{host::kTokenHostTime, nullptr, 0, 3.0, 0.0};
    Entry<host::LookupModuleVariableFn>(host::kLookupModuleVariable)(&time);
    EXPECT_EQ(time.value, 3.0);
    Entry<host::ElementListFn>(host::kElementListUpdate)(nullptr);
}

TEST(HostPanelsTable, ElementListServicesAreRecordedOnly) {
    panelhost::PanelHost panel;
    host::Element element{};
    Entry<host::ElementListInstallFn>(host::kElementListInstall)(&element, reinterpret_cast<void*>(0x1234));
    Entry<host::ElementListGenerateFn>(host::kElementListGenerate)(&element, 3);
    Entry<host::ElementListFn>(host::kElementListQuery)(nullptr);
    ASSERT_EQ(panel.element_list_calls().size(), 3u);
    EXPECT_EQ(panel.element_list_calls()[0].entry, host::kElementListInstall);
    EXPECT_EQ(panel.element_list_calls()[0].element, &element);
    EXPECT_EQ(panel.element_list_calls()[0].argument, 0x1234u);
    EXPECT_EQ(panel.element_list_calls()[1].argument, 3u);
    EXPECT_EQ(panel.element_list_calls()[2].element, nullptr);
    EXPECT_EQ(panel.ElementListCallCount(host::kElementListGenerate), 1u);
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

host::ClickPoint g_last_point;
std::uint32_t g_last_flags = 0;
int g_clicks = 0;
std::int32_t HOST_CALL RecordClick(host::ClickPoint* point, std::uint32_t flags) {
    g_last_point = *point;
    g_last_flags = flags;
    ++g_clicks;
    return 1;
}

TEST(MouseRects, ClickFindsTheFirstChildRectangleThatContainsIt) {
    host::MouseRect rects[] = {
        {host::kMouseRectParent, 0, 0, 0, 0, host::kCursorNone, 0, 0, 0, nullptr, nullptr},
        {host::kMouseRectChild, 0, 0, 50, 50, host::kCursorHand, 0, host::kMouseLeftSingle, 0, RecordClick, nullptr},
        {host::kMouseRectChild, 0, 0, 100, 100, host::kCursorHand, 0, host::kMouseLeftSingle, 0, RecordClick,
         nullptr},
        {host::kMouseRectEndParent, 0, 0, 0, 0, host::kCursorNone, 0, 0, 0, nullptr, nullptr},
        {host::kMouseRectEndOfList, 0, 0, 0, 0, host::kCursorNone, 0, 0, 0, nullptr, nullptr},
    };
    EXPECT_EQ(panelhost::FindChildRect(rects, {49.9, 10}, host::kMouseLeftSingle), &rects[1]);
    EXPECT_EQ(panelhost::FindChildRect(rects, {50.0, 10}, host::kMouseLeftSingle), &rects[2]);
    EXPECT_EQ(panelhost::FindChildRect(rects, {99.9, 99.9}, host::kMouseLeftSingle), &rects[2]);
    EXPECT_EQ(panelhost::FindChildRect(rects, {100.0, 10}, host::kMouseLeftSingle), nullptr);
    EXPECT_EQ(panelhost::FindChildRect(rects, {-0.1, 10}, host::kMouseLeftSingle), nullptr);
    EXPECT_EQ(panelhost::FindChildRect(rects, {10, 10}, 0x1), nullptr);  // a flag no rectangle listens to
    EXPECT_EQ(panelhost::FindChildRect(nullptr, {10, 10}, host::kMouseLeftSingle), nullptr);

    host::GaugeHeader header{};
    header.mouse_rects = rects;
    panelhost::ClickResult result = panelhost::DeliverClick(&header, 300, 80, 400, 200);
    EXPECT_TRUE(result.hit);
    EXPECT_EQ(result.returned, 1);
    EXPECT_EQ(g_last_point.x, 300);  // the routine gets image pixels, not design units
    EXPECT_EQ(g_last_point.y, 80);
    EXPECT_EQ(g_last_flags, host::kMouseLeftSingle);
    EXPECT_FALSE(panelhost::DeliverClick(&header, 400, 80, 400, 200).hit);
    EXPECT_FALSE(panelhost::DeliverClick(nullptr, 1, 1, 400, 200).hit);
    EXPECT_EQ(g_clicks, 1);
}

// The list goes on past an end-parent to the end-of-list record.
TEST(MouseRects, AChildOfALaterParentIsFoundAndTheEndOfListEndsTheWalk) {
    const host::MouseRect child{host::kMouseRectChild, 0, 0, 100, 100, 0, 0, host::kMouseLeftSingle, 0,
                                RecordClick, nullptr};
    host::MouseRect rects[] = {
        {host::kMouseRectParent, 0, 0, 0, 0, host::kCursorNone, 0, 0, 0, nullptr, nullptr},
        {host::kMouseRectEndParent, 0, 0, 0, 0, host::kCursorNone, 0, 0, 0, nullptr, nullptr},
        {host::kMouseRectParent, 0, 0, 0, 0, host::kCursorNone, 0, 0, 0, nullptr, nullptr},
        child,
        {host::kMouseRectEndParent, 0, 0, 0, 0, host::kCursorNone, 0, 0, 0, nullptr, nullptr},
        {host::kMouseRectEndOfList, 0, 0, 0, 0, host::kCursorNone, 0, 0, 0, nullptr, nullptr},
        child,
    };
    EXPECT_EQ(panelhost::FindChildRect(rects, {10, 10}, host::kMouseLeftSingle), &rects[3]);
    rects[3].type = host::kMouseRectParent;
    EXPECT_EQ(panelhost::FindChildRect(rects, {10, 10}, host::kMouseLeftSingle), nullptr);
}

TEST(MouseRects, ListWithoutEndStopsAtTheBound) {
    std::vector<host::MouseRect> rects(panelhost::kMaxMouseRects + 1,
                                       host::MouseRect{host::kMouseRectParent, 0, 0, 0, 0, 0, 0, 0, 0, nullptr, nullptr});
    rects.back() = host::MouseRect{host::kMouseRectChild, 0, 0, 100, 100, 0, 0, host::kMouseLeftSingle, 0,
                                   RecordClick, nullptr};
    EXPECT_EQ(panelhost::FindChildRect(rects.data(), {10, 10}, host::kMouseLeftSingle), nullptr);
}

}  // namespace
