// Placeholder until the traffic sources are bound: an empty list.
#include "traffic/traffic_list.h"

#include <cstring>

namespace traffic {

TrafficList::TrafficList() {
    std::memset(records_, 0, sizeof(records_));
    Bind();
}

RadarTarget* TrafficList::Target(std::uint32_t index) { return index < kMaxTargets ? &records_[index] : nullptr; }

const RadarTarget* TrafficList::Target(std::uint32_t index) const {
    return index < kMaxTargets ? &records_[index] : nullptr;
}

std::uint32_t TrafficList::ReducedDataFlag() const { return 0; }

void TrafficList::SetRange(float range_nm) {
    if (static_cast<double>(range_nm) != range_nm_) {
        range_nm_ = range_nm;
        Refresh();
    }
}

void TrafficList::Bind() {}
void TrafficList::Refresh() { count_ = 0; }
void TrafficList::PeriodicRefresh() {}

}  // namespace traffic
