// The one gauge object per gauge name, shared by all its placements: it
// lives from the first connection to the disconnection of the last
// placement.
#pragma once

#include <cstdint>
#include <memory>

#include "gauge/radar_gauge.h"
#include "gauge/shared_state.h"
#include "module/gauge_table.h"
#include "platform/host_abi.h"

namespace module {

class GaugeObjects {
public:
    // The gauge's object, or null.
    gauge::RadarGauge* Object(GaugeSlot slot) const;

    // Counts the placement and creates the object of the gauge's class when
    // there is none; a failed creation leaves none, and the next connection
    // tries again.
    void Connect(GaugeSlot slot, gauge::SharedState& shared);

    // A disconnection that no connection stands for does nothing. One of
    // several placements takes only its own surface with it; the last one
    // destroys the object.
    void Disconnect(GaugeSlot slot, const sim::GaugeHeader* header);

    // The host is about to release the device context of the placement the
    // header's drawing element holds: the Graphics made on it goes now, and
    // the placement's next drawn frame makes a new one.
    void ForgetPlacement(GaugeSlot slot, const sim::GaugeHeader* header);

    // Lets go of every gauge object without destroying it: for a module
    // unloaded with gauges still connected, where nothing may call GDI+.
    void Abandon();

private:
    std::unique_ptr<gauge::RadarGauge> by_slot_[kGaugeCount];
    std::uint32_t connections_[kGaugeCount] = {};
};

}  // namespace module
