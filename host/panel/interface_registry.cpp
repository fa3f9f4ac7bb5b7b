#include "panel/interface_registry.h"

namespace panelhost {

void InterfaceRegistry::Register(std::string_view name, sim::RegisteredInterface* object) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->first != name) continue;
        if (object) {
            it->second = object;
        } else {
            entries_.erase(it);
        }
        return;
    }
    if (object) entries_.emplace_back(std::string(name), object);
}

sim::RegisteredInterface* InterfaceRegistry::Find(std::string_view name) const {
    for (const auto& entry : entries_) {
        if (entry.first == name) return entry.second;
    }
    return nullptr;
}

}  // namespace panelhost
