// Test stand-ins for the two traffic sources: a registered "ITrafficInfo"
// interface served through a FakeHost, and the network-player module with a
// player table the test writes.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fake_host.h"
#include "fake_netplayer_control.h"
#include "platform/host_abi.h"
#include "platform/loaded_module.h"
#include "traffic/traffic_list.h"

namespace faketraffic {

// One aircraft of the traffic interface. Numeric values are kept per
// variable and unit name; a value not set is not delivered (the result
// is left untouched).
struct Aircraft {
    sim::TrafficId id = 0;
    std::map<std::pair<std::string, std::string>, double> numeric;
    std::string atc_id;             // written like strncpy: no terminator when it fills the buffer
    const char* name = nullptr;     // what GetTrafficName answers

    Aircraft& Set(const std::string& variable, const std::string& unit, double value) {
        numeric[{variable, unit}] = value;
        return *this;
    }
};

class FakeTrafficInfo : public sim::TrafficInfo {
public:
    std::vector<Aircraft> aircraft;
    std::uint32_t reduced_data = 0;
    // When set, GetTrafficInRadius reports this count (it still writes no
    // more identifiers than asked for).
    bool overstate_count = false;
    std::uint32_t reported_count = 0;

    // What the system asked.
    std::vector<std::string> variable_requests;
    std::vector<std::string> unit_requests;
    std::vector<double> radius_requests_m;
    std::vector<std::uint32_t> max_count_requests;
    std::vector<std::uint32_t> string_buffer_sizes;
    int reduced_data_calls = 0;
    int traffic_name_calls = 0;

    sim::TrafficHandle HOST_METHOD GetVariableHandle(const char* name) override;
    sim::TrafficHandle HOST_METHOD GetUnitsHandle(const char* name) override;
    std::uint32_t HOST_METHOD GetTrafficInRadius(double radius_m, std::uint32_t max_count, sim::TrafficId* ids) override;
    std::int32_t HOST_METHOD GetNumericValue(sim::TrafficId id, sim::TrafficHandle variable, sim::TrafficHandle unit,
                                           double* result, std::uint32_t index) override;
    std::int32_t HOST_METHOD GetStringValue(sim::TrafficId id, sim::TrafficHandle variable, char* buffer,
                                          std::uint32_t buffer_size, std::uint32_t index) override;
    std::uint32_t HOST_METHOD ReducedDataFlag() override;
    const char* HOST_METHOD GetTrafficName(sim::TrafficId id) override;

private:
    const Aircraft* Find(sim::TrafficId id) const;
    static std::string NameOf(const std::vector<std::string>& requests, sim::TrafficHandle handle,
                              sim::TrafficHandle first);
};

// The object GetRegisteredInterface hands out; its QueryInterface answers
// with `traffic` (null allowed).
class FakeRegistered : public sim::RegisteredInterface {
public:
    sim::TrafficInfo* traffic = nullptr;
    std::vector<std::string> queries;

    void* HOST_METHOD QueryInterface(const char* name) override;
};

// Makes the host answer "ITrafficInfo" with `registered`.
void RegisterTrafficInterface(fakehost::FakeHost& host, FakeRegistered& registered);

// A fake host with a traffic interface registered, ready for a TrafficList.
struct TrafficHost {
    TrafficHost() {
        registered.traffic = &info;
        RegisterTrafficInterface(host, registered);
    }
    TrafficHost(const TrafficHost&) = delete;
    TrafficHost& operator=(const TrafficHost&) = delete;

    fakehost::FakeHost host;
    FakeTrafficInfo info;
    FakeRegistered registered;
};

// One player as the test writes it into the table.
struct NetPlayer {
    std::string name;
    std::int32_t active = 1;
    double latitude_units = 0.0;
    double longitude_units = 0.0;
    double altitude_m = 0.0;
    float velocity_a = 0.0f;
    float velocity_b = 0.0f;
    float vertical_speed = 0.0f;
    float heading_deg = 0.0f;
};

// Loads the stand-in network-player module by path while it lives; the
// player table it hands out starts one byte past an aligned address, so
// that no double in it is aligned.
class FakeNetPlayers {
public:
    FakeNetPlayers();
    ~FakeNetPlayers();
    FakeNetPlayers(const FakeNetPlayers&) = delete;
    FakeNetPlayers& operator=(const FakeNetPlayers&) = delete;

    bool loaded() const { return control_ != nullptr; }
    void SetStatus(std::int32_t status) { control_->status = status; }
    void HandOutNullTable() { control_->table = nullptr; }
    int Calls() const { return control_->calls; }

    void SetPlayer(std::size_t slot, const NetPlayer& player);
    unsigned char* Slot(std::size_t slot) { return table_ + slot * sim::kNetPlayerSlotBytes; }

private:
    void* module_ = nullptr;
    FakeNetPlayerControl* control_ = nullptr;
    std::vector<unsigned char> storage_;
    unsigned char* table_ = nullptr;
};

// What every gauge's list shares with the others in a module; each
// StandaloneList has its own.
struct ListSharedState {
    traffic::RefreshClock clock;
    platform::ModuleSearchMemo net_module_search;
};

// A traffic list as a gauge object makes one, with a clock and a
// network-player search of its own instead of the module's.
class StandaloneList : private ListSharedState, public traffic::TrafficList {
public:
    StandaloneList() : ListSharedState(), TrafficList(clock, net_module_search) {}
};

}  // namespace faketraffic
