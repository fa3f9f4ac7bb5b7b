// The traffic refresh fed by a traffic interface whose every answer comes
// from the fuzzer: the binding at a gauge's connection, the rebuild at each
// range change and once per host second, and the displays, overlays,
// selection and named variables that read the rebuilt list.
#include <cstddef>
#include <cstdint>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz_session.h"
#include "hostile_values.h"

namespace {

using fuzzsupport::FuzzSession;

constexpr int kMaxRounds = 12;
// The script's share of the input; the rest answers the traffic interface.
constexpr std::size_t kScriptBytes = 48;
constexpr std::int32_t kImageSide = 200;

void Round(FuzzSession& s, int slot) {
    switch (s.script.ConsumeIntegralInRange<int>(0, 5)) {
        case 0: {
            static constexpr double kRanges[] = {5.0, 10.0, 20.0, 40.0, 80.0, 160.0};
            s.host.SetRange(s.script.ConsumeBool() ? s.script.PickValueInArray(kRanges)
                                                  : fuzzsupport::HostileDouble(s.script, 5.0, 500.0));
            break;
        }
        case 1:
            s.host.SetMode(s.script.ConsumeIntegralInRange<int>(2, 4));
            break;
        case 2:
            fuzzsupport::GaugeDriver::Click(slot, s.script.ConsumeIntegralInRange<std::int32_t>(0, kImageSide),
                                            s.script.ConsumeIntegralInRange<std::int32_t>(0, kImageSide), 0);
            break;
        case 3:
            s.host.variables.time_s += 0.5;  // inside the second: no rebuild
            break;
        default:
            s.host.variables.time_s += 1.5;  // a rebuild with this frame
            break;
    }
    s.driver.PreDraw(slot);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzsupport::WarmUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzSession session(data, size, kScriptBytes);
    FuzzedDataProvider& script = session.script;
    fuzzsupport::HostVariables& own = session.host.variables;
    own.latitude_units = fuzzsupport::LatitudeUnits(script.ConsumeFloatingPointInRange<double>(-85.0, 85.0));
    own.longitude_units = fuzzsupport::LongitudeUnits(script.ConsumeFloatingPointInRange<double>(-180.0, 180.0));
    own.heading_deg = script.ConsumeFloatingPointInRange<double>(0.0, 360.0);
    session.OfferTraffic();
    // Sometimes the registered object has no traffic interface to give.
    if (script.ConsumeIntegralInRange<int>(0, 15) == 0) session.registered.traffic = nullptr;

    const int slot = script.ConsumeIntegralInRange<int>(0, fuzzsupport::kGauges - 1);
    session.driver.Place(slot, kImageSide, kImageSide, fuzzsupport::FuzzDeviceContext(1));
    session.driver.Connect(slot);  // binds the interface and runs the first rebuild
    for (int round = 0; round < kMaxRounds && script.remaining_bytes() > 0; ++round) Round(session, slot);
    return 0;
}
