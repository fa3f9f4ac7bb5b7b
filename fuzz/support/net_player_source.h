// The stand-in network-player module, loaded by path once per process so
// that the module finds it by name, handing out a player table the harness
// fills. The table starts at any offset from an 8-byte boundary and ends
// exactly where its last slot ends, so that a read past it is caught.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/host_abi.h"

struct FakeNetPlayerControl;

namespace fuzzsupport {

constexpr unsigned kTableMisalignments = 16;

class NetPlayerSource {
public:
    // Loads the stand-in module (once); false when it cannot be loaded.
    bool Load();

    // A zeroed table `misalignment` bytes (0 to 15) past a 16-byte boundary,
    // which the entry routine now hands out with the success status.
    void PrepareTable(unsigned misalignment);
    // A slot of the prepared table, to be written.
    unsigned char* WritableSlot(std::size_t slot);

    // Writes one active player into a slot of the prepared table: a name
    // (cut at the slot's 128-byte field, terminated only if it fits),
    // position in the host's units, altitude in metres, velocity components,
    // vertical speed and heading.
    struct Player {
        const char* name;
        double latitude_units;
        double longitude_units;
        double altitude_m;
        float velocity_a;
        float velocity_b;
        float vertical_speed;
        float heading_deg;
    };
    void WritePlayer(std::size_t slot, const Player& player);

    // What the entry routine answers: a status and the table or null.
    void Answer(std::int32_t status, bool hand_out_table);

private:
    FakeNetPlayerControl* control_ = nullptr;
    // One table per misalignment, made once; only the slots written since
    // are zeroed again.
    struct Storage {
        std::unique_ptr<unsigned char[]> bytes;
        std::bitset<sim::kNetPlayerSlots> written;
    };
    Storage storage_[kTableMisalignments];
    Storage* current_ = nullptr;
    unsigned char* table_ = nullptr;
};

}  // namespace fuzzsupport
