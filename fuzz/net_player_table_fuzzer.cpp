// The network-player table as the stand-in module hands it out: 256 slots
// of fuzzer bytes, any of them active, the table at any alignment, the
// entry routine answering any status or no table; read by every rebuild and
// drawn by every display.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz_session.h"
#include "net_player_source.h"

namespace {

using fuzzsupport::FuzzSession;

// The bytes of a slot the module reads lie in its first 184; the fuzzer
// writes those, the rest of the slot is one filler byte.
constexpr std::size_t kSlotRecordBytes = 184;
constexpr std::size_t kSlotBitmapBytes = sim::kNetPlayerSlots / 8;
constexpr int kFrames = 4;
constexpr std::int32_t kImageSide = 200;

// The slots the bitmap marks get the records in turn (cycling when there
// are fewer); the others stay zero, that is inactive.
void FillTable(FuzzedDataProvider& input, fuzzsupport::NetPlayerSource& source) {
    const std::vector<std::uint8_t> bitmap = input.ConsumeBytes<std::uint8_t>(kSlotBitmapBytes);
    const std::uint8_t filler = input.ConsumeIntegral<std::uint8_t>();
    std::vector<std::vector<std::uint8_t>> records;
    while (records.size() < sim::kNetPlayerSlots && input.remaining_bytes() >= kSlotRecordBytes)
        records.push_back(input.ConsumeBytes<std::uint8_t>(kSlotRecordBytes));
    if (records.empty()) return;
    std::size_t next = 0;
    for (std::size_t slot = 0; slot < sim::kNetPlayerSlots; ++slot) {
        const std::size_t byte = slot / 8;
        if (byte >= bitmap.size() || (bitmap[byte] & (1u << (slot % 8))) == 0) continue;
        unsigned char* bytes = source.WritableSlot(slot);
        const std::vector<std::uint8_t>& record = records[next++ % records.size()];
        std::memcpy(bytes, record.data(), record.size());
        std::memset(bytes + record.size(), filler, sim::kNetPlayerSlotBytes - record.size());
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzsupport::WarmUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // No script: the whole input is the table and its few settings.
    FuzzSession session(nullptr, 0, 0);
    FuzzedDataProvider input(data, size);
    fuzzsupport::NetPlayerSource& source = session.net_players;

    // Integral values come from the input's end, the table from its front.
    const unsigned misalignment = input.ConsumeIntegralInRange<unsigned>(0, fuzzsupport::kTableMisalignments - 1);
    const int answer = input.ConsumeIntegralInRange<int>(0, 7);
    const int slot = input.ConsumeIntegralInRange<int>(0, fuzzsupport::kGauges - 1);
    const std::int32_t click_x = input.ConsumeIntegralInRange<std::int32_t>(0, kImageSide);
    const std::int32_t click_y = input.ConsumeIntegralInRange<std::int32_t>(0, kImageSide);
    source.PrepareTable(misalignment);
    FillTable(input, source);
    if (answer == 6) source.Answer(0, true);               // the table is not ready
    if (answer == 7) source.Answer(1, false);              // success, but no table

    session.driver.Place(slot, kImageSide, kImageSide, fuzzsupport::FuzzDeviceContext(1));
    session.driver.Connect(slot);
    for (int frame = 0; frame < kFrames; ++frame) {
        session.host.SetMode(2 + frame % 3);
        session.host.variables.time_s += 1.5;  // a rebuild with every frame
        session.driver.PreDraw(slot);
        fuzzsupport::GaugeDriver::Click(slot, click_x, click_y, 0);
    }
    return 0;
}
