// The HostPanels function table the host writes into the module's
// ImportTable. Its entries take no context, so they forward to one active
// set of services for the process; entries the host does not serve are null.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/host_abi.h"

namespace panelhost {

// One call of an element-list service (entries 24 to 31), as recorded.
struct ElementListCall {
    sim::HostPanelsEntry entry;
    sim::Element* element;
    std::uintptr_t argument;  // the resource handle (25) or phase (28); else 0
};

class PanelServices {
public:
    virtual void ElementListService(const ElementListCall& call) = 0;
    virtual void InitializeModuleVariable(sim::ModuleVariable& variable) = 0;
    virtual void LookupModuleVariable(sim::ModuleVariable& variable) = 0;
    virtual std::int32_t CheckNamedVariable(const char* name) = 0;
    virtual std::int32_t RegisterNamedVariable(const char* name) = 0;
    virtual double GetNamedVariableValue(std::int32_t id) = 0;
    virtual void SetNamedVariableValue(std::int32_t id, double value) = 0;
    virtual void* GetRegisteredInterface(const char* name) = 0;

protected:
    ~PanelServices() = default;
};

// The process's table. Its entries do nothing (and return 0, or
// kNoNamedVariable for a named-variable id) while no services are active.
const sim::HostPanels& HostPanelsTable();

// Makes `services` the active ones (null: none).
void SetActivePanelServices(PanelServices* services);
PanelServices* ActivePanelServices();

}  // namespace panelhost
