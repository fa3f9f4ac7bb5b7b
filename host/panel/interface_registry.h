// The host's registry of named interfaces (the module asks it for the
// traffic component's object).
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/host_abi.h"

namespace panelhost {

class InterfaceRegistry {
public:
    // Registers or replaces; a null object removes the name.
    void Register(std::string_view name, sim::RegisteredInterface* object);
    // The object registered under this name, or null.
    sim::RegisteredInterface* Find(std::string_view name) const;

private:
    std::vector<std::pair<std::string, sim::RegisteredInterface*>> entries_;
};

}  // namespace panelhost
