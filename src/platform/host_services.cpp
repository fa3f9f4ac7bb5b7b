#include "platform/host_services.h"

// Defined with the module's exports; the host writes its table into it.
extern "C" sim::ImportTableFormat ImportTable;

namespace platform {
namespace {

template <typename Fn>
Fn Entry(sim::HostPanelsEntry position) {
    return sim::HostEntry<Fn>(HostPanels(), position);
}

}  // namespace

const sim::HostPanels* HostPanels() {
    if (ImportTable.panels.id != sim::kImportTablePanelsId) return nullptr;
    return static_cast<const sim::HostPanels*>(ImportTable.panels.pointer);
}

bool InitializeModuleVariable(sim::ModuleVariable& variable) {
    auto fn = Entry<sim::InitializeModuleVariableFn>(sim::kInitializeModuleVariable);
    if (fn == nullptr) return false;
    fn(&variable);
    return true;
}

void LookupModuleVariable(sim::ModuleVariable& variable) {
    if (auto fn = Entry<sim::LookupModuleVariableFn>(sim::kLookupModuleVariable)) fn(&variable);
}

std::int32_t CheckNamedVariable(const char* name) {
    auto fn = Entry<sim::NamedVariableLookupFn>(sim::kCheckNamedVariable);
    return fn ? fn(name) : sim::kNoNamedVariable;
}

std::int32_t RegisterNamedVariable(const char* name) {
    auto fn = Entry<sim::NamedVariableLookupFn>(sim::kRegisterNamedVariable);
    return fn ? fn(name) : sim::kNoNamedVariable;
}

double GetNamedVariableValue(std::int32_t id) {
    auto fn = Entry<sim::GetNamedVariableValueFn>(sim::kGetNamedVariableValue);
    return fn && id >= 0 ? fn(id) : 0.0;
}

void SetNamedVariableValue(std::int32_t id, double value) {
    auto fn = Entry<sim::SetNamedVariableValueFn>(sim::kSetNamedVariableValue);
    if (fn && id >= 0) fn(id, value);
}

void* GetRegisteredInterface(const char* name) {
    auto fn = Entry<sim::GetRegisteredInterfaceFn>(sim::kGetRegisteredInterface);
    return fn ? fn(name) : nullptr;
}

void ElementListQuery(sim::Element* element) {
    if (auto fn = Entry<sim::ElementListFn>(sim::kElementListQuery)) fn(element);
}

void ElementListInstall(sim::Element* element, sim::ResourceHandle resource) {
    if (auto fn = Entry<sim::ElementListInstallFn>(sim::kElementListInstall)) fn(element, resource);
}

void ElementListInitialize(sim::Element* element) {
    if (auto fn = Entry<sim::ElementListFn>(sim::kElementListInitialize)) fn(element);
}

void ElementListUpdate(sim::Element* element) {
    if (auto fn = Entry<sim::ElementListFn>(sim::kElementListUpdate)) fn(element);
}

void ElementListGenerate(sim::Element* element, std::uint32_t phase) {
    if (auto fn = Entry<sim::ElementListGenerateFn>(sim::kElementListGenerate)) fn(element, phase);
}

void ElementListPlot(sim::Element* element) {
    if (auto fn = Entry<sim::ElementListFn>(sim::kElementListPlot)) fn(element);
}

void ElementListKill(sim::Element* element) {
    if (auto fn = Entry<sim::ElementListFn>(sim::kElementListKill)) fn(element);
}

}  // namespace platform
