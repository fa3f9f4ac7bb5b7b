#include "fake_host.h"

#include <strings.h>

#include "module/module_exports.h"

namespace fakehost {
namespace {

FakeHost* g_current = nullptr;

}  // namespace

// The table's entries: plain host routines that reach the installed FakeHost.
struct Entries {
    static void HOST_CALL Query(sim::Element* e) { Record(sim::kElementListQuery, e, nullptr, 0); }
    static void HOST_CALL Install(sim::Element* e, sim::ResourceHandle r) {
        Record(sim::kElementListInstall, e, r, 0);
    }
    static void HOST_CALL Initialize(sim::Element* e) { Record(sim::kElementListInitialize, e, nullptr, 0); }
    static void HOST_CALL Update(sim::Element* e) { Record(sim::kElementListUpdate, e, nullptr, 0); }
    static void HOST_CALL Generate(sim::Element* e, std::uint32_t phase) {
        Record(sim::kElementListGenerate, e, nullptr, phase);
    }
    static void HOST_CALL Plot(sim::Element* e) { Record(sim::kElementListPlot, e, nullptr, 0); }
    static void HOST_CALL Kill(sim::Element* e) { Record(sim::kElementListKill, e, nullptr, 0); }

    static void HOST_CALL InitializeModuleVariable(sim::ModuleVariable* variable) {
        if (!g_current || !variable) return;
        ++g_current->initialize_count_;
        g_current->initialized_.insert(variable);
    }

    static void HOST_CALL LookupModuleVariable(sim::ModuleVariable* variable) {
        if (!g_current || !variable) return;
        if (g_current->initialized_.count(variable) == 0) ++g_current->uninitialized_lookup_count_;
        ++g_current->lookup_counts_[variable->token];
        auto it = g_current->module_variables_.find(variable->token);
        variable->value = it == g_current->module_variables_.end() ? 0.0 : it->second;
    }

    static std::int32_t HOST_CALL CheckNamedVariable(const char* name) {
        return g_current && name ? g_current->NamedVariableId(name) : sim::kNoNamedVariable;
    }

    static std::int32_t HOST_CALL RegisterNamedVariable(const char* name) {
        if (!g_current || !name) return sim::kNoNamedVariable;
        if (g_current->HasNamedVariable(name)) return g_current->NamedVariableId(name);
        return g_current->CreateNamedVariable(name);
    }

    static double HOST_CALL GetNamedVariableValue(std::int32_t id) {
        if (!g_current) return 0.0;
        const NamedVariable* variable = g_current->FindById(id);
        return variable ? variable->value : 0.0;
    }

    static void HOST_CALL SetNamedVariableValue(std::int32_t id, double value) {
        if (!g_current) return;
        ++g_current->set_value_count_;
        if (NamedVariable* variable = g_current->FindById(id)) variable->value = value;
    }

    static void* HOST_CALL GetRegisteredInterface(const char* name) {
        if (!g_current) return nullptr;
        g_current->interface_requests_.push_back(name ? name : "");
        return g_current->registered_interface ? g_current->registered_interface(name) : nullptr;
    }

    static void Record(sim::HostPanelsEntry entry, sim::Element* element, sim::ResourceHandle resource,
                       std::uint32_t phase) {
        if (g_current) g_current->element_list_calls_.push_back({entry, element, resource, phase});
    }

    template <typename Fn>
    static void Set(sim::HostPanels& table, sim::HostPanelsEntry position, Fn fn) {
        table.entry[position] = reinterpret_cast<void*>(fn);
    }

    static void Fill(sim::HostPanels& table) {
        Set(table, sim::kElementListQuery, &Query);
        Set(table, sim::kElementListInstall, &Install);
        Set(table, sim::kElementListInitialize, &Initialize);
        Set(table, sim::kElementListUpdate, &Update);
        Set(table, sim::kElementListGenerate, &Generate);
        Set(table, sim::kElementListPlot, &Plot);
        Set(table, sim::kElementListKill, &Kill);
        Set(table, sim::kInitializeModuleVariable, &InitializeModuleVariable);
        Set(table, sim::kLookupModuleVariable, &LookupModuleVariable);
        Set(table, sim::kCheckNamedVariable, &CheckNamedVariable);
        Set(table, sim::kRegisterNamedVariable, &RegisterNamedVariable);
        Set(table, sim::kGetNamedVariableValue, &GetNamedVariableValue);
        Set(table, sim::kSetNamedVariableValue, &SetNamedVariableValue);
        Set(table, sim::kGetRegisteredInterface, &GetRegisteredInterface);
    }
};

Placement::Placement(sim::DeviceContext device_context, std::int32_t width, std::int32_t height) {
    image.width = width;
    image.height = height;
    drawing.image_flags = sim::kImageFlagsDrawing;
    drawing.image = &image;
    drawing.device_context = device_context;
    drawing.owner = &header;
    background_next[0] = &drawing;
    background.image_flags = sim::kImageFlagsBackground;
    background.next = background_next;
    background.owner = &header;
    elements[0] = &background;
    header.elements = elements;
}

bool PlaceOn(sim::GaugeHeader& header, sim::ImageRecord* image, sim::DeviceContext device_context) {
    if (!header.elements || !header.elements[0] || !header.elements[0]->next || !header.elements[0]->next[0])
        return false;
    sim::Element* drawing = header.elements[0]->next[0];
    drawing->image = image;
    drawing->device_context = device_context;
    return true;
}

FakeHost::FakeHost() {
    Entries::Fill(table_);
    previous_panels_id_ = ImportTable.panels.id;
    previous_panels_ = ImportTable.panels.pointer;
    ImportTable.panels.id = sim::kImportTablePanelsId;
    ImportTable.panels.pointer = &table_;
    g_current = this;
}

FakeHost::~FakeHost() {
    ImportTable.panels.id = previous_panels_id_;
    ImportTable.panels.pointer = previous_panels_;
    if (g_current == this) g_current = nullptr;
}

FakeHost* FakeHost::Current() { return g_current; }

int FakeHost::LookupCount(std::uint32_t token) const {
    auto it = lookup_counts_.find(token);
    return it == lookup_counts_.end() ? 0 : it->second;
}

std::int32_t FakeHost::CreateNamedVariable(const std::string& name, double value) {
    auto it = named_.find(name);
    if (it != named_.end()) {
        it->second.value = value;
        return it->second.id;
    }
    const std::int32_t id = next_named_id_++;
    named_[name] = NamedVariable{id, value};
    named_order_.push_back(name);
    return id;
}

std::int32_t FakeHost::NamedVariableId(const std::string& name) const {
    auto it = named_.find(name);
    return it == named_.end() ? sim::kNoNamedVariable : it->second.id;
}

bool FakeHost::NoCase::operator()(const std::string& a, const std::string& b) const {
    return strcasecmp(a.c_str(), b.c_str()) < 0;
}

NamedVariable* FakeHost::FindById(std::int32_t id) {
    for (auto& entry : named_)
        if (entry.second.id == id) return &entry.second;
    ++unissued_id_count_;
    return nullptr;
}

double FakeHost::NamedVariableValue(const std::string& name) const {
    auto it = named_.find(name);
    return it == named_.end() ? 0.0 : it->second.value;
}

void FakeHost::SetNamedVariableValue(const std::string& name, double value) {
    auto it = named_.find(name);
    if (it != named_.end()) it->second.value = value;
}

}  // namespace fakehost
