// The gauge callbacks and click routines: they create, drive and destroy
// the module's gauge objects (module/gauge_objects.h).
#pragma once

#include <cstdint>

#include "gauge/radar_gauge.h"
#include "module/gauge_table.h"
#include "platform/float_environment.h"
#include "platform/host_abi.h"

namespace module {

// Pre-draw draws the gauge's object, connection creates it when there is
// none, the disconnection of its last placement destroys it. Pre-generate
// and pre-kill, sent before the host releases a placement's device context,
// delete the Graphics made on it. Other services do nothing.
void ServeGauge(GaugeSlot slot, sim::GaugeHeader* header, std::int32_t service);

// Passes the point to the gauge's object when there is one; always handled (1).
std::int32_t ClickGauge(GaugeSlot slot, const sim::ClickPoint* point);

// The gauge's object, or null.
gauge::RadarGauge* GaugeObject(GaugeSlot slot);

// The routines the host calls. Both compute in the module's own
// floating-point state and give the host back its own on the way out.
template <GaugeSlot slot>
void HOST_CALL GaugeCallbackOf(sim::GaugeHeader* header, std::int32_t service, std::uintptr_t /*extra*/) {
    const platform::ModuleFloatEnvironment float_environment;
    ServeGauge(slot, header, service);
}

template <GaugeSlot slot>
std::int32_t HOST_CALL ClickRoutineOf(sim::ClickPoint* point, std::uint32_t /*mouse_flags*/) {
    const platform::ModuleFloatEnvironment float_environment;
    return ClickGauge(slot, point);
}

}  // namespace module
