#include "module/gauge_objects.h"

#include <new>

namespace module {
namespace {

// The class of each gauge; null when it cannot be made.
gauge::RadarGauge* NewGaugeObject(GaugeSlot slot, gauge::SharedState& shared) {
    switch (slot) {
        case kRectangularGreen:
            return new (std::nothrow) gauge::RadarGauge(shared);
        case kRectangularAmber:
            return new (std::nothrow) gauge::AmberRadarGauge(shared);
        case kCircularGreen:
            return new (std::nothrow) gauge::CircularRadarGauge(shared);
        case kCircularAmber:
            return new (std::nothrow) gauge::AmberCircularRadarGauge(shared);
        default:
            return nullptr;
    }
}

}  // namespace

gauge::RadarGauge* GaugeObjects::Object(GaugeSlot slot) const {
    return slot < kGaugeCount ? by_slot_[slot].get() : nullptr;
}

void GaugeObjects::Connect(GaugeSlot slot, gauge::SharedState& shared) {
    if (slot >= kGaugeCount) return;
    if (connections_[slot] < UINT32_MAX) ++connections_[slot];
    if (!by_slot_[slot]) by_slot_[slot].reset(NewGaugeObject(slot, shared));
}

void GaugeObjects::Disconnect(GaugeSlot slot, const sim::GaugeHeader* header) {
    if (slot >= kGaugeCount || connections_[slot] == 0) return;
    if (--connections_[slot] > 0) {
        if (by_slot_[slot] && header != nullptr) by_slot_[slot]->ForgetPlacement(*header);
        return;
    }
    by_slot_[slot].reset();
}

void GaugeObjects::Abandon() {
    for (std::unique_ptr<gauge::RadarGauge>& object : by_slot_) static_cast<void>(object.release());
}

void GaugeObjects::ForgetPlacement(GaugeSlot slot, const sim::GaugeHeader* header) {
    if (slot >= kGaugeCount || !by_slot_[slot] || header == nullptr) return;
    by_slot_[slot]->ForgetPlacement(*header);
}

}  // namespace module
