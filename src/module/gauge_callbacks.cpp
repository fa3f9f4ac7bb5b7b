#include "module/gauge_callbacks.h"

#include "module/module_state.h"

namespace module {

void ServeGauge(GaugeSlot slot, sim::GaugeHeader* header, std::int32_t service) {
    if (slot >= kGaugeCount) return;
    // Nothing may escape into the host; a failed creation leaves no object.
    try {
        ModuleState& module = TheModule();
        switch (service) {
            case sim::kServicePreDraw:
                if (gauge::RadarGauge* object = module.gauges.Object(slot)) object->Draw(header);
                break;
            case sim::kServicePreGenerate:
            case sim::kServicePreKill:
                // The host is about to release the placement's device context.
                module.gauges.ForgetPlacement(slot, header);
                break;
            case sim::kServiceConnect:
                module.gauges.Connect(slot, module.shared);
                break;
            case sim::kServiceDisconnect:
                module.gauges.Disconnect(slot, header);
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
        if (gauge::RadarGauge* object = TheModule().gauges.Object(slot)) object->OnMouseClick(*point);
    } catch (...) {
    }
    return 1;
}

gauge::RadarGauge* GaugeObject(GaugeSlot slot) { return TheModule().gauges.Object(slot); }

}  // namespace module
