#include "module/module_state.h"

#include "module/gauge_table.h"
#include "module/module_exports.h"

namespace module {
namespace {

ModuleState* the_module = nullptr;

}  // namespace

ModuleState& TheModule() {
    if (the_module == nullptr) the_module = new ModuleState();
    return *the_module;
}

void RenewModule() {
    delete the_module;
    the_module = nullptr;
    gauge_table = GaugeTableAtLoad();
    ImportTable = ImportTableAtLoad();
}

}  // namespace module
