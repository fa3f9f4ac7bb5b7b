#include "fake_traffic.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstring>

namespace faketraffic {
namespace {

constexpr sim::TrafficHandle kFirstVariableHandle = 100;
constexpr sim::TrafficHandle kFirstUnitHandle = 500;

void WriteBytes(unsigned char* slot, std::size_t position, const void* value, std::size_t size) {
    std::memcpy(slot + position, value, size);
}

template <typename Field>
void WriteField(unsigned char* slot, std::size_t position, Field value) {
    WriteBytes(slot, position, &value, sizeof(value));
}

}  // namespace

sim::TrafficHandle FakeTrafficInfo::GetVariableHandle(const char* name) {
    variable_requests.push_back(name ? name : "");
    return kFirstVariableHandle + static_cast<sim::TrafficHandle>(variable_requests.size() - 1);
}

sim::TrafficHandle FakeTrafficInfo::GetUnitsHandle(const char* name) {
    unit_requests.push_back(name ? name : "");
    return kFirstUnitHandle + static_cast<sim::TrafficHandle>(unit_requests.size() - 1);
}

std::uint32_t FakeTrafficInfo::GetTrafficInRadius(double radius_m, std::uint32_t max_count, sim::TrafficId* ids) {
    radius_requests_m.push_back(radius_m);
    max_count_requests.push_back(max_count);
    std::uint32_t written = 0;
    for (const Aircraft& a : aircraft) {
        if (written == max_count) break;
        ids[written++] = a.id;
    }
    return overstate_count ? reported_count : written;
}

std::int32_t FakeTrafficInfo::GetNumericValue(sim::TrafficId id, sim::TrafficHandle variable,
                                              sim::TrafficHandle unit, double* result, std::uint32_t) {
    const Aircraft* a = Find(id);
    if (a == nullptr || result == nullptr) return 0;
    auto it = a->numeric.find({NameOf(variable_requests, variable, kFirstVariableHandle),
                               NameOf(unit_requests, unit, kFirstUnitHandle)});
    if (it == a->numeric.end()) return 0;
    *result = it->second;
    return 1;
}

std::int32_t FakeTrafficInfo::GetStringValue(sim::TrafficId id, sim::TrafficHandle variable, char* buffer,
                                             std::uint32_t buffer_size, std::uint32_t) {
    string_buffer_sizes.push_back(buffer_size);
    const Aircraft* a = Find(id);
    if (a == nullptr || NameOf(variable_requests, variable, kFirstVariableHandle) != "ATC ID") return 0;
    std::strncpy(buffer, a->atc_id.c_str(), buffer_size);
    return 1;
}

std::uint32_t FakeTrafficInfo::ReducedDataFlag() {
    ++reduced_data_calls;
    return reduced_data;
}

const char* FakeTrafficInfo::GetTrafficName(sim::TrafficId id) {
    ++traffic_name_calls;
    const Aircraft* a = Find(id);
    return a ? a->name : nullptr;
}

const Aircraft* FakeTrafficInfo::Find(sim::TrafficId id) const {
    for (const Aircraft& a : aircraft)
        if (a.id == id) return &a;
    return nullptr;
}

std::string FakeTrafficInfo::NameOf(const std::vector<std::string>& requests, sim::TrafficHandle handle,
                                    sim::TrafficHandle first) {
    if (handle < first || handle - first >= requests.size()) return "";
    return requests[handle - first];
}

void* FakeRegistered::QueryInterface(const char* name) {
    queries.push_back(name ? name : "");
    return traffic;
}

void RegisterTrafficInterface(fakehost::FakeHost& host, FakeRegistered& registered) {
    host.registered_interface = [&registered](const char* name) -> void* {
        return name && std::strcmp(name, sim::kTrafficInterfaceName) == 0 ? &registered : nullptr;
    };
}

FakeNetPlayers::FakeNetPlayers() : storage_(sim::kNetPlayerTableBytes + 16, 0) {
    // One past an 8-byte boundary: every double field is misaligned.
    auto address = reinterpret_cast<std::uintptr_t>(storage_.data());
    table_ = storage_.data() + (8 - address % 8) % 8 + 1;
#ifdef FAKE_NETPLAYER_PATH
    module_ = dlopen(FAKE_NETPLAYER_PATH, RTLD_NOW | RTLD_GLOBAL);
#endif
    if (module_ == nullptr) return;
    auto control = reinterpret_cast<FakeNetPlayerControlFn>(dlsym(module_, kFakeNetPlayerControlName));
    if (control == nullptr) return;
    control_ = control();
    control_->status = sim::kNetPlayerStatusOk;
    control_->table = table_;
    control_->calls = 0;
}

FakeNetPlayers::~FakeNetPlayers() {
    if (control_ != nullptr) control_->table = nullptr;
    if (module_ != nullptr) dlclose(module_);
}

void FakeNetPlayers::SetPlayer(std::size_t slot, const NetPlayer& player) {
    unsigned char* s = Slot(slot);
    std::memset(s, 0, sim::kNetPlayerSlotBytes);
    const std::size_t name_bytes = std::min(player.name.size(), sim::netslot::kNameBytes);
    WriteBytes(s, sim::netslot::kName, player.name.data(), name_bytes);  // terminated only by the zeroed rest
    WriteField(s, sim::netslot::kActive, player.active);
    WriteField(s, sim::netslot::kLatitude, player.latitude_units);
    WriteField(s, sim::netslot::kLongitude, player.longitude_units);
    WriteField(s, sim::netslot::kAltitude, player.altitude_m);
    WriteField(s, sim::netslot::kVelocityA, player.velocity_a);
    WriteField(s, sim::netslot::kVelocityB, player.velocity_b);
    WriteField(s, sim::netslot::kVerticalSpeed, player.vertical_speed);
    WriteField(s, sim::netslot::kHeading, player.heading_deg);
}

}  // namespace faketraffic
