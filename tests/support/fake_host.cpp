#include "fake_host.h"

#include <strings.h>

#include "module/module_exports.h"

namespace fakehost {
namespace {

FakeHost* g_current = nullptr;

}  // namespace

// The table's entries: plain host routines that reach the installed FakeHost.
struct Entries {
    static void HOST_CALL Query(host::Element* e) { Record(host::kElementListQuery, e, nullptr, 0); }
    static void HOST_CALL Install(host::Element* e, host::ResourceHandle r) {
        Record(host::kElementListInstall, e, r, 0);
    }
    static void HOST_CALL Initialize(host::Element* e) { Record(host::kElementListInitialize, e, nullptr, 0); }
    static void HOST_CALL Update(host::Element* e) { Record(host::kElementListUpdate, e, nullptr, 0); }
    static void HOST_CALL Generate(host::Element* e, std::uint32_t phase) {
        Record(host::kElementListGenerate, e, nullptr, phase);
    }
    static void HOST_CALL Plot(host::Element* e) { Record(host::kElementListPlot, e, nullptr, 0); }
    static void HOST_CALL Kill(host::Element* e) { Record(host::kElementListKill, e, nullptr, 0); }

    static void HOST_CALL InitializeModuleVariable(host::ModuleVariable* variable) {
        if (!g_current || !variable) return;
        ++g_current->initialize_count_;
        g_current->initialized_.insert(variable);
    }

    static void HOST_CALL LookupModuleVariable(host::ModuleVariable* variable) {
        if (!g_current || !variable) return;
        if (g_current->initialized_.count(variable) == 0) ++g_current->uninitialized_lookup_count_;
        ++g_current->lookup_counts_[variable->token];
        auto it = g_current->module_variables_.find(variable->token);
        variable->value = it == g_current->module_variables_.end() ? 0.0 : it->second;
    }

    static std::int32_t HOST_CALL CheckNamedVariable(const char* name) {
        return g_current && name ? g_current->NamedVariableId(name) : host::kNoNamedVariable;
    }

    static std::int32_t HOST_CALL RegisterNamedVariable(const char* name) {
        if (!g_current || !name) return host::kNoNamedVariable;
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

    static void Record(host::HostPanelsEntry entry, host::Element* element, host::ResourceHandle resource,
                       std::uint32_t phase) {
        if (g_current) g_current->element_list_calls_.push_back({entry, element, resource, phase});
    }

    template <typename Fn>
    static void Set(host::HostPanels& table, host::HostPanelsEntry position, Fn fn) {
        table.entry[position] = reinterpret_cast<void*>(fn);
    }

    static void Fill(host::HostPanels& table) {
        Set(table, host::kElementListQuery, &Query);
        Set(table, host::kElementListInstall, &Install);
        Set(table, host::kElementListInitialize, &Initialize);
        Set(table, host::kElementListUpdate, &Update);
        Set(table, host::kElementListGenerate, &Generate);
        Set(table, host::kElementListPlot, &Plot);
        Set(table, host::kElementListKill, &Kill);
        Set(table, host::kInitializeModuleVariable, &InitializeModuleVariable);
        Set(table, host::kLookupModuleVariable, &LookupModuleVariable);
        Set(table, host::kCheckNamedVariable, &CheckNamedVariable);
        Set(table, host::kRegisterNamedVariable, &RegisterNamedVariable);
        Set(table, host::kGetNamedVariableValue, &GetNamedVariableValue);
        Set(table, host::kSetNamedVariableValue, &SetNamedVariableValue);
        Set(table, host::kGetRegisteredInterface, &GetRegisteredInterface);
    }
};

Placement::Placement(host::DeviceContext device_context, std::int32_t width, std::int32_t height) {
    image.width = width;
    image.height = height;
    drawing.image_flags = host::kImageFlagsDrawing;
    drawing.image = &image;
    drawing.device_context = device_context;
    drawing.owner = &header;
    background_next[0] = &drawing;
    background.image_flags = host::kImageFlagsBackground;
    background.next = background_next;
    background.owner = &header;
    elements[0] = &background;
    header.elements = elements;
}

bool PlaceOn(host::GaugeHeader& header, host::ImageRecord* image, host::DeviceContext device_context) {
    if (!header.elements || !header.elements[0] || !header.elements[0]->next || !header.elements[0]->next[0])
        return false;
    host::Element* drawing = header.elements[0]->next[0];
    drawing->image = image;
    drawing->device_context = device_context;
    return true;
}

FakeHost::FakeHost() {
    Entries::Fill(table_);
    previous_panels_id_ = ImportTable.panels.id;
    previous_panels_ = ImportTable.panels.pointer;
    ImportTable.panels.id = host::kImportTablePanelsId;
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
    return it == named_.end() ? host::kNoNamedVariable : it->second.id;
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
