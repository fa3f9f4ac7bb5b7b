// The traffic list's records: construction, access, the range and the
// identifier of a record.
#include "traffic/traffic_list.h"

#include "traffic/net_player_table.h"

#include <cstring>

namespace traffic {

TrafficList::TrafficList(RefreshClock& clock, platform::ModuleSearchMemo& net_module_search)
    : clock_(clock), net_module_search_(net_module_search) {
    std::memset(records_, 0, sizeof(records_));  // every last paint time 0 = never
    Bind();
}

std::uint32_t TrafficList::ReducedDataFlag() const { return traffic_ != nullptr ? traffic_->ReducedDataFlag() : 0u; }

void TrafficList::SetRange(float range_nm) {
    const double widened = range_nm;
    if (widened != range_nm_) {
        range_nm_ = widened;
        // The periodic look-up found the network module up to a second ago;
        // it may have been unloaded since, so its entry is looked up again
        // rather than called blind.
        if (net_source_.present) net_source_ = FindNetPlayerSource(net_module_search_);
        Refresh();
    }
}

void SetTargetIdentifier(RadarTarget& target, const char* identifier) {
    constexpr int kMaxChars = kIdentifierChars - 1;
    int length = 0;
    if (identifier != nullptr) {
        while (length < kMaxChars && identifier[length] != '\0') ++length;
        std::memcpy(target.identifier, identifier, static_cast<std::size_t>(length));
    }
    target.identifier[length] = '\0';

    // Bytes above 0x7F widen as negative 8-bit values, as the drawing side
    // has always received them.
    for (int i = 0; i < length; ++i) {
        target.wide_identifier[i] = static_cast<char16_t>(static_cast<signed char>(target.identifier[i]));
    }
    target.wide_identifier[length] = u'\0';
}

}  // namespace traffic
