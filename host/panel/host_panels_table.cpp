#include "panel/host_panels_table.h"

namespace panelhost {
namespace {

PanelServices* g_active_services = nullptr;

void RecordElementListCall(host::HostPanelsEntry entry, host::Element* element, std::uintptr_t argument) {
    if (g_active_services) g_active_services->ElementListService(ElementListCall{entry, element, argument});
}

void HOST_CALL ElementListQuery(host::Element* element) {
    RecordElementListCall(host::kElementListQuery, element, 0);
}
void HOST_CALL ElementListInstall(host::Element* element, host::ResourceHandle resource) {
    RecordElementListCall(host::kElementListInstall, element, reinterpret_cast<std::uintptr_t>(resource));
}
void HOST_CALL ElementListInitialize(host::Element* element) {
    RecordElementListCall(host::kElementListInitialize, element, 0);
}
void HOST_CALL ElementListUpdate(host::Element* element) {
    RecordElementListCall(host::kElementListUpdate, element, 0);
}
void HOST_CALL ElementListGenerate(host::Element* element, std::uint32_t phase) {
    RecordElementListCall(host::kElementListGenerate, element, phase);
}
void HOST_CALL ElementListPlot(host::Element* element) {
    RecordElementListCall(host::kElementListPlot, element, 0);
}
void HOST_CALL ElementListKill(host::Element* element) {
    RecordElementListCall(host::kElementListKill, element, 0);
}

void HOST_CALL InitializeModuleVariable(host::ModuleVariable* variable) {
    if (g_active_services && variable) g_active_services->InitializeModuleVariable(*variable);
}
void HOST_CALL LookupModuleVariable(host::ModuleVariable* variable) {
    if (g_active_services && variable) g_active_services->LookupModuleVariable(*variable);
}
std::int32_t HOST_CALL CheckNamedVariable(const char* name) {
    return g_active_services ? g_active_services->CheckNamedVariable(name) : host::kNoNamedVariable;
}
std::int32_t HOST_CALL RegisterNamedVariable(const char* name) {
    return g_active_services ? g_active_services->RegisterNamedVariable(name) : host::kNoNamedVariable;
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
void Put(host::HostPanels& table, host::HostPanelsEntry entry, Fn fn) {
    table.entry[entry] = reinterpret_cast<void*>(fn);
}

host::HostPanels MakeTable() {
    host::HostPanels table{};
    Put<host::ElementListFn>(table, host::kElementListQuery, ElementListQuery);
    Put<host::ElementListInstallFn>(table, host::kElementListInstall, ElementListInstall);
    Put<host::ElementListFn>(table, host::kElementListInitialize, ElementListInitialize);
    Put<host::ElementListFn>(table, host::kElementListUpdate, ElementListUpdate);
    Put<host::ElementListGenerateFn>(table, host::kElementListGenerate, ElementListGenerate);
    Put<host::ElementListFn>(table, host::kElementListPlot, ElementListPlot);
    Put<host::ElementListFn>(table, host::kElementListKill, ElementListKill);
    Put<host::InitializeModuleVariableFn>(table, host::kInitializeModuleVariable, InitializeModuleVariable);
    Put<host::LookupModuleVariableFn>(table, host::kLookupModuleVariable, LookupModuleVariable);
    Put<host::NamedVariableLookupFn>(table, host::kCheckNamedVariable, CheckNamedVariable);
    Put<host::NamedVariableLookupFn>(table, host::kRegisterNamedVariable, RegisterNamedVariable);
    Put<host::GetNamedVariableValueFn>(table, host::kGetNamedVariableValue, GetNamedVariableValue);
    Put<host::SetNamedVariableValueFn>(table, host::kSetNamedVariableValue, SetNamedVariableValue);
    Put<host::GetRegisteredInterfaceFn>(table, host::kGetRegisteredInterface, GetRegisteredInterface);
    return table;
}

}  // namespace

const host::HostPanels& HostPanelsTable() {
    static const host::HostPanels table = MakeTable();
    return table;
}

void SetActivePanelServices(PanelServices* services) { g_active_services = services; }

PanelServices* ActivePanelServices() { return g_active_services; }

}  // namespace panelhost
