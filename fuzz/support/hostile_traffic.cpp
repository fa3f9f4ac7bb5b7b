#include "hostile_traffic.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "hostile_values.h"

namespace fuzzsupport {
namespace {

// Targets are placed up to this far from the own ship (about 60 nm).
constexpr double kSaneOffset_deg = 1.0;
// Names up to this long; the module reads at most 15 characters of one.
constexpr std::size_t kLongestName = 64;
constexpr std::size_t kShortestNameBuffer = 15;

}  // namespace

void HostileTraffic::Reset() {
    input = nullptr;
    name_.reset();
}

HostileTraffic::Kind HostileTraffic::KindOf(sim::TrafficHandle handle) const {
    for (const HandleKind& entry : handles_)
        if (entry.handle == handle && entry.kind != kUnknown) return entry.kind;
    return kUnknown;
}

sim::TrafficHandle HostileTraffic::GetVariableHandle(const char* name) {
    const std::size_t length = name ? std::strlen(name) : 0;  // the name must be a whole string
    Kind kind = kUnknown;
    if (name != nullptr) {
        if (std::strcmp(name, "PLANE LATITUDE") == 0) kind = kLatitude;
        else if (std::strcmp(name, "PLANE LONGITUDE") == 0) kind = kLongitude;
        else if (std::strstr(name, "ALTITUDE") || std::strstr(name, "ALT ABOVE")) kind = kAltitude;
        else if (std::strstr(name, "VELOCITY WORLD")) kind = kVerticalSpeed;
        else if (std::strstr(name, "HEADING")) kind = kHeading;
        else if (std::strstr(name, "GROUND VELOCITY")) kind = kSpeed;
    }
    sim::TrafficHandle handle = next_sane_handle_++ + static_cast<sim::TrafficHandle>(length > 0 ? 0 : 0x10000);
    if (Live() && input->ConsumeIntegralInRange<int>(0, 7) == 0) handle = input->ConsumeIntegral<sim::TrafficHandle>();
    handles_[next_handle_slot_] = HandleKind{handle, kind};
    next_handle_slot_ = (next_handle_slot_ + 1) % kRememberedHandles;
    return handle;
}

sim::TrafficHandle HostileTraffic::GetUnitsHandle(const char* name) {
    const std::size_t length = name ? std::strlen(name) : 0;
    if (Live() && input->ConsumeBool()) return input->ConsumeIntegral<sim::TrafficHandle>();
    return 500 + static_cast<sim::TrafficHandle>(length);
}

std::uint32_t HostileTraffic::GetTrafficInRadius(double /*radius_m*/, std::uint32_t max_count, sim::TrafficId* ids) {
    if (!Live()) return 0;
    std::uint32_t count = 0;
    switch (input->ConsumeIntegralInRange<int>(0, 5)) {
        case 0:
            count = max_count + 1;
            break;
        case 1:
            count = std::numeric_limits<std::uint32_t>::max();
            break;
        case 2:
            count = input->ConsumeIntegral<std::uint32_t>();
            break;
        case 3:
            count = max_count;
            break;
        default:
            count = input->ConsumeIntegralInRange<std::uint32_t>(0, std::min<std::uint32_t>(max_count, 12));
            break;
    }
    // Never more identifiers than asked for: that much the module can rely on.
    const std::uint32_t written = std::min(count, max_count);
    for (std::uint32_t k = 0; k < written; ++k) ids[k] = ids ? input->ConsumeIntegral<sim::TrafficId>() : 0;
    return count;
}

double HostileTraffic::SaneValue(Kind kind) {
    switch (kind) {
        case kLatitude:
            return own_latitude_deg + input->ConsumeFloatingPointInRange<double>(-kSaneOffset_deg, kSaneOffset_deg);
        case kLongitude:
            return own_longitude_deg + input->ConsumeFloatingPointInRange<double>(-kSaneOffset_deg, kSaneOffset_deg);
        case kAltitude:
            return input->ConsumeFloatingPointInRange<double>(-100.0, 45000.0);
        case kVerticalSpeed:
            return input->ConsumeFloatingPointInRange<double>(-6000.0, 6000.0);
        case kHeading:
            return input->ConsumeFloatingPointInRange<double>(-720.0, 720.0);
        case kSpeed:
            return input->ConsumeFloatingPointInRange<double>(0.0, 700.0);
        default:
            return input->ConsumeFloatingPointInRange<double>(-1e5, 1e5);
    }
}

std::int32_t HostileTraffic::GetNumericValue(sim::TrafficId, sim::TrafficHandle variable, sim::TrafficHandle,
                                             double* result, std::uint32_t) {
    if (!Live() || result == nullptr) return 0;
    switch (input->ConsumeIntegralInRange<int>(0, 3)) {
        case 0:
            return 0;  // nothing delivered: the result stays as it was
        case 1:
            *result = HostileDouble(*input, -1e7, 1e7);
            return 1;
        default:
            *result = SaneValue(KindOf(variable));
            return 1;
    }
}

std::int32_t HostileTraffic::GetStringValue(sim::TrafficId, sim::TrafficHandle, char* buffer,
                                            std::uint32_t buffer_size, std::uint32_t) {
    if (!Live() || buffer == nullptr) return 0;
    // Up to the whole buffer, terminated or not: never past it.
    const std::size_t length = input->ConsumeIntegralInRange<std::size_t>(0, buffer_size);
    const std::string bytes = input->ConsumeBytesAsString(length);
    std::memcpy(buffer, bytes.data(), bytes.size());
    std::memset(buffer + bytes.size(), 'Z', length - bytes.size());
    return 1;
}

std::uint32_t HostileTraffic::ReducedDataFlag() {
    if (!Live()) return 0;
    switch (input->ConsumeIntegralInRange<int>(0, 3)) {
        case 0:
            return 0;
        case 1:
            return 1;
        case 2:
            return input->ConsumeIntegral<std::uint32_t>();
        default:
            return input->ConsumeBool() ? 0u : 0x80000000u;
    }
}

const char* HostileTraffic::GetTrafficName(sim::TrafficId) {
    if (!Live() || input->ConsumeIntegralInRange<int>(0, 5) == 0) return nullptr;
    // Exactly as many bytes as the name has, and at least as many as the
    // module may read; a terminator only where the input put one.
    const std::string bytes = input->ConsumeRandomLengthString(kLongestName);
    const std::size_t size = std::max(bytes.size(), kShortestNameBuffer);
    name_.reset(new char[size]);
    std::memset(name_.get(), 'N', size);
    std::memcpy(name_.get(), bytes.data(), bytes.size());
    return name_.get();
}

void* HostileRegistered::QueryInterface(const char* name) {
    if (name == nullptr || std::strcmp(name, sim::kTrafficInterfaceName) != 0) return nullptr;
    return traffic;
}

}  // namespace fuzzsupport
