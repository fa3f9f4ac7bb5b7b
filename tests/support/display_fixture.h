// A radar screen for display tests: a fake host (own ship at 0 N 0 E,
// heading and host time settable), a traffic list with a settable number of
// targets from a fake traffic interface, a recorded Graphics, the green
// scheme and a module's shared state of its own. Targets are then written
// straight into the list's records. DisplayTest is the test fixture of one
// display drawn on that screen.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "display/gdiplus_wrappers.h"
#include "display/radar_screen.h"
#include "display/target_pass.h"
#include "gauge/shared_state.h"
#include "fake_host.h"
#include "fake_traffic.h"
#include "gdiplus_recorder.h"
#include "traffic/traffic_list.h"

namespace displaytest {

class DisplayFixture;

// One frame of a display on the fixture's screen, ending with the overlay.
using DisplayDraw = void (*)(DisplayFixture& f);

// The three displays, each with the fixture's shared sweep, objects and own ship.
void DrawPlan(DisplayFixture& f);
void DrawSector(DisplayFixture& f);
void DrawAltitude(DisplayFixture& f);

class DisplayFixture {
public:
    DisplayFixture();
    ~DisplayFixture();

    // Makes the list hold `count` records (all zero but their paint time).
    void SetTargetCount(std::uint32_t count);

    // A traffic target (a cross) or a network player (a diamond) in slot i,
    // airborne, at this distance and true bearing from the own ship.
    traffic::RadarTarget& PlaceTarget(std::uint32_t index, double distance_nm, double true_bearing_deg,
                                      const std::string& identifier = "T", std::int32_t source = 0);

    void SetHeading(double heading_deg) { host.SetModuleVariable(sim::kTokenOwnHeading, heading_deg); }
    void SetHostTime(double seconds) { host.SetHostTime(seconds); }
    void Select(const std::string& identifier);

    // Sets the host time and draws one frame of the display, which starts
    // as the frame cycle starts it, at one pixel per virtual unit.
    void DrawFrame(DisplayDraw draw, double host_time);

    // Where the own ship sees the target (which must have a position).
    display::TargetFix Locate(const traffic::RadarTarget& target);

    traffic::RadarTarget& Target(std::uint32_t index) { return *list->Target(index); }

    // Where the last frame drew the symbol of slot `index`; NaN on both axes
    // when it drew none there.
    display::ScreenPosition DrawnAt(std::uint32_t index) const;

private:
    // The list, made once the host offers the traffic interface it binds.
    std::unique_ptr<traffic::TrafficList> MakeBoundList();

public:

    fakehost::FakeHost host;
    faketraffic::FakeTrafficInfo traffic_info;
    faketraffic::FakeRegistered registered;
    gauge::SharedState shared;
    std::unique_ptr<traffic::TrafficList> list;
    std::unique_ptr<display::GraphicsWrapper> graphics;
    display::RadarScreen screen;
    int overlay_calls = 0;
    display::OverlayCall overlay;
};

// Calls of one name that drew with this pen or brush (first handle after
// the Graphics).
std::vector<recorder::Call> CallsWith(const std::string& name, const void* pen_or_brush);

// A drawn or formatted text in plain characters, up to its terminator; any
// character outside ASCII as '?'.
std::string Narrow(const std::u16string& text);

// The fixture of the tests of one display.
template <DisplayDraw draw>
class DisplayTest : public ::testing::Test {
protected:
    // One frame at this host time.
    void DrawAt(double host_time) { f.DrawFrame(draw, host_time); }
    // The same with the recording cleared first: only this frame's calls.
    void DrawOnlyAt(double host_time) {
        recorder::Clear();
        DrawAt(host_time);
    }
    DisplayFixture f;
};

}  // namespace displaytest
