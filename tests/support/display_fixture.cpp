#include "display_fixture.h"

#include <cmath>

#include "display/altitude_display.h"
#include "display/draw_resources.h"
#include "display/plan_display.h"
#include "display/sector_display.h"

namespace displaytest {
namespace {

// The geodesy constants of the range and bearing computation.
constexpr double kDegreesToRadians = 0.01745329238474369;
constexpr double kNauticalMilesPerRadian = 3437.746810913086;

void CountOverlay(void* fixture) { ++static_cast<DisplayFixture*>(fixture)->overlay_calls; }

}  // namespace

void DrawPlan(DisplayFixture& f) {
    display::DrawPlan(f.screen, f.shared.plan_sweep, f.shared.gdiplus_objects, f.shared.own_ship, f.overlay);
}

void DrawSector(DisplayFixture& f) {
    display::DrawSector(f.screen, f.shared.sector_sweep, f.shared.gdiplus_objects, f.shared.own_ship, f.overlay);
}

void DrawAltitude(DisplayFixture& f) {
    display::DrawAltitude(f.screen, f.shared.altitude_sweep, f.shared.own_ship, f.overlay);
}

DisplayFixture::DisplayFixture()
    : list(MakeBoundList()),
      graphics(std::make_unique<display::GraphicsWrapper>(reinterpret_cast<gdip::Hdc>(0x5150))),
      screen(*list, display::kModeSector, 40.0f) {
    screen.graphics = graphics.get();
    display::CreateGreenScheme(screen.resources, shared.gdiplus_objects.generic_family);
    overlay = display::OverlayCall{&CountOverlay, this};
}

DisplayFixture::~DisplayFixture() {
    screen.resources = display::DrawResources{};
    screen.graphics = nullptr;
    graphics.reset();
    shared.gdiplus_objects.Release();
}

std::unique_ptr<traffic::TrafficList> DisplayFixture::MakeBoundList() {
    recorder::Reset();
    registered.traffic = &traffic_info;
    faketraffic::RegisterTrafficInterface(host, registered);
    host.SetModuleVariable(sim::kTokenOwnLatitude, 0.0);
    host.SetModuleVariable(sim::kTokenOwnLongitude, 0.0);
    return std::make_unique<traffic::TrafficList>(shared.refresh_clock, shared.net_module_search);
}

void DisplayFixture::SetTargetCount(std::uint32_t count) {
    traffic_info.aircraft.clear();
    for (std::uint32_t k = 0; k < count; ++k) {
        faketraffic::Aircraft aircraft;
        aircraft.id = 1000 + k;
        traffic_info.aircraft.push_back(aircraft);
    }
    list->Refresh();
}

traffic::RadarTarget& DisplayFixture::PlaceTarget(std::uint32_t index, double distance_nm, double true_bearing_deg,
                                                  const std::string& identifier, std::int32_t source) {
    // Destination on the sphere from 0 N 0 E.
    const double arc = distance_nm / kNauticalMilesPerRadian;
    const double course = true_bearing_deg * kDegreesToRadians;
    const double latitude = std::asin(std::sin(arc) * std::cos(course));
    const double longitude = std::atan2(std::sin(course) * std::sin(arc), std::cos(arc));
    traffic::RadarTarget& target = *list->Target(index);
    target.latitude_deg = latitude / kDegreesToRadians;
    target.longitude_deg = longitude / kDegreesToRadians;
    target.altitude_ft = 10000.0;
    target.height_above_ground = 5000;
    target.heading_deg = 0.0;
    target.ground_speed_kt = 0.0;
    target.source = source;
    traffic::SetTargetIdentifier(target, identifier.c_str());
    return target;
}

void DisplayFixture::Select(const std::string& identifier) {
    screen.selection.Pick(identifier.c_str(), static_cast<std::uint32_t>(screen.selection.index()));
}

void DisplayFixture::DrawFrame(DisplayDraw draw, double host_time) {
    SetHostTime(host_time);
    screen.selection.StartFrame(1.0f, 1.0f);
    draw(*this);
}

display::TargetFix DisplayFixture::Locate(const traffic::RadarTarget& target) {
    display::TargetFix fix{};
    EXPECT_TRUE(display::LocateTarget(shared.own_ship, target, 0.0, fix));
    return fix;
}

display::ScreenPosition DisplayFixture::DrawnAt(std::uint32_t index) const {
    display::ScreenPosition centre{std::nanf(""), std::nanf("")};
    screen.selection.DrawnSymbolAt(index, centre);
    return centre;
}

std::vector<recorder::Call> CallsWith(const std::string& name, const void* pen_or_brush) {
    std::vector<recorder::Call> out;
    for (const recorder::Call& call : recorder::CallsNamed(name))
        if (call.handles.size() > 1 && call.handles[1] == pen_or_brush) out.push_back(call);
    return out;
}

std::string Narrow(const std::u16string& text) {
    std::string out;
    for (const char16_t character : text) {
        if (character == u'\0') break;
        out.push_back(character < 128 ? static_cast<char>(character) : '?');
    }
    return out;
}

}  // namespace displaytest
