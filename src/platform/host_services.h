// The host's panel services as the system calls them. Each call goes
// through the table the host wrote into ImportTable; while there is no
// table, or an entry is empty, a call does nothing and returns 0.
#pragma once

#include <cstdint>

#include "platform/host_abi.h"

namespace platform {

const host::HostPanels* HostPanels();

// False when the host offers no initialisation.
bool InitializeModuleVariable(host::ModuleVariable& variable);
void LookupModuleVariable(host::ModuleVariable& variable);
// kNoNamedVariable for a name the host does not know, and while there is
// no entry to ask.
std::int32_t CheckNamedVariable(const char* name);
std::int32_t RegisterNamedVariable(const char* name);
// An id the host cannot have issued (kNoNamedVariable and every other
// negative one) is never passed on: the value is 0, the write is dropped.
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

// A module variable record of one use site, with its token, and whether the
// host has initialised it. It stays where it is made: the host knows the
// record by its address.
struct TokenVariable {
    host::ModuleVariable record;
    bool initialized;
};

inline TokenVariable MakeModuleVariable(std::uint32_t token) {
    return TokenVariable{host::ModuleVariable{token, nullptr, 0, 0.0, 0.0}, false};
}

// Has the host initialise the record before its first look-up, then looks it
// up and returns its value.
double ReadModuleVariable(TokenVariable& variable);

}  // namespace platform
