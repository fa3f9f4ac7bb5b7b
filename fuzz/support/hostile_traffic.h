// A traffic interface whose every answer comes from the fuzzer's input:
// handles of any value, counts beyond the maximum asked for, NaN, infinite
// and huge numbers or none at all, strings that fill their buffer without a
// terminator, names longer than any buffer, a reduced-data flag that
// changes from one call to the next. Each answer may also be a sane one, so
// that targets near the own ship reach the displays and the selection.
#pragma once

#include <cstdint>
#include <memory>

#include <fuzzer/FuzzedDataProvider.h>

#include "platform/host_abi.h"

namespace fuzzsupport {

class HostileTraffic : public sim::TrafficInfo {
public:
    // The input answering the calls; null answers "no traffic".
    FuzzedDataProvider* input = nullptr;
    // Where sane positions are placed around (degrees).
    double own_latitude_deg = 0.0;
    double own_longitude_deg = 0.0;

    sim::TrafficHandle HOST_METHOD GetVariableHandle(const char* name) override;
    sim::TrafficHandle HOST_METHOD GetUnitsHandle(const char* name) override;
    std::uint32_t HOST_METHOD GetTrafficInRadius(double radius_m, std::uint32_t max_count, sim::TrafficId* ids) override;
    std::int32_t HOST_METHOD GetNumericValue(sim::TrafficId id, sim::TrafficHandle variable, sim::TrafficHandle unit,
                                           double* result, std::uint32_t index) override;
    std::int32_t HOST_METHOD GetStringValue(sim::TrafficId id, sim::TrafficHandle variable, char* buffer,
                                          std::uint32_t buffer_size, std::uint32_t index) override;
    std::uint32_t HOST_METHOD ReducedDataFlag() override;
    const char* HOST_METHOD GetTrafficName(sim::TrafficId id) override;

    // Forgets the input and the last name handed out.
    void Reset();

private:
    // Which variable a handle was given for, so that sane answers fit it.
    enum Kind : std::uint8_t { kUnknown, kLatitude, kLongitude, kAltitude, kVerticalSpeed, kHeading, kSpeed };
    struct HandleKind {
        sim::TrafficHandle handle;
        Kind kind;
    };
    static constexpr int kRememberedHandles = 16;

    bool Live() const { return input != nullptr && input->remaining_bytes() > 0; }
    Kind KindOf(sim::TrafficHandle handle) const;
    double SaneValue(Kind kind);

    HandleKind handles_[kRememberedHandles] = {};
    int next_handle_slot_ = 0;
    sim::TrafficHandle next_sane_handle_ = 100;
    std::unique_ptr<char[]> name_;  // what GetTrafficName answered last
};

// The registered object; QueryInterface answers `traffic` (null allowed).
class HostileRegistered : public sim::RegisteredInterface {
public:
    sim::TrafficInfo* traffic = nullptr;
    void* HOST_METHOD QueryInterface(const char* name) override;
};

}  // namespace fuzzsupport
