#include "module/gauge_callbacks.h"

#include <cstdint>
#include <new>

namespace module {
namespace {

// One object per gauge name, shared by all its placements: it lives from the
// first connection to the disconnection of the last placement.
struct GaugeObjects {
    gauge::RadarGauge* by_slot[kGaugeCount] = {};
    std::uint32_t connections[kGaugeCount] = {};
};

GaugeObjects& Objects() {
    static GaugeObjects objects;
    return objects;
}

// The class of each gauge; null when it cannot be made.
gauge::RadarGauge* NewGaugeObject(GaugeSlot slot) {
    switch (slot) {
        case kRectangularGreen:
            return new (std::nothrow) gauge::RadarGauge();
        case kRectangularAmber:
            return new (std::nothrow) gauge::AmberRadarGauge();
        case kCircularGreen:
            return new (std::nothrow) gauge::CircularRadarGauge();
        case kCircularAmber:
            return new (std::nothrow) gauge::AmberCircularRadarGauge();
        default:
            return nullptr;
    }
}

// A failed creation leaves no object; the next connection tries again.
void Connect(GaugeSlot slot) {
    GaugeObjects& objects = Objects();
    if (objects.connections[slot] < UINT32_MAX) ++objects.connections[slot];
    gauge::RadarGauge*& object = objects.by_slot[slot];
    if (object == nullptr) object = NewGaugeObject(slot);
}

// A disconnection that no connection stands for does nothing. One of
// several places takes only its own surface with it.
void Disconnect(GaugeSlot slot, const sim::GaugeHeader* header) {
    GaugeObjects& objects = Objects();
    if (objects.connections[slot] == 0) return;
    gauge::RadarGauge*& object = objects.by_slot[slot];
    if (--objects.connections[slot] > 0) {
        if (object != nullptr && header != nullptr) object->ForgetPlacement(*header);
        return;
    }
    delete object;
    object = nullptr;
}

}  // namespace

void ServeGauge(GaugeSlot slot, sim::GaugeHeader* header, std::int32_t service) {
    if (slot >= kGaugeCount) return;
    // Nothing may escape into the host; a failed creation leaves no object.
    try {
        switch (service) {
            case sim::kServicePreDraw:
                if (gauge::RadarGauge* object = Objects().by_slot[slot]) object->Draw(header);
                break;
            case sim::kServiceConnect:
                Connect(slot);
                break;
            case sim::kServiceDisconnect:
                Disconnect(slot, header);
                break;
            default:
                break;
        }
    } catch (...) {
    }
}

std::int32_t ClickGauge(GaugeSlot slot, const sim::ClickPoint* point) {
    if (slot >= kGaugeCount || point == nullptr) return 1;
    try {
        if (gauge::RadarGauge* object = Objects().by_slot[slot]) object->OnMouseClick(*point);
    } catch (...) {
    }
    return 1;
}

gauge::RadarGauge* GaugeObject(GaugeSlot slot) { return slot < kGaugeCount ? Objects().by_slot[slot] : nullptr; }

void ResetGaugeObjects() {
    GaugeObjects& objects = Objects();
    for (gauge::RadarGauge*& object : objects.by_slot) {
        delete object;
        object = nullptr;
    }
    objects = GaugeObjects{};
}

}  // namespace module
