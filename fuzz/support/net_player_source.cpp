#include "net_player_source.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstring>

#include "fake_netplayer_control.h"

namespace fuzzsupport {

bool NetPlayerSource::Load() {
    if (control_ != nullptr) return true;
    void* module = dlopen(FUZZ_NETPLAYER_PATH, RTLD_NOW | RTLD_GLOBAL);  // stays loaded for the process
    if (module == nullptr) return false;
    auto control = reinterpret_cast<FakeNetPlayerControlFn>(dlsym(module, kFakeNetPlayerControlName));
    control_ = control ? control() : nullptr;
    return control_ != nullptr;
}

void NetPlayerSource::PrepareTable(unsigned misalignment) {
    misalignment %= kTableMisalignments;
    Storage& storage = storage_[misalignment];
    if (!storage.bytes) {
        storage.bytes.reset(new unsigned char[sim::kNetPlayerTableBytes + misalignment]);
        storage.written.set();
    }
    table_ = storage.bytes.get() + misalignment;
    for (std::size_t slot = 0; slot < sim::kNetPlayerSlots; ++slot) {
        if (storage.written[slot]) std::memset(table_ + slot * sim::kNetPlayerSlotBytes, 0, sim::kNetPlayerSlotBytes);
    }
    storage.written.reset();
    current_ = &storage;
    Answer(sim::kNetPlayerStatusOk, true);
}

unsigned char* NetPlayerSource::WritableSlot(std::size_t slot) {
    if (current_ == nullptr || slot >= sim::kNetPlayerSlots) return nullptr;
    current_->written.set(slot);
    return table_ + slot * sim::kNetPlayerSlotBytes;
}

namespace {

template <typename Field>
void WriteField(unsigned char* slot, std::size_t position, Field value) {
    std::memcpy(slot + position, &value, sizeof(value));
}

}  // namespace

void NetPlayerSource::WritePlayer(std::size_t slot, const Player& player) {
    unsigned char* bytes = WritableSlot(slot);
    if (bytes == nullptr) return;
    std::memset(bytes, 0, sim::kNetPlayerSlotBytes);
    const std::size_t length = player.name ? std::strlen(player.name) : 0;
    std::memcpy(bytes + sim::netslot::kName, player.name, std::min(length, sim::netslot::kNameBytes));
    WriteField<std::int32_t>(bytes, sim::netslot::kActive, 1);
    WriteField(bytes, sim::netslot::kLatitude, player.latitude_units);
    WriteField(bytes, sim::netslot::kLongitude, player.longitude_units);
    WriteField(bytes, sim::netslot::kAltitude, player.altitude_m);
    WriteField(bytes, sim::netslot::kVelocityA, player.velocity_a);
    WriteField(bytes, sim::netslot::kVelocityB, player.velocity_b);
    WriteField(bytes, sim::netslot::kVerticalSpeed, player.vertical_speed);
    WriteField(bytes, sim::netslot::kHeading, player.heading_deg);
}

void NetPlayerSource::Answer(std::int32_t status, bool hand_out_table) {
    if (control_ == nullptr) return;
    control_->status = status;
    control_->table = hand_out_table ? table_ : nullptr;
}

}  // namespace fuzzsupport
