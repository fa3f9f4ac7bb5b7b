// The network-player module's player table, read in place: finding the
// module and its entry routine, and turning active slots into targets.
#pragma once

#include <cstdint>

#include "platform/host_abi.h"
#include "platform/loaded_module.h"
#include "traffic/radar_target.h"

namespace traffic {

// The network-player module as last found: whether it is loaded, and its
// entry routine (null when the module lacks the export).
struct NetPlayerSource {
    std::int32_t present = 0;
    sim::NetPlayerEntry entry = nullptr;
};

// Looks the module up among those already loaded (never loads it); the
// memo keeps the last search for the next one.
NetPlayerSource FindNetPlayerSource(platform::ModuleSearchMemo& search);

// Fills `target` from one table slot unless the slot is inactive; returns
// whether it did. The target's last paint time stays.
bool ReadNetPlayerSlot(const unsigned char* slot, RadarTarget& target);

// Asks the entry routine for the table (through `table`) and, when it
// answers with the success status, fills records[written], records[written + 1] ...
// with the active players in table order, never beyond records[capacity - 1].
// Returns the number of records written, including the first `written`.
std::uint32_t AppendNetPlayers(const NetPlayerSource& source, void*& table, RadarTarget* records,
                               std::uint32_t written, std::uint32_t capacity);

}  // namespace traffic
