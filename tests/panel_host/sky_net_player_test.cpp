// The network-player module: loaded by path, found by its file name, its
// table written at the slot positions in the host's units.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include <dlfcn.h>
#include <gtest/gtest.h>

#include "sky/net_player_module.h"
#include "sky/net_player_slots.h"
#include "platform/host_abi.h"
#include "sky_test_support.h"
#include "platform/units.h"

namespace {

using panelhost::Flight;
using panelhost::NetPlayerModule;

template <typename Field>
Field Read(const unsigned char* slot, std::size_t position) {
    Field value;
    std::memcpy(&value, slot + position, sizeof value);
    return value;
}

const unsigned char* Slot(const unsigned char* table, std::size_t index) {
    return table + index * sim::kNetPlayerSlotBytes;
}

Flight Player(const std::string& name, double latitude_deg, double longitude_deg, double altitude_ft,
              double heading_deg, double speed_kt, double vertical_speed_fpm) {
    return skytest::MakeFlight(name, latitude_deg, longitude_deg, altitude_ft, altitude_ft, heading_deg, speed_kt,
                               vertical_speed_fpm);
}

std::unique_ptr<NetPlayerModule> LoadModule() {
    std::string error;
    for (const std::string& path : panelhost::NetPlayerModuleCandidates()) {
        if (auto module = NetPlayerModule::Load(path, &error)) return module;
    }
    ADD_FAILURE() << "no network-player module: " << error;
    return nullptr;
}

// What the radar does: look the module up by name without loading it.
void* FindLoadedByName() {
    void* handle = dlopen(sim::kNetPlayerModuleName, RTLD_NOLOAD | RTLD_NOW);
    if (handle != nullptr) dlclose(handle);
    return handle;
}

TEST(NetPlayerSlots, FieldsInTheHostsUnitsAtTheirPositions) {
    std::vector<unsigned char> slot(sim::kNetPlayerSlotBytes, 0xAB);
    panelhost::WriteNetPlayerSlot(Player("Kestrel", 45.0, -90.0, 3280.8, 90.0, 220.0, -600.0), slot.data());
    const unsigned char* s = slot.data();

    EXPECT_STREQ(reinterpret_cast<const char*>(s + sim::netslot::kName), "Kestrel");
    EXPECT_EQ(Read<std::int32_t>(s, sim::netslot::kActive), 1);
    EXPECT_NEAR(Read<double>(s, sim::netslot::kLatitude), 45.0 * 10001750.0 / 90.0, 1e-6);
    EXPECT_NEAR(Read<double>(s, sim::netslot::kLongitude), -std::ldexp(1.0, 46), 1e-3);
    EXPECT_NEAR(Read<double>(s, sim::netslot::kAltitude), 1000.0, 1e-9);
    // Heading east: a (north) is 0, b (east) is the speed in km/h.
    EXPECT_NEAR(Read<float>(s, sim::netslot::kVelocityA), 0.0f, 1e-3f);
    EXPECT_FLOAT_EQ(Read<float>(s, sim::netslot::kVelocityB), static_cast<float>(220.0 * 1.852));
    EXPECT_FLOAT_EQ(Read<float>(s, sim::netslot::kVerticalSpeed), -10.0f);  // ft/s
    EXPECT_FLOAT_EQ(Read<float>(s, sim::netslot::kHeading), 90.0f);

    // Read back as the radar converts them.
    const double a = Read<float>(s, sim::netslot::kVelocityA), b = Read<float>(s, sim::netslot::kVelocityB);
    EXPECT_NEAR(std::sqrt(a * a + b * b) * 0.5399568034557235, 220.0, 1e-4);
    EXPECT_NEAR(Read<double>(s, sim::netslot::kLatitude) * 360.0 * sim::kLatitudeUnitFactor, 45.0, 1e-12);
    EXPECT_NEAR(Read<double>(s, sim::netslot::kLongitude) * 360.0 * sim::kLongitudeUnitFactor, -90.0, 1e-12);
    EXPECT_NEAR(Read<double>(s, sim::netslot::kAltitude) * units::kFeetPerMetre, 3280.8, 1e-9);
    EXPECT_FLOAT_EQ(Read<float>(s, sim::netslot::kVerticalSpeed) * 60.0f, -600.0f);

    // Everything else of the slot is cleared.
    for (std::size_t i : {std::size_t{8}, std::size_t{127}, std::size_t{132}, std::size_t{172}, std::size_t{176},
                          std::size_t{184}, sim::kNetPlayerSlotBytes - 1}) {
        EXPECT_EQ(s[i], 0u) << "byte " << i;
    }
}

// The radar cuts what it shows to whole units: every scenario number comes
// back through its conversions at least as large, and barely larger.
TEST(NetPlayerSlots, ValuesComeBackThroughTheRadarsConversionsWhole) {
    constexpr double kKnotsPerKmh = 0.5399568034557235;
    for (double altitude_ft = -1500.0; altitude_ft <= 100000.0; altitude_ft += 37.0) {
        const double feet = panelhost::AltitudeMetresReaching(altitude_ft) * units::kFeetPerMetre;
        ASSERT_GE(std::fabs(feet), std::fabs(altitude_ft)) << altitude_ft;
        ASSERT_NEAR(feet, altitude_ft, 1e-9) << altitude_ft;
    }
    EXPECT_EQ(std::trunc(panelhost::AltitudeMetresReaching(10800.0) * units::kFeetPerMetre * 0.01), 108.0);
    for (double fpm = -30000.0; fpm <= 30000.0; fpm += 13.0) {
        const double back = panelhost::FeetPerSecondReaching(fpm) * 60.0;
        ASSERT_GE(std::fabs(back), std::fabs(fpm)) << fpm;
        ASSERT_NEAR(back, fpm, 1e-2) << fpm;
    }
    for (double speed_kt = 0.0; speed_kt <= 4000.0; speed_kt += 7.0) {
        for (double heading_deg = 0.0; heading_deg <= 360.0; heading_deg += 22.5) {
            const panelhost::VelocityKmh velocity = panelhost::VelocityReaching(speed_kt, heading_deg);
            const double a = velocity.north, b = velocity.east;
            const double back = std::sqrt(a * a + b * b) * kKnotsPerKmh;
            ASSERT_GE(back, speed_kt) << speed_kt << " kt heading " << heading_deg;
            ASSERT_NEAR(back, speed_kt, 1e-3) << speed_kt << " kt heading " << heading_deg;
        }
    }
    const panelhost::VelocityKmh west = panelhost::VelocityReaching(100.0, 270.0);
    EXPECT_NEAR(west.north, 0.0f, 1e-3f);
    EXPECT_LT(west.east, -185.0f);
}

TEST(NetPlayerSlots, LongNamesAreCutAndTerminatedInsideTheirField) {
    std::vector<unsigned char> slot(sim::kNetPlayerSlotBytes, 0xAB);
    panelhost::WriteNetPlayerSlot(Player(std::string(200, 'N'), 0, 0, 0, 0, 0, 0), slot.data());
    EXPECT_EQ(std::strlen(reinterpret_cast<const char*>(slot.data())), sim::netslot::kNameBytes - 1);
    EXPECT_EQ(Read<std::int32_t>(slot.data(), sim::netslot::kActive), 1);
}

TEST(NetPlayerModule, FoundByNameOnlyOnceLoadedAndItsTableHoldsThePlayers) {
    EXPECT_EQ(FindLoadedByName(), nullptr);
    std::unique_ptr<NetPlayerModule> module = LoadModule();
    ASSERT_NE(module, nullptr);
    void* by_name = FindLoadedByName();
    ASSERT_NE(by_name, nullptr);

    auto entry = reinterpret_cast<sim::NetPlayerEntry>(dlsym(by_name, sim::kNetPlayerEntryName));
    ASSERT_NE(entry, nullptr);
    module->WritePlayers({Player("one", 1, 2, 1000, 10, 100, 0), Player("two", 3, 4, 2000, 20, 200, 0)});

    void* table = nullptr;
    EXPECT_EQ(entry(&table), sim::kNetPlayerStatusOk);
    ASSERT_EQ(table, module->table());
    const auto* bytes = static_cast<const unsigned char*>(table);
    EXPECT_STREQ(reinterpret_cast<const char*>(Slot(bytes, 0)), "one");
    EXPECT_STREQ(reinterpret_cast<const char*>(Slot(bytes, 1)), "two");
    EXPECT_EQ(Read<std::int32_t>(Slot(bytes, 1), sim::netslot::kActive), 1);
    EXPECT_EQ(Read<std::int32_t>(Slot(bytes, 2), sim::netslot::kActive), 0);
    EXPECT_EQ(Read<std::int32_t>(Slot(bytes, sim::kNetPlayerSlots - 1), sim::netslot::kActive), 0);
    EXPECT_EQ(module->entry_calls(), 1u);

    // A later, shorter list leaves the dropped slot inactive.
    module->WritePlayers({Player("only", 0, 0, 0, 0, 0, 0)});
    EXPECT_STREQ(reinterpret_cast<const char*>(Slot(bytes, 0)), "only");
    EXPECT_EQ(Read<std::int32_t>(Slot(bytes, 1), sim::netslot::kActive), 0);
}

TEST(NetPlayerModule, AnswersTheStatusItIsGiven) {
    std::unique_ptr<NetPlayerModule> module = LoadModule();
    ASSERT_NE(module, nullptr);
    auto entry = reinterpret_cast<sim::NetPlayerEntry>(dlsym(FindLoadedByName(), sim::kNetPlayerEntryName));
    ASSERT_NE(entry, nullptr);
    module->SetStatus(0);
    void* table = nullptr;
    EXPECT_EQ(entry(&table), 0);
    module->SetStatus(-7);
    EXPECT_EQ(entry(&table), -7);
    EXPECT_EQ(entry(nullptr), -7);  // no pointer to write: nothing written
    EXPECT_EQ(module->entry_calls(), 3u);
}

TEST(NetPlayerModule, OtherFilesAreRefused) {
    std::string error;
    EXPECT_EQ(NetPlayerModule::Load("/no/such/IBNetPlayer.gau", &error), nullptr);
    EXPECT_FALSE(error.empty());
    error.clear();
    EXPECT_EQ(NetPlayerModule::Load(RADAR_MODULE_PATH, &error), nullptr);  // a module without the control export
    EXPECT_NE(error.find("net_player_control"), std::string::npos) << error;
    EXPECT_EQ(FindLoadedByName(), nullptr);
}

}  // namespace
