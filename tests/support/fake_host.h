// A fake panel host for unit tests: a HostPanels table installed into the
// module's ImportTable while a FakeHost lives. It serves module variables by
// token, keeps a named-variable store, answers registered-interface look-ups
// through a settable hook (null by default) and records the element-list
// services. One FakeHost at a time; the destructor takes the table out again.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/host_abi.h"

namespace fakehost {

struct ElementListCall {
    sim::HostPanelsEntry entry;
    sim::Element* element;
    sim::ResourceHandle resource;  // install only
    std::uint32_t phase;            // generate only
};

struct NamedVariable {
    std::int32_t id;
    double value;
};

// A made-up device context, distinct for each n; the recording GDI+
// stand-in accepts any non-null one.
inline sim::DeviceContext FakeDeviceContext(std::uintptr_t n) {
    return reinterpret_cast<sim::DeviceContext>(0x1000 + n * 16);
}

// A gauge header as a host hands it to the pre-draw service: the element
// list holds a background element whose next-element list holds the drawing
// element, with an image record and a device context. Stands alone (not a
// module header); the test may cut any link to play a misbehaving host.
struct Placement {
    Placement(sim::DeviceContext device_context, std::int32_t width, std::int32_t height);
    Placement(const Placement&) = delete;
    Placement& operator=(const Placement&) = delete;

    sim::ImageRecord image{};
    sim::Element drawing{};
    sim::Element* background_next[2] = {};
    sim::Element background{};
    sim::Element* elements[2] = {};
    sim::GaugeHeader header{};
};

// Writes an image record and a device context into the drawing element of a
// module's gauge header, as the host does; false when the header has none.
bool PlaceOn(sim::GaugeHeader& header, sim::ImageRecord* image, sim::DeviceContext device_context);

class FakeHost {
public:
    FakeHost();
    ~FakeHost();
    FakeHost(const FakeHost&) = delete;
    FakeHost& operator=(const FakeHost&) = delete;

    // The host time, token 604.
    void SetHostTime(double seconds) { SetModuleVariable(sim::kTokenHostTime, seconds); }

    // Module variables; an unknown token looks up as 0.
    void SetModuleVariable(std::uint32_t token, double value) { module_variables_[token] = value; }
    int LookupCount(std::uint32_t token) const;

    // Named variables, as the simulator keeps them: ids from 0, names
    // compared without regard to case. CheckNamedVariable finds only
    // variables that exist (made with CreateNamedVariable, as another panel
    // gauge would, or registered) and answers -1 for any other name;
    // RegisterNamedVariable creates them.
    std::int32_t CreateNamedVariable(const std::string& name, double value = 0.0);
    bool HasNamedVariable(const std::string& name) const { return named_.count(name) != 0; }
    std::int32_t NamedVariableId(const std::string& name) const;  // -1 when absent
    double NamedVariableValue(const std::string& name) const;     // 0 when absent
    void SetNamedVariableValue(const std::string& name, double value);
    // Names in the order they were created.
    const std::vector<std::string>& NamedVariableNames() const { return named_order_; }
    int SetValueCount() const { return set_value_count_; }
    // Ids handed to get or set that this host never issued (-1 among them).
    int UnissuedIdCount() const { return unissued_id_count_; }

    // Module-variable records: calls of entry 38, the records it saw, and
    // look-ups of records it had not seen.
    int InitializeCount() const { return initialize_count_; }
    std::size_t InitializedRecordCount() const { return initialized_.size(); }
    int UninitializedLookupCount() const { return uninitialized_lookup_count_; }

    // Registered interfaces: the hook answers GetRegisteredInterface; with
    // no hook the answer is null. Names asked for are recorded.
    std::function<void*(const char* name)> registered_interface;
    const std::vector<std::string>& InterfaceRequests() const { return interface_requests_; }

    const std::vector<ElementListCall>& ElementListCalls() const { return element_list_calls_; }

    // The table itself, e.g. to empty an entry.
    sim::HostPanels& table() { return table_; }

    // The FakeHost currently installed, or null.
    static FakeHost* Current();

private:
    friend struct Entries;

    // Names as the simulator compares them.
    struct NoCase {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    NamedVariable* FindById(std::int32_t id);

    sim::HostPanels table_{};
    std::map<std::uint32_t, double> module_variables_;
    std::map<std::uint32_t, int> lookup_counts_;
    std::set<const sim::ModuleVariable*> initialized_;
    int initialize_count_ = 0;
    int uninitialized_lookup_count_ = 0;
    std::map<std::string, NamedVariable, NoCase> named_;
    std::vector<std::string> named_order_;
    std::int32_t next_named_id_ = 0;
    int set_value_count_ = 0;
    int unissued_id_count_ = 0;
    std::vector<std::string> interface_requests_;
    std::vector<ElementListCall> element_list_calls_;
    void* previous_panels_ = nullptr;
    std::uint32_t previous_panels_id_ = 0;
};

}  // namespace fakehost
