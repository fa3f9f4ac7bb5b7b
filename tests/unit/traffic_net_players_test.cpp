// The network-player table as a second source of targets.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "fake_host.h"
#include "fake_traffic.h"
#include "traffic/net_player_table.h"
#include "traffic/traffic_list.h"

namespace {

using faketraffic::NetPlayer;
using traffic::TrafficList;

NetPlayer Player(const std::string& name, double altitude_m = 1000.0) {
    NetPlayer p;
    p.name = name;
    p.latitude_units = 10001750.0 / 2;  // 45 degrees north
    p.longitude_units = std::ldexp(1.0, 45);  // 45 degrees east
    p.altitude_m = altitude_m;
    p.velocity_a = 300.0f;
    p.velocity_b = 400.0f;
    p.vertical_speed = -8.5f;
    p.heading_deg = 271.25f;
    return p;
}

faketraffic::Aircraft Traffic(sim::TrafficId id, const std::string& atc_id) {
    faketraffic::Aircraft a;
    a.id = id;
    a.atc_id = atc_id;
    return a;
}

class NetPlayers : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(players.loaded()); }

    void InstallTrafficInterface(faketraffic::FakeTrafficInfo& info, faketraffic::FakeRegistered& registered) {
        registered.traffic = &info;
        faketraffic::RegisterTrafficInterface(host, registered);
    }

    // A rebuild through the frame cycle's path, which looks the module up.
    void RebuildAt(double host_time, TrafficList& list) {
        host.SetHostTime(host_time);
        list.PeriodicRefresh();
    }

    fakehost::FakeHost host;
    faketraffic::FakeNetPlayers players;
};

TEST_F(NetPlayers, SlotFieldsAreConvertedIntoATarget) {
    players.SetPlayer(0, Player("Pilot One"));
    players.SetPlayer(1, Player("Low Pass", 40.75));
    faketraffic::StandaloneList list;
    RebuildAt(10.0, list);

    ASSERT_EQ(list.Count(), 2u);
    const traffic::RadarTarget& t = *list.Target(0);
    EXPECT_DOUBLE_EQ(t.latitude_deg, 45.0);
    EXPECT_DOUBLE_EQ(t.longitude_deg, 45.0);
    EXPECT_DOUBLE_EQ(t.altitude_ft, 3280.8);
    EXPECT_EQ(t.height_above_ground, 1000);
    EXPECT_DOUBLE_EQ(t.ground_speed_kt, 500.0 * 0.5399568034557235);
    EXPECT_DOUBLE_EQ(t.vertical_speed_fpm, -510.0);
    EXPECT_EQ(t.heading_deg, 271.25);
    EXPECT_STREQ(t.identifier, "Pilot One");
    EXPECT_EQ(std::u16string(t.wide_identifier), u"Pilot One");
    EXPECT_EQ(t.source, traffic::kSourceNetPlayer);
    // Near the ground: the whole metres, which the displays filter out.
    EXPECT_EQ(list.Target(1)->height_above_ground, 40);
    EXPECT_EQ(players.Calls(), 1);
}

TEST_F(NetPlayers, FollowTheInterfaceTargetsInTableOrderSkippingInactiveSlots) {
    faketraffic::FakeTrafficInfo info;
    faketraffic::FakeRegistered registered;
    InstallTrafficInterface(info, registered);
    info.aircraft = {Traffic(5, "AI FIVE"), Traffic(6, "AI SIX")};

    players.SetPlayer(0, Player("slot 0"));
    NetPlayer gone = Player("slot 3");
    gone.active = 0;
    players.SetPlayer(3, gone);
    players.SetPlayer(7, Player("slot 7"));
    players.SetPlayer(255, Player("slot 255"));

    faketraffic::StandaloneList list;
    list.Target(3)->last_paint_time = 42.0;
    RebuildAt(10.0, list);
    ASSERT_EQ(list.Count(), 5u);
    EXPECT_STREQ(list.Target(0)->identifier, "AI FIVE");
    EXPECT_STREQ(list.Target(1)->identifier, "AI SIX");
    EXPECT_STREQ(list.Target(2)->identifier, "slot 0");
    EXPECT_STREQ(list.Target(3)->identifier, "slot 7");
    EXPECT_STREQ(list.Target(4)->identifier, "slot 255");
    EXPECT_EQ(list.Target(1)->source, traffic::kSourceTrafficInterface);
    EXPECT_EQ(list.Target(2)->source, traffic::kSourceNetPlayer);
    EXPECT_EQ(list.Target(3)->last_paint_time, 42.0);

    // A player who leaves drops out at the next rebuild.
    NetPlayer left = Player("slot 7");
    left.active = 0;
    players.SetPlayer(7, left);
    RebuildAt(11.5, list);
    ASSERT_EQ(list.Count(), 4u);
    EXPECT_STREQ(list.Target(3)->identifier, "slot 255");
}

TEST_F(NetPlayers, AHundredTargetsAndEveryPlayerFillTheListExactly) {
    faketraffic::FakeTrafficInfo info;
    faketraffic::FakeRegistered registered;
    InstallTrafficInterface(info, registered);
    for (sim::TrafficId id = 1; id <= 100; ++id) info.aircraft.push_back(Traffic(id, "AI " + std::to_string(id)));
    for (std::size_t slot = 0; slot < sim::kNetPlayerSlots; ++slot) players.SetPlayer(slot, Player("P" + std::to_string(slot)));

    faketraffic::StandaloneList list;
    RebuildAt(10.0, list);
    ASSERT_EQ(list.Count(), traffic::kMaxTargets);
    EXPECT_STREQ(list.Target(99)->identifier, "AI 100");
    EXPECT_STREQ(list.Target(100)->identifier, "P0");
    EXPECT_STREQ(list.Target(355)->identifier, "P255");
}

TEST_F(NetPlayers, AnythingButTheSuccessStatusMeansNoPlayers) {
    players.SetPlayer(0, Player("P"));
    faketraffic::StandaloneList list;
    players.SetStatus(0);
    RebuildAt(10.0, list);
    EXPECT_EQ(list.Count(), 0u);
    players.SetStatus(2);
    RebuildAt(11.5, list);
    EXPECT_EQ(list.Count(), 0u);
    players.SetStatus(-1);
    RebuildAt(13.0, list);
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(players.Calls(), 3);

    // Success with no table is no table.
    players.SetStatus(1);
    players.HandOutNullTable();
    RebuildAt(14.5, list);
    EXPECT_EQ(list.Count(), 0u);
}

TEST_F(NetPlayers, AMissingExportOrModuleMeansNoPlayers) {
    players.SetPlayer(0, Player("P"));
    traffic::RadarTarget records[traffic::kMaxTargets] = {};
    void* table = nullptr;

    const traffic::NetPlayerSource no_export{1, nullptr};
    EXPECT_EQ(traffic::AppendNetPlayers(no_export, table, records, 4, traffic::kMaxTargets), 4u);

    platform::ModuleSearchMemo search;
    const traffic::NetPlayerSource found = traffic::FindNetPlayerSource(search);
    ASSERT_EQ(found.present, 1);
    ASSERT_NE(found.entry, nullptr);
    const traffic::NetPlayerSource not_present{0, found.entry};
    EXPECT_EQ(traffic::AppendNetPlayers(not_present, table, records, 4, traffic::kMaxTargets), 4u);
    EXPECT_EQ(players.Calls(), 0);

    EXPECT_EQ(traffic::AppendNetPlayers(found, table, records, 4, traffic::kMaxTargets), 5u);
    EXPECT_STREQ(records[4].identifier, "P");
    // Never beyond the capacity given.
    EXPECT_EQ(traffic::AppendNetPlayers(found, table, records, 4, 4), 4u);
}

TEST(NetPlayersAbsent, WithoutTheModuleOnlyTheInterfaceFeedsTheList) {
    fakehost::FakeHost host;
    platform::ModuleSearchMemo search;
    const traffic::NetPlayerSource source = traffic::FindNetPlayerSource(search);
    EXPECT_EQ(source.present, 0);
    EXPECT_EQ(source.entry, nullptr);
    faketraffic::StandaloneList list;
    host.SetHostTime(10.0);
    list.PeriodicRefresh();
    EXPECT_EQ(list.Count(), 0u);
}

TEST(NetPlayersUnloaded, TheModuleIsLookedUpAgainOnEveryPeriodicCall) {
    fakehost::FakeHost host;
    faketraffic::StandaloneList list;
    {
        faketraffic::FakeNetPlayers players;
        ASSERT_TRUE(players.loaded());
        players.SetPlayer(0, Player("P"));
        host.SetHostTime(10.0);
        list.PeriodicRefresh();
        EXPECT_EQ(list.Count(), 1u);
    }
    // Unloaded now: calling the routine found before would jump into freed code.
    host.SetHostTime(11.5);
    list.PeriodicRefresh();
    EXPECT_EQ(list.Count(), 0u);
}

TEST(NetPlayersUnloaded, ARangeChangeDoesNotCallAModuleUnloadedSinceTheLastLookUp) {
    fakehost::FakeHost host;
    faketraffic::StandaloneList list;
    {
        faketraffic::FakeNetPlayers players;
        ASSERT_TRUE(players.loaded());
        players.SetPlayer(0, Player("P"));
        host.SetHostTime(10.0);
        list.PeriodicRefresh();
        EXPECT_EQ(list.Count(), 1u);
    }
    // Unloaded between two periodic look-ups; the range change rebuilds at once.
    list.SetRange(10.0f);
    EXPECT_EQ(list.Count(), 0u);
}

TEST_F(NetPlayers, NamesAndWholeNumbersStayInsideTheirFields) {
    players.SetPlayer(0, Player(std::string(128, 'W')));  // fills its field, no terminator
    players.SetPlayer(1, Player("NaN altitude", std::numeric_limits<double>::quiet_NaN()));
    players.SetPlayer(2, Player("Orbit", 1e12));
    players.SetPlayer(3, Player("Deep", -1e12));
    faketraffic::StandaloneList list;
    RebuildAt(10.0, list);
    ASSERT_EQ(list.Count(), 4u);
    EXPECT_EQ(std::string(list.Target(0)->identifier), std::string(49, 'W'));
    EXPECT_EQ(list.Target(1)->height_above_ground, traffic::kUnknownHeight);  // never above the ground filter
    EXPECT_TRUE(std::isnan(list.Target(1)->altitude_ft));
    EXPECT_EQ(list.Target(2)->height_above_ground, INT32_MAX);
    EXPECT_EQ(list.Target(3)->height_above_ground, INT32_MIN);
}

TEST_F(NetPlayers, AnInactiveSlotLeavesTheRecordAlone) {
    NetPlayer p = Player("inactive");
    p.active = 0;
    players.SetPlayer(0, p);
    traffic::RadarTarget target{};
    target.latitude_deg = 1.5;
    EXPECT_FALSE(traffic::ReadNetPlayerSlot(players.Slot(0), target));
    EXPECT_EQ(target.latitude_deg, 1.5);
    EXPECT_STREQ(target.identifier, "");
}

}  // namespace
