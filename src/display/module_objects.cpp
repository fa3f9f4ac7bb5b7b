#include "display/module_objects.h"

namespace display {

void ModuleObjects::Release() {
    generic_family.Forget();
    rectangular_overlay_format.Release();
    circular_overlay_format.Release();
    sector_label_format.Release();
    sector_sweep_matrix.Release();
    plan_label_format.Release();
    plan_sweep_matrix.Release();
}

}  // namespace display
