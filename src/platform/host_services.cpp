#include "platform/host_services.h"

// Defined with the module's exports; the host writes its table into it.
extern "C" host::ImportTableFormat ImportTable;

namespace platform {
namespace {

template <typename Fn>
Fn Entry(host::HostPanelsEntry position) {
    return host::HostEntry<Fn>(HostPanels(), position);
}

}  // namespace

const host::HostPanels* HostPanels() {
    if (ImportTable.panels.id != host::kImportTablePanelsId) return nullptr;
    return static_cast<const host::HostPanels*>(ImportTable.panels.pointer);
}

bool InitializeModuleVariable(host::ModuleVariable& variable) {
    auto fn = Entry<host::InitializeModuleVariableFn>(host::kInitializeModuleVariable);
    if (fn == nullptr) return false;
    fn(&variable);
    return true;
}

void LookupModuleVariable(host::ModuleVariable& variable) {
    if (auto fn = Entry<host::LookupModuleVariableFn>(host::kLookupModuleVariable)) fn(&variable);
}

double ReadModuleVariable(TokenVariable& variable) {
    if (!variable.initialized) variable.initialized = InitializeModuleVariable(variable.record);
    LookupModuleVariable(variable.record);
    return variable.record.value;
}

std::int32_t CheckNamedVariable(const char* name) {
    auto fn = Entry<host::NamedVariableLookupFn>(host::kCheckNamedVariable);
    return fn ? fn(name) : host::kNoNamedVariable;
}

std::int32_t RegisterNamedVariable(const char* name) {
    auto fn = Entry<host::NamedVariableLookupFn>(host::kRegisterNamedVariable);
    return fn ? fn(name) : host::kNoNamedVariable;
}

double GetNamedVariableValue(std::int32_t id) {
    auto fn = Entry<host::GetNamedVariableValueFn>(host::kGetNamedVariableValue);
    return fn && id >= 0 ? fn(id) : 0.0;
}

void SetNamedVariableValue(std::int32_t id, double value) {
    auto fn = Entry<host::SetNamedVariableValueFn>(host::kSetNamedVariableValue);
    if (fn && id >= 0) fn(id, value);
}

void* GetRegisteredInterface(const char* name) {
    auto fn = Entry<host::GetRegisteredInterfaceFn>(host::kGetRegisteredInterface);
    return fn ? fn(name) : nullptr;
}

void ElementListQuery(host::Element* element) {
    if (auto fn = Entry<host::ElementListFn>(host::kElementListQuery)) fn(element);
}

void ElementListInstall(host::Element* element, host::ResourceHandle resource) {
    if (auto fn = Entry<host::ElementListInstallFn>(host::kElementListInstall)) fn(element, resource);
}

void ElementListInitialize(host::Element* element) {
    if (auto fn = Entry<host::ElementListFn>(host::kElementListInitialize)) fn(element);
}

void ElementListUpdate(host::Element* element) {
    if (auto fn = Entry<host::ElementListFn>(host::kElementListUpdate)) fn(element);
}

void ElementListGenerate(host::Element* element, std::uint32_t phase) {
    if (auto fn = Entry<host::ElementListGenerateFn>(host::kElementListGenerate)) fn(element, phase);
}

void ElementListPlot(host::Element* element) {
    if (auto fn = Entry<host::ElementListFn>(host::kElementListPlot)) fn(element);
}

void ElementListKill(host::Element* element) {
    if (auto fn = Entry<host::ElementListFn>(host::kElementListKill)) fn(element);
}

}  // namespace platform
