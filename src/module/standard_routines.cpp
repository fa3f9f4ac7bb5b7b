#include "module/standard_routines.h"

#include "module/module_exports.h"
#include "platform/host_services.h"

namespace module {
namespace {

// The first element of the first gauge in Linkage ("Rectangular Green").
sim::Element* FirstElement() {
    const sim::GaugeHeader* first = Linkage.gauges[0];
    if (first == nullptr || first->elements == nullptr) return nullptr;
    return first->elements[0];
}

}  // namespace

void HOST_CALL QueryElements() { platform::ElementListQuery(FirstElement()); }
void HOST_CALL InstallElements(sim::ResourceHandle resource) { platform::ElementListInstall(FirstElement(), resource); }
void HOST_CALL InitializeElements() { platform::ElementListInitialize(FirstElement()); }
void HOST_CALL UpdateElements() { platform::ElementListUpdate(FirstElement()); }
void HOST_CALL GenerateElements(std::uint32_t phase) { platform::ElementListGenerate(FirstElement(), phase); }
void HOST_CALL DrawElements() { platform::ElementListPlot(FirstElement()); }
void HOST_CALL KillElements() { platform::ElementListKill(FirstElement()); }

}  // namespace module
