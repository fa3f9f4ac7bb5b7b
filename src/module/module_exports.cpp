#include "module/module_exports.h"

#include "module/gauge_table.h"

namespace module {
namespace {

// Module initialisation and de-initialisation: nothing to do at load or
// unload; the gauge objects come with their panels.
void HOST_CALL DoNothing() {}

}  // namespace
}  // namespace module

namespace module {
namespace {

// No panel-services table yet: the host writes its own into it.
constexpr sim::ImportTableFormat kImportTableAtLoad = {
    {sim::kImportTablePanelsId, nullptr},
    {0, nullptr},
};

}  // namespace

sim::ImportTableFormat ImportTableAtLoad() { return kImportTableAtLoad; }

}  // namespace module

// Both are written by the host, so they are plain writable data.
extern "C" {

RADAR_EXPORT sim::ImportTableFormat ImportTable = module::kImportTableAtLoad;

RADAR_EXPORT sim::LinkageFormat Linkage = {
    sim::kLinkageModuleId,
    &module::DoNothing,
    &module::DoNothing,
    0,
    0,
    sim::kLinkageModuleVersion,
    {
        &module::GaugeHeaderOf(module::kRectangularGreen),
        &module::GaugeHeaderOf(module::kRectangularAmber),
        &module::GaugeHeaderOf(module::kCircularGreen),
        &module::GaugeHeaderOf(module::kCircularAmber),
        nullptr,
    },
};

}  // extern "C"
