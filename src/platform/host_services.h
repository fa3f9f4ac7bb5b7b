// The host's panel services as the system calls them. Each call goes
// through the table the host wrote into ImportTable; while there is no
// table, or an entry is empty, a call does nothing and returns 0.
#pragma once

#include <cstdint>

#include "platform/host_abi.h"

namespace platform {

const sim::HostPanels* HostPanels();

// False when the host offers no initialisation.
bool InitializeModuleVariable(sim::ModuleVariable& variable);
void LookupModuleVariable(sim::ModuleVariable& variable);
// kNoNamedVariable for a name the host does not know, and while there is
// no entry to ask.
std::int32_t CheckNamedVariable(const char* name);
std::int32_t RegisterNamedVariable(const char* name);
// An id the host cannot have issued (kNoNamedVariable and every other
// negative one) is never passed on: the value is 0, the write is dropped.
double GetNamedVariableValue(std::int32_t id);
void SetNamedVariableValue(std::int32_t id, double value);
void* GetRegisteredInterface(const char* name);

void ElementListQuery(sim::Element* element);
void ElementListInstall(sim::Element* element, sim::ResourceHandle resource);
void ElementListInitialize(sim::Element* element);
void ElementListUpdate(sim::Element* element);
void ElementListGenerate(sim::Element* element, std::uint32_t phase);
void ElementListPlot(sim::Element* element);
void ElementListKill(sim::Element* element);

// A module variable record of one use site, with its token, and whether the
// host has initialised it. It stays where it is made: the host knows the
// record by its address.
struct TokenVariable {
    sim::ModuleVariable record;
    bool initialized;
};

inline TokenVariable MakeModuleVariable(std::uint32_t token) {
    return TokenVariable{sim::ModuleVariable{token, nullptr, 0, 0.0, 0.0}, false};
}

// Has the host initialise the record before its first look-up, then looks it
// up and returns its value. Inline: the displays read the own ship for every
// target.
inline double ReadModuleVariable(TokenVariable& variable) {
    if (!variable.initialized) variable.initialized = InitializeModuleVariable(variable.record);
    LookupModuleVariable(variable.record);
    return variable.record.value;
}

}  // namespace platform
