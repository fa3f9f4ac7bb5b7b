// The gauge callbacks and click routines: one object per gauge name,
// created, drawn and destroyed through the host's services.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "fake_host.h"
#include "fake_traffic.h"
#include "gauge/radar_gauge.h"
#include "gdiplus_recorder.h"
#include "module/gauge_callbacks.h"
#include "module/module_exports.h"
#include "platform/float_environment.h"
#include "module/module_state.h"

namespace {

using fakehost::FakeHost;
using module::GaugeObject;
using module::GaugeSlot;

class GaugeServices : public ::testing::Test {
protected:
    void SetUp() override { recorder::Reset(); }
    // Every placement a test connected goes again.
    void TearDown() override {
        for (int i = 0; i < 4; ++i)
            for (int placements = 0; Object(i) != nullptr && placements < 8; ++placements)
                Serve(i, sim::kServiceDisconnect);
    }

    static void Serve(int slot, std::int32_t service) {
        sim::GaugeHeader* header = Linkage.gauges[slot];
        header->callback(header, service, 0);
    }
    static std::int32_t Click(int slot, sim::ClickPoint* point) {
        return Linkage.gauges[slot]->mouse_rects[1].routine(point, sim::kMouseLeftSingle);
    }
    static gauge::RadarGauge* Object(int slot) { return GaugeObject(static_cast<GaugeSlot>(slot)); }

    FakeHost host_;
};

TEST_F(GaugeServices, ConnectionCreatesTheGaugesClassOnce) {
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Object(i), nullptr);
    for (int i = 0; i < 4; ++i) Serve(i, sim::kServiceConnect);
    gauge::RadarGauge* objects[4];
    for (int i = 0; i < 4; ++i) {
        objects[i] = Object(i);
        ASSERT_NE(objects[i], nullptr);
    }
    // Rectangular Green, Rectangular Amber, Circular Green, Circular Amber.
    EXPECT_EQ(typeid(*objects[0]), typeid(gauge::RadarGauge));
    EXPECT_EQ(typeid(*objects[1]), typeid(gauge::AmberRadarGauge));
    EXPECT_EQ(typeid(*objects[2]), typeid(gauge::CircularRadarGauge));
    EXPECT_EQ(typeid(*objects[3]), typeid(gauge::AmberCircularRadarGauge));
    EXPECT_EQ(objects[0]->mode(), 3);
    EXPECT_EQ(objects[2]->mode(), 2);
    EXPECT_EQ(module::TheModule().shared.gdiplus.users(), 4);

    // A second connection keeps the object and makes nothing new.
    const int startups = recorder::StartupCount();
    Serve(2, sim::kServiceConnect);
    EXPECT_EQ(Object(2), objects[2]);
    EXPECT_EQ(recorder::StartupCount(), startups);
    EXPECT_EQ(module::TheModule().shared.gdiplus.users(), 4);
}

TEST_F(GaugeServices, PreDrawDrawsTheObjectAndDisconnectionDestroysIt) {
    sim::GaugeHeader& header = *Linkage.gauges[1];
    sim::ImageRecord image{0, 100, 100};
    ASSERT_TRUE(fakehost::PlaceOn(header, &image, reinterpret_cast<sim::DeviceContext>(0x2000)));

    host_.SetHostTime(1.0);
    Serve(1, sim::kServicePreDraw);  // no object yet: nothing
    EXPECT_TRUE(recorder::CallsNamed("GdipGraphicsClear").empty());

    Serve(1, sim::kServiceConnect);
    Serve(1, sim::kServicePreDraw);
    EXPECT_EQ(recorder::CallsNamed("GdipGraphicsClear").size(), 1u);
    EXPECT_EQ(Object(1)->drawing_element(), header.elements[0]->next[0]);

    Serve(1, sim::kServiceDisconnect);
    EXPECT_EQ(Object(1), nullptr);
    EXPECT_EQ(recorder::LiveObjects(), 0);
    EXPECT_EQ(module::TheModule().shared.gdiplus.users(), 0);

    // A disconnection without an object does nothing; a later connection makes a new one.
    Serve(1, sim::kServiceDisconnect);
    EXPECT_EQ(Object(1), nullptr);
    Serve(1, sim::kServiceConnect);
    EXPECT_NE(Object(1), nullptr);
    fakehost::PlaceOn(header, nullptr, nullptr);
}

TEST_F(GaugeServices, TheObjectLivesUntilItsLastPlacementDisconnects) {
    sim::GaugeHeader& header = *Linkage.gauges[2];
    sim::ImageRecord image{0, 100, 100};
    const auto main_panel = reinterpret_cast<sim::DeviceContext>(0x2000);
    const auto popup = reinterpret_cast<sim::DeviceContext>(0x3000);
    // The host writes each window's device context into the element before a service.
    const auto serve_in = [&](sim::DeviceContext window, std::int32_t service) {
        ASSERT_TRUE(fakehost::PlaceOn(header, &image, window));
        Serve(2, service);
    };
    serve_in(main_panel, sim::kServiceConnect);
    serve_in(popup, sim::kServiceConnect);
    gauge::RadarGauge* shared = Object(2);
    host_.SetHostTime(1.0);
    serve_in(main_panel, sim::kServicePreDraw);
    serve_in(popup, sim::kServicePreDraw);
    ASSERT_EQ(shared->surface_cache().count(), 2u);

    // The pop-up closes: its surface goes, the main panel keeps drawing.
    serve_in(popup, sim::kServiceDisconnect);
    ASSERT_EQ(Object(2), shared);
    EXPECT_EQ(recorder::CallsNamed("GdipDeleteGraphics").size(), 1u);
    ASSERT_EQ(shared->surface_cache().count(), 1u);
    EXPECT_EQ(shared->surface_cache().entry(0).device_context, main_panel);
    host_.SetHostTime(2.0);
    serve_in(main_panel, sim::kServicePreDraw);
    EXPECT_EQ(recorder::CallsNamed("GdipGraphicsClear").size(), 3u);

    serve_in(main_panel, sim::kServiceDisconnect);
    EXPECT_EQ(Object(2), nullptr);
    EXPECT_EQ(recorder::LiveObjects(), 0);
    EXPECT_EQ(module::TheModule().shared.gdiplus.users(), 0);

    // More disconnections than connections are not counted against the next placement.
    Serve(2, sim::kServiceDisconnect);
    Serve(2, sim::kServiceConnect);
    EXPECT_NE(Object(2), nullptr);
    Serve(2, sim::kServiceDisconnect);
    EXPECT_EQ(Object(2), nullptr);
    fakehost::PlaceOn(header, nullptr, nullptr);
}

// GDI+ wants a Graphics made on a device context deleted before the
// context is released: before a window's image is made anew (a resize) and
// before the gauge is killed, the host sends a service of its own first.
TEST_F(GaugeServices, AGraphicsGoesBeforeTheHostReleasesItsDeviceContext) {
    sim::GaugeHeader& header = *Linkage.gauges[3];
    sim::ImageRecord image{0, 100, 100};
    const auto first_context = reinterpret_cast<sim::DeviceContext>(0x2000);
    ASSERT_TRUE(fakehost::PlaceOn(header, &image, first_context));
    Serve(3, sim::kServiceConnect);
    host_.SetHostTime(1.0);
    Serve(3, sim::kServicePreDraw);
    ASSERT_EQ(recorder::CallsNamed("GdipCreateFromHDC").size(), 1u);

    Serve(3, sim::kServicePreGenerate);
    EXPECT_EQ(recorder::CallsNamed("GdipDeleteGraphics").size(), 1u);
    EXPECT_EQ(Object(3)->surface_cache().count(), 0u);
    // A new image of another size, on the same handle: drawn at once, paused
    // or not, through a new Graphics at the new scale.
    sim::ImageRecord larger{0, 300, 200};
    ASSERT_TRUE(fakehost::PlaceOn(header, &larger, first_context));
    Serve(3, sim::kServicePostGenerate);
    Serve(3, sim::kServicePreDraw);
    ASSERT_EQ(recorder::CallsNamed("GdipCreateFromHDC").size(), 2u);
    EXPECT_FLOAT_EQ(recorder::CallsNamed("GdipGraphicsClear").back().world.m11, 0.3f);

    Serve(3, sim::kServicePreKill);
    EXPECT_EQ(recorder::CallsNamed("GdipDeleteGraphics").size(), 2u);
    Serve(3, sim::kServicePostKill);
    Serve(3, sim::kServiceDisconnect);
    EXPECT_EQ(recorder::LiveObjects(), 0);
    fakehost::PlaceOn(header, nullptr, nullptr);
}

TEST_F(GaugeServices, OtherServicesAndOddHeadersDoNothing) {
    Serve(0, sim::kServiceConnect);
    gauge::RadarGauge* object = Object(0);
    for (std::int32_t service : {0, 1, 2, 11, 13, 16, -1, 0x7fffffff}) Serve(0, service);
    EXPECT_EQ(Object(0), object);
    EXPECT_FALSE(object->resources_created());

    Linkage.gauges[0]->callback(nullptr, sim::kServicePreDraw, 0);  // no header: resources only
    EXPECT_TRUE(object->resources_created());
    EXPECT_EQ(object->drawing_element(), nullptr);
}

TEST_F(GaugeServices, ClicksAreAlwaysHandled) {
    sim::ClickPoint point{50, 50};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Click(i, &point), 1);  // no objects
    EXPECT_EQ(Click(0, nullptr), 1);

    Serve(0, sim::kServiceConnect);
    EXPECT_EQ(Click(0, nullptr), 1);
    // With an object the click reaches it: a click on an empty screen clears the selection.
    sim::GaugeHeader& header = *Linkage.gauges[0];
    sim::ImageRecord image{0, 100, 100};
    ASSERT_TRUE(fakehost::PlaceOn(header, &image, reinterpret_cast<sim::DeviceContext>(0x2000)));
    host_.SetHostTime(1.0);
    Serve(0, sim::kServicePreDraw);
    gauge::RadarGauge* object = Object(0);
    object->selection().Pick("N123", 0);
    EXPECT_EQ(Click(0, &point), 1);
    EXPECT_TRUE(object->selection().empty());
    fakehost::PlaceOn(header, nullptr, nullptr);
}

// A host whose thread computes differently from a plain program: the x87
// unit at 24-bit precision, SSE rounding toward zero with denormals flushed.
constexpr std::uint16_t kHostileX87ControlWord = 0x007F;
constexpr std::uint32_t kHostileMxcsr = 0x1F80 | 0x6000 | 0x8000 | 0x0040;

struct FloatState {
    std::uint16_t control_word;
    std::uint16_t status_word;
    std::uint32_t mxcsr;
    bool operator==(const FloatState& o) const {
        return control_word == o.control_word && status_word == o.status_word && mxcsr == o.mxcsr;
    }
};

FloatState ReadFloatState() {
    std::uint16_t status_word = 0;
#if RADAR_HAS_X87
    asm volatile("fnstsw %0" : "=m"(status_word));
#endif
    return {platform::ReadX87ControlWord(), status_word, platform::ReadMxcsr()};
}

// What a flight through the host's routines leaves: every number the
// recorded GDI+ calls carry, then the published named variables, and
// whether every routine gave the host its floating-point state back.
struct Flight {
    std::vector<double> numbers;
    bool state_given_back = true;
};

Flight Fly(bool hostile) {
    recorder::Reset();
    faketraffic::TrafficHost traffic;
    traffic.host.CreateNamedVariable("Radar Mode");
    traffic.host.CreateNamedVariable("Radar Range", 10.0);
    std::vector<faketraffic::Aircraft>& aircraft = traffic.info.aircraft;
    for (int n = 0; n < 4; ++n) {
        faketraffic::Aircraft a;
        a.id = static_cast<sim::TrafficId>(n + 1);
        a.atc_id = "N" + std::to_string(n);
        a.Set("PLANE LATITUDE", "DEGREES", 47.4647 + 0.0137 * n)
            .Set("PLANE LONGITUDE", "DEGREES", 8.5492 + 0.0291 * n * n)
            .Set("INDICATED ALTITUDE", "FEET", 9000.0 + 333.3 * n)
            .Set("PLANE ALT ABOVE GROUND", "FEET", 7000.0)
            .Set("GROUND VELOCITY", "KNOTS", 181.7 + n)
            .Set("VELOCITY WORLD Y", "FEET PER MINUTE", -321.9 * n)
            .Set("PLANE HEADING DEGREES MAGNETIC", "DEGREES", 37.0 * n);
        aircraft.push_back(a);
    }
    // The own ship a little south-west of them, in the host's units.
    traffic.host.SetModuleVariable(sim::kTokenOwnLatitude, 47.41 / 360.0 / sim::kLatitudeUnitFactor);
    traffic.host.SetModuleVariable(sim::kTokenOwnLongitude, 8.52 / 360.0 / sim::kLongitudeUnitFactor);
    traffic.host.SetModuleVariable(sim::kTokenOwnHeading, 12.5);

    Flight flight;
    sim::GaugeHeader& header = *Linkage.gauges[module::kCircularGreen];
    sim::ImageRecord image{0, 777, 777};
    fakehost::PlaceOn(header, &image, fakehost::FakeDeviceContext(1));
    auto call_as_host = [&](auto&& routine) {
        if (hostile) {
            platform::WriteX87ControlWord(kHostileX87ControlWord);
            platform::WriteMxcsr(kHostileMxcsr);
        }
        const FloatState before = ReadFloatState();
        routine();
        if (!(ReadFloatState() == before)) flight.state_given_back = false;
        platform::WriteX87ControlWord(platform::kModuleX87ControlWord);
        platform::WriteMxcsr(platform::kModuleMxcsr);
    };
    auto serve = [&](std::int32_t service) { call_as_host([&] { header.callback(&header, service, 0); }); };

    serve(sim::kServiceConnect);
    for (int frame = 1; frame <= 12; ++frame) {
        traffic.host.SetHostTime(0.35 * frame);
        serve(sim::kServicePreDraw);
        if (frame == 4) {
            // On the target the first frame placed at index 2.
            display::ScreenPosition at{};
            GaugeObject(module::kCircularGreen)->selection().DrawnSymbolAt(2, at);
            sim::ClickPoint point{static_cast<std::int32_t>(388.5 + at.x * 0.777),
                                   static_cast<std::int32_t>(388.5 + at.y * 0.777)};
            call_as_host([&] { header.mouse_rects[1].routine(&point, sim::kMouseLeftSingle); });
        }
    }
    for (const recorder::Call& call : recorder::Calls()) {
        flight.numbers.insert(flight.numbers.end(), call.args.begin(), call.args.end());
        for (const gdip::PointF& p : call.points) flight.numbers.insert(flight.numbers.end(), {p.x, p.y});
        const recorder::Transform& w = call.world;
        flight.numbers.insert(flight.numbers.end(), {w.m11, w.m12, w.m21, w.m22, w.dx, w.dy});
    }
    for (const std::string& name : traffic.host.NamedVariableNames())
        flight.numbers.push_back(traffic.host.NamedVariableValue(name));
    flight.numbers.push_back(traffic.host.NamedVariableValue("Radar Target Selected"));  // last: read below
    serve(sim::kServiceDisconnect);
    fakehost::PlaceOn(header, nullptr, nullptr);
    return flight;
}

// The same flight from the same fresh module state, in a child process.
bool FlyInChild(bool hostile, Flight* flight) {
    int pipe_ends[2];
    if (pipe(pipe_ends) != 0) return false;
    const pid_t child = fork();
    if (child == 0) {
        close(pipe_ends[0]);
        const Flight flown = Fly(hostile);
        const std::uint64_t count = flown.numbers.size();
        const char given_back = flown.state_given_back ? 1 : 0;
        bool written = write(pipe_ends[1], &given_back, 1) == 1 &&
                       write(pipe_ends[1], &count, sizeof count) == sizeof count;
        const char* bytes = reinterpret_cast<const char*>(flown.numbers.data());
        for (std::size_t left = count * sizeof(double); written && left > 0;) {
            const ssize_t n = write(pipe_ends[1], bytes, left);
            written = n > 0;
            if (written) bytes += n, left -= static_cast<std::size_t>(n);
        }
        _exit(written ? 0 : 1);
    }
    close(pipe_ends[1]);
    auto read_all = [&](void* into, std::size_t size) {
        char* bytes = static_cast<char*>(into);
        while (size > 0) {
            const ssize_t n = read(pipe_ends[0], bytes, size);
            if (n <= 0) return false;
            bytes += n;
            size -= static_cast<std::size_t>(n);
        }
        return true;
    };
    char given_back = 0;
    std::uint64_t count = 0;
    bool ok = read_all(&given_back, 1) && read_all(&count, sizeof count) && count < (1u << 26);
    if (ok) {
        flight->state_given_back = given_back != 0;
        flight->numbers.resize(count);
        ok = read_all(flight->numbers.data(), count * sizeof(double));
    }
    close(pipe_ends[0]);
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0 && ok;
}

// Everything drawn and published is the same bit for bit whatever state
// the host's thread computes in, and the host gets its own state back
// (control words, status flags and MXCSR) from every routine.
TEST(HostFloatingPointState, NeitherChangesWhatIsDrawnNorIsChangedByTheModule) {
    Flight plain;
    Flight hostile;
    ASSERT_TRUE(FlyInChild(false, &plain));
    ASSERT_TRUE(FlyInChild(true, &hostile));
    EXPECT_TRUE(plain.state_given_back);
    EXPECT_TRUE(hostile.state_given_back);
    ASSERT_GT(plain.numbers.size(), 1000u);
    ASSERT_EQ(hostile.numbers.size(), plain.numbers.size());
    std::size_t differing = 0;
    std::size_t first = 0;
    for (std::size_t i = 0; i < plain.numbers.size(); ++i) {
        if (std::memcmp(&plain.numbers[i], &hostile.numbers[i], sizeof(double)) != 0 && differing++ == 0) first = i;
    }
    EXPECT_EQ(differing, 0u) << "first at " << first << ": " << plain.numbers[first] << " / " << hostile.numbers[first];
    // The flight selected a target.
    EXPECT_EQ(plain.numbers.back(), 1.0) << "Radar Target Selected";
}

}  // namespace
