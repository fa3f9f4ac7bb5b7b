// The host's panel services as the system calls them. Each call goes
// through the table the host wrote into ImportTable; while there is no
// table, or an entry is empty, a call does nothing and returns 0.
#pragma once

#include <cstdint>

#include "platform/host_abi.h"

namespace platform {

const host::HostPanels* HostPanels();

void LookupModuleVariable(host::ModuleVariable& variable);
std::int32_t CheckNamedVariable(const char* name);
std::int32_t RegisterNamedVariable(const char* name);
double GetNamedVariableValue(std::int32_t id);
void SetNamedVariableValue(std::int32_t id, double value);
void* GetRegisteredInterface(const char* name);

void ElementListQuery(host::Element* element);
void ElementListInstall(host::Element* element, host::ResourceHandle resource);
void ElementListInitialize(host::Element* element);
void ElementListUpdate(host::Element* element);
void ElementListGenerate(host::Element* element, std::uint32_t phase);
void ElementListPlot(host::Element* element);
void ElementListKill(host::Element* element);

// A module variable record of one use site, with its token.
inline host::ModuleVariable MakeModuleVariable(std::uint32_t token) {
    return host::ModuleVariable{token, nullptr, 0, 0.0, 0.0};
}

// Looks the record up and returns its value.
inline double ReadModuleVariable(host::ModuleVariable& variable) {
    LookupModuleVariable(variable);
    return variable.value;
}

}  // namespace platform
