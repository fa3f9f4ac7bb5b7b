#include "panel/host_panels_table.h"

namespace panelhost {
namespace {

PanelServices* g_active_services = nullptr;

void RecordElementListCall(sim::HostPanelsEntry entry, sim::Element* element, std::uintptr_t argument) {
    if (g_active_services) g_active_services->ElementListService(ElementListCall{entry, element, argument});
}

void HOST_CALL ElementListQuery(sim::Element* element) {
    RecordElementListCall(sim::kElementListQuery, element, 0);
}
void HOST_CALL ElementListInstall(sim::Element* element, sim::ResourceHandle resource) {
    RecordElementListCall(sim::kElementListInstall, element, reinterpret_cast<std::uintptr_t>(resource));
}
void HOST_CALL ElementListInitialize(sim::Element* element) {
    RecordElementListCall(sim::kElementListInitialize, element, 0);
}
void HOST_CALL ElementListUpdate(sim::Element* element) {
    RecordElementListCall(sim::kElementListUpdate, element, 0);
}
void HOST_CALL ElementListGenerate(sim::Element* element, std::uint32_t phase) {
    RecordElementListCall(sim::kElementListGenerate, element, phase);
}
void HOST_CALL ElementListPlot(sim::Element* element) {
    RecordElementListCall(sim::kElementListPlot, element, 0);
}
void HOST_CALL ElementListKill(sim::Element* element) {
    RecordElementListCall(sim::kElementListKill, element, 0);
}

void HOST_CALL InitializeModuleVariable(sim::ModuleVariable* variable) {
    if (g_active_services && variable) g_active_services->InitializeModuleVariable(*variable);
}
void HOST_CALL LookupModuleVariable(sim::ModuleVariable* variable) {
    if (g_active_services && variable) g_active_services->LookupModuleVariable(*variable);
}
std::int32_t HOST_CALL CheckNamedVariable(const char* name) {
    return g_active_services ? g_active_services->CheckNamedVariable(name) : sim::kNoNamedVariable;
}
std::int32_t HOST_CALL RegisterNamedVariable(const char* name) {
    return g_active_services ? g_active_services->RegisterNamedVariable(name) : sim::kNoNamedVariable;
}
double HOST_CALL GetNamedVariableValue(std::int32_t id) {
    return g_active_services ? g_active_services->GetNamedVariableValue(id) : 0.0;
}
void HOST_CALL SetNamedVariableValue(std::int32_t id, double value) {
    if (g_active_services) g_active_services->SetNamedVariableValue(id, value);
}
void* HOST_CALL GetRegisteredInterface(const char* name) {
    return g_active_services ? g_active_services->GetRegisteredInterface(name) : nullptr;
}

template <typename Fn>
void Put(sim::HostPanels& table, sim::HostPanelsEntry entry, Fn fn) {
    table.entry[entry] = reinterpret_cast<void*>(fn);
}

sim::HostPanels MakeTable() {
    sim::HostPanels table{};
    Put<sim::ElementListFn>(table, sim::kElementListQuery, ElementListQuery);
    Put<sim::ElementListInstallFn>(table, sim::kElementListInstall, ElementListInstall);
    Put<sim::ElementListFn>(table, sim::kElementListInitialize, ElementListInitialize);
    Put<sim::ElementListFn>(table, sim::kElementListUpdate, ElementListUpdate);
    Put<sim::ElementListGenerateFn>(table, sim::kElementListGenerate, ElementListGenerate);
    Put<sim::ElementListFn>(table, sim::kElementListPlot, ElementListPlot);
    Put<sim::ElementListFn>(table, sim::kElementListKill, ElementListKill);
    Put<sim::InitializeModuleVariableFn>(table, sim::kInitializeModuleVariable, InitializeModuleVariable);
    Put<sim::LookupModuleVariableFn>(table, sim::kLookupModuleVariable, LookupModuleVariable);
    Put<sim::NamedVariableLookupFn>(table, sim::kCheckNamedVariable, CheckNamedVariable);
    Put<sim::NamedVariableLookupFn>(table, sim::kRegisterNamedVariable, RegisterNamedVariable);
    Put<sim::GetNamedVariableValueFn>(table, sim::kGetNamedVariableValue, GetNamedVariableValue);
    Put<sim::SetNamedVariableValueFn>(table, sim::kSetNamedVariableValue, SetNamedVariableValue);
    Put<sim::GetRegisteredInterfaceFn>(table, sim::kGetRegisteredInterface, GetRegisteredInterface);
    return table;
}

}  // namespace

const sim::HostPanels& HostPanelsTable() {
    static const sim::HostPanels table = MakeTable();
    return table;
}

void SetActivePanelServices(PanelServices* services) { g_active_services = services; }

PanelServices* ActivePanelServices() { return g_active_services; }

}  // namespace panelhost
