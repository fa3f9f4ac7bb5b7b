// The frame cycle in every mode as a misbehaving host and panel drive it:
// module variables (time, heading, position, altitude) NaN, infinite, huge,
// negative or stepping backwards, network players and the traffic
// interface's answers with any of their numbers so, "Radar Mode" and "Radar
// Range" of any value, image sizes of 0, negative or huge, device contexts
// appearing and disappearing (more than the surface cache holds, too),
// headers with links missing, clicks anywhere, gauges connected and
// disconnected between frames, failing GDI+ calls, empty host table
// entries: all through the module's exports.
#include <cstddef>
#include <cstdint>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz_session.h"
#include "gdiplus_recorder.h"
#include "hostile_values.h"

namespace {

using fuzzsupport::FuzzSession;
using fuzzsupport::HostileDouble;
using fuzzsupport::HostileInt;

constexpr int kMaxOperations = 64;
// The script's share of the input; the rest answers the host's and the
// traffic interface's calls.
constexpr std::size_t kScriptBytes = 384;
// Enough device contexts to fill the surface cache (1000) and go past it.
constexpr std::uint32_t kFloodDeviceContexts = 1100;
// The mode that draws nothing but the cleared surface.
constexpr double kModeWithoutDisplay = 1.0;

constexpr const char* kGdiplusCalls[] = {
    "GdipCreateFromHDC",   "GdipDeleteGraphics",      "GdipGraphicsClear",       "GdipScaleWorldTransform",
    "GdipResetWorldTransform", "GdipTranslateWorldTransform", "GdipBeginContainer2", "GdipEndContainer",
    "GdipCreateMatrix",    "GdipSetMatrixElements",   "GdipRotateMatrix",        "GdipTranslateMatrix",
    "GdipTransformMatrixPoints", "GdipCreatePen2",    "GdipCreateSolidFill",     "GdipCreateFont",
    "GdipCreateFontFamilyFromName", "GdipGetGenericFontFamilySansSerif", "GdipGetFontSize",
    "GdipCreateStringFormat", "GdipDrawString",       "GdipDrawLine",            "GdipDrawArc",
    "GdipDrawEllipse",     "GdipDrawPolygon",         "GdipFillPolygon",         "GdipDrawRectangle",
    "GdipSetPenDashArray", "GdiplusStartup",
};

constexpr sim::HostPanelsEntry kEntries[] = {
    sim::kLookupModuleVariable,   sim::kCheckNamedVariable,     sim::kRegisterNamedVariable,
    sim::kGetNamedVariableValue,  sim::kSetNamedVariableValue,  sim::kGetRegisteredInterface,
    sim::kElementListPlot,        sim::kInitializeModuleVariable,
};

std::int32_t ImageSide(FuzzedDataProvider& input) { return HostileInt(input, 1, 1200); }

int Slot(FuzzedDataProvider& input) { return input.ConsumeIntegralInRange<int>(0, fuzzsupport::kGauges - 1); }

double HostileTimeStep(FuzzedDataProvider& input) {
    static constexpr double kSteps[] = {0.0, 0.05, 0.1, 1.0, 1.01, 2.0, -1.0, -1000.0};
    return input.ConsumeBool() ? input.PickValueInArray(kSteps) : HostileDouble(input, -5.0, 5.0);
}

void SetModuleVariable(FuzzSession& s) {
    fuzzsupport::HostVariables& v = s.host.variables;
    switch (s.script.ConsumeIntegralInRange<int>(0, 4)) {
        case 0:
            v.latitude_units = HostileDouble(s.script, -4.0e9, 4.0e9);
            break;
        case 1:
            v.longitude_units = HostileDouble(s.script, -1.4e17, 1.4e17);
            break;
        case 2:
            v.altitude_m = HostileDouble(s.script, -500.0, 15000.0);
            break;
        case 3:
            v.heading_deg = HostileDouble(s.script, -720.0, 720.0);
            break;
        default:
            v.time_s = HostileDouble(s.script, -10.0, 1e6);
            break;
    }
    s.traffic.own_latitude_deg = fuzzsupport::OwnLatitudeDeg(v);
    s.traffic.own_longitude_deg = fuzzsupport::OwnLongitudeDeg(v);
}

void SetMode(FuzzSession& s) {
    static constexpr double kModes[] = {2.0, 3.0, 4.0, 2.9, 0.0, 1.0, 5.0, -3.0};
    s.host.SetMode(s.script.ConsumeBool() ? s.script.PickValueInArray(kModes) : HostileDouble(s.script, -10.0, 10.0));
}

void SetRange(FuzzSession& s) {
    static constexpr double kRanges[] = {5.0, 4.9, 10.0, 40.0, 80.0, 160.0, 320.0, 0.0};
    s.host.SetRange(s.script.ConsumeBool() ? s.script.PickValueInArray(kRanges) : HostileDouble(s.script, 0.0, 1000.0));
}

// The gauge object paints a new device context each frame until its
// surface cache is full and beyond, then the first one comes back. Costly:
// only behind a second key byte, and once per input at most.
constexpr std::uint8_t kFloodKey = 0xF1;
void FloodDeviceContexts(FuzzSession& s, int slot, bool& flooded) {
    if (flooded || s.script.ConsumeIntegral<std::uint8_t>() != kFloodKey) return;
    flooded = true;
    const double mode = s.host.named_values[fuzzsupport::kModeId];
    const bool hostile_lookups = s.host.hostile_lookups;
    const bool hostile_named_values = s.host.hostile_named_values;
    s.host.hostile_lookups = s.host.hostile_named_values = false;
    s.host.SetMode(kModeWithoutDisplay);
    for (std::uint32_t n = 1; n <= kFloodDeviceContexts; ++n) {
        s.driver.Place(slot, 100, 100, fuzzsupport::FuzzDeviceContext(n));
        s.driver.PreDraw(slot);
    }
    s.host.SetMode(mode);
    s.host.hostile_lookups = hostile_lookups;
    s.host.hostile_named_values = hostile_named_values;
    s.driver.Place(slot, 100, 100, fuzzsupport::FuzzDeviceContext(1));
    s.driver.PreDraw(slot);
}

void PreDrawDetached(FuzzSession& s, int slot) {
    static fuzzsupport::DetachedHeader detached;
    const auto cut = static_cast<fuzzsupport::DetachedHeader::Cut>(
        s.script.ConsumeIntegralInRange<int>(0, fuzzsupport::DetachedHeader::kCutCount - 1));
    sim::GaugeHeader* header =
        detached.Link(cut, ImageSide(s.script), ImageSide(s.script), fuzzsupport::FuzzDeviceContext(s.script.ConsumeIntegral<std::uint16_t>()));
    s.driver.Service(slot, sim::kServicePreDraw, s.script.ConsumeIntegralInRange<int>(0, 7) == 0 ? nullptr : header);
}

void FailGdiplus(FuzzSession& s) {
    static constexpr gdip::Status kStatuses[] = {gdip::kGenericError, gdip::kInvalidParameter, gdip::kOutOfMemory};
    recorder::FailCalls(s.script.PickValueInArray(kGdiplusCalls), s.script.PickValueInArray(kStatuses),
                        s.script.ConsumeIntegralInRange<int>(-1, 40));
}

// A few network players around the own ship, in a table at any alignment;
// any of their numbers NaN, infinite or huge.
void PlacePlayers(FuzzSession& s) {
    static constexpr const char* kNames[] = {
        "NET1", "", "A PLAYER NAME THAT IS LONGER THAN THE FORTY-NINE CHARACTERS OF AN IDENTIFIER",
        "\xC4\xD6\xDC", "NET1",
    };
    fuzzsupport::NetPlayerSource& players = s.net_players;
    players.PrepareTable(s.script.ConsumeIntegralInRange<unsigned>(0, fuzzsupport::kTableMisalignments - 1));
    const double own_latitude_deg = fuzzsupport::OwnLatitudeDeg(s.host.variables);
    const double own_longitude_deg = fuzzsupport::OwnLongitudeDeg(s.host.variables);
    const int count = s.script.ConsumeIntegralInRange<int>(0, 6);
    for (int i = 0; i < count; ++i) {
        fuzzsupport::NetPlayerSource::Player player{};
        player.name = s.script.PickValueInArray(kNames);
        const auto near_own = [&](double own_deg) {
            return own_deg + s.script.ConsumeFloatingPointInRange<double>(-0.5, 0.5);
        };
        player.latitude_units = fuzzsupport::HostileDoubleOr(
            s.script, [&] { return fuzzsupport::LatitudeUnits(near_own(own_latitude_deg)); });
        player.longitude_units = fuzzsupport::HostileDoubleOr(
            s.script, [&] { return fuzzsupport::LongitudeUnits(near_own(own_longitude_deg)); });
        player.altitude_m = HostileDouble(s.script, 0.0, 12000.0);
        player.velocity_a = fuzzsupport::HostileFloat(s.script, -300.0f, 300.0f);
        player.velocity_b = fuzzsupport::HostileFloat(s.script, -300.0f, 300.0f);
        player.vertical_speed = fuzzsupport::HostileFloat(s.script, -50.0f, 50.0f);
        player.heading_deg = fuzzsupport::HostileFloat(s.script, 0.0f, 360.0f);
        players.WritePlayer(s.script.ConsumeIntegralInRange<std::size_t>(0, sim::kNetPlayerSlots - 1), player);
    }
}

void Operate(FuzzSession& s, bool& flooded) {
    const int slot = Slot(s.script);
    switch (s.script.ConsumeIntegralInRange<int>(0, 20)) {
        case 0:
            s.driver.Connect(slot);
            break;
        case 1:
            s.driver.Disconnect(slot);
            break;
        case 2:
            fuzzsupport::GaugeDriver::Service(slot, HostileInt(s.script, 0, 20), fuzzsupport::GaugeDriver::Header(slot));
            break;
        case 3:
        case 4:
            s.driver.Place(slot, ImageSide(s.script), ImageSide(s.script),
                           fuzzsupport::FuzzDeviceContext(s.script.ConsumeIntegralInRange<std::uint32_t>(0, 8)),
                           s.script.ConsumeIntegralInRange<int>(0, 7) != 0);
            break;
        case 5:
        case 6:
        case 7:
            s.driver.PreDraw(slot);
            break;
        case 8:
            PreDrawDetached(s, slot);
            break;
        case 9:
        case 10:
            s.host.variables.time_s += HostileTimeStep(s.script);
            break;
        case 11:
            SetModuleVariable(s);
            break;
        case 12:
            SetMode(s);
            break;
        case 13:
            SetRange(s);
            break;
        case 14:
            fuzzsupport::GaugeDriver::Click(slot, HostileInt(s.script, -50, 1250), HostileInt(s.script, -50, 1250),
                                            s.script.ConsumeIntegral<std::uint32_t>());
            break;
        case 15:
            fuzzsupport::GaugeDriver::StandardRoutines(slot, s.script.ConsumeIntegral<std::uint32_t>());
            break;
        case 16:
            FailGdiplus(s);
            break;
        case 17:
            s.host.hostile_lookups = s.script.ConsumeBool();
            s.host.hostile_named_values = s.script.ConsumeBool();
            break;
        case 18:
            s.host.table.entry[s.script.PickValueInArray(kEntries)] = nullptr;
            break;
        case 19:
            PlacePlayers(s);
            break;
        default:
            FloodDeviceContexts(s, slot, flooded);
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzsupport::WarmUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzSession session(data, size, kScriptBytes);
    if (session.script.ConsumeBool()) session.OfferTraffic();
    bool flooded = false;
    for (int op = 0; op < kMaxOperations && session.script.remaining_bytes() > 0; ++op) Operate(session, flooded);
    return 0;
}
