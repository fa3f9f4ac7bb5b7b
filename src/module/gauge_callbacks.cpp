#include "module/gauge_callbacks.h"

#include <new>

namespace module {
namespace {

struct GaugeObjects {
    gauge::RadarGauge* by_slot[kGaugeCount] = {};
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

void Connect(GaugeSlot slot) {
    gauge::RadarGauge*& object = Objects().by_slot[slot];
    if (object == nullptr) object = NewGaugeObject(slot);
}

void Disconnect(GaugeSlot slot) {
    gauge::RadarGauge*& object = Objects().by_slot[slot];
    delete object;
    object = nullptr;
}

}  // namespace

void ServeGauge(GaugeSlot slot, host::GaugeHeader* header, std::int32_t service) {
    if (slot >= kGaugeCount) return;
    // Nothing may escape into the host; a failed creation leaves no object.
    try {
        switch (service) {
            case host::kServicePreDraw:
                if (gauge::RadarGauge* object = Objects().by_slot[slot]) object->Draw(header);
                break;
            case host::kServiceConnect:
                Connect(slot);
                break;
            case host::kServiceDisconnect:
                Disconnect(slot);
                break;
            default:
                break;
        }
    } catch (...) {
    }
}

std::int32_t ClickGauge(GaugeSlot slot, const host::ClickPoint* point) {
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
