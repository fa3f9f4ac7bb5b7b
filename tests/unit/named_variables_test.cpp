// The named-variable exchange: the inputs "Radar Mode" and "Radar Range" and
// the seven outputs about the selected target.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "fake_host.h"
#include "fake_traffic.h"
#include "gauge/radar_gauge.h"
#include "gauge/shared_state.h"

namespace {

const char* const kOutputs[] = {"Radar Target Selected", "Radar Target Latitude",  "Radar Target Longitude",
                                "Radar Target Altitude", "Radar Target Distance",  "Radar Target Speed",
                                "Radar Target Vertical Speed"};

class NamedVariables : public ::testing::Test {
protected:
    NamedVariables() {
        registered.traffic = &info;
        faketraffic::RegisterTrafficInterface(host, registered);
        // The inputs are owned by other panel gauges.
        host.CreateNamedVariable("Radar Mode");
        host.CreateNamedVariable("Radar Range");
        info.aircraft.resize(3);
        for (int k = 0; k < 3; ++k) info.aircraft[k].id = 10 + k;
    }
    double Value(const std::string& name) const { return host.NamedVariableValue(name); }

    fakehost::FakeHost host;
    faketraffic::FakeTrafficInfo info;
    faketraffic::FakeRegistered registered;
    gauge::SharedState shared;  // the module's, for every gauge of a test
};

TEST_F(NamedVariables, TheFirstCallInitialisesTheInputsAndRegistersTheOutputsOnly) {
    gauge::CircularRadarGauge gauge(shared);
    gauge.UpdateNamedVariables();
    EXPECT_EQ(Value("Radar Mode"), 2.0);
    EXPECT_EQ(Value("Radar Range"), 40.0);
    const auto& names = host.NamedVariableNames();
    ASSERT_EQ(names.size(), 9u);
    for (int k = 0; k < 7; ++k) EXPECT_EQ(names[2 + k], kOutputs[k]);
    EXPECT_EQ(host.SetValueCount(), 2);  // nothing else is published yet
}

// The radar draws before the control gauge made the inputs (a host answers
// -1 for them): it makes them with its defaults, the control gauge later
// finds them under its own spelling, and the radar follows its writes. No
// id the host did not issue reaches get or set on the way.
TEST(NamedVariablesInAnyLoadOrder, TheRadarMakesMissingInputsAndFollowsTheControlGauge) {
    fakehost::FakeHost host;
    gauge::SharedState shared;
    gauge::CircularRadarGauge gauge(shared);
    gauge.UpdateNamedVariables();
    EXPECT_EQ(host.NamedVariableId("Radar Mode"), 0);  // the host's ids count from 0
    EXPECT_EQ(host.NamedVariableValue("Radar Mode"), 2.0);
    EXPECT_EQ(host.NamedVariableValue("Radar Range"), 40.0);

    EXPECT_EQ(host.CreateNamedVariable("radar range", 10.0), host.NamedVariableId("Radar Range"));
    host.CreateNamedVariable("RADAR MODE", 4.0);
    gauge.UpdateNamedVariables();
    EXPECT_EQ(gauge.range_nm(), 10.0f);
    EXPECT_EQ(gauge.mode(), 4);
    EXPECT_EQ(host.NamedVariableNames().size(), 9u);
    EXPECT_EQ(host.UnissuedIdCount(), 0);
}

// A host that issues no ids at all: the radar keeps its defaults and hands
// get and set nothing.
int g_value_calls = 0;
std::int32_t HOST_CALL NoId(const char*) { return sim::kNoNamedVariable; }
double HOST_CALL CountedGet(std::int32_t) { return ++g_value_calls, 0.0; }
void HOST_CALL CountedSet(std::int32_t, double) { ++g_value_calls; }

TEST(NamedVariablesInAnyLoadOrder, AHostThatIssuesNoIdsIsNeverAskedForValues) {
    fakehost::FakeHost host;
    host.table().entry[sim::kCheckNamedVariable] = reinterpret_cast<void*>(&NoId);
    host.table().entry[sim::kRegisterNamedVariable] = reinterpret_cast<void*>(&NoId);
    host.table().entry[sim::kGetNamedVariableValue] = reinterpret_cast<void*>(&CountedGet);
    host.table().entry[sim::kSetNamedVariableValue] = reinterpret_cast<void*>(&CountedSet);
    gauge::SharedState shared;
    gauge::CircularRadarGauge gauge(shared);
    for (int k = 0; k < 3; ++k) gauge.UpdateNamedVariables();
    EXPECT_EQ(g_value_calls, 0);
    EXPECT_EQ(gauge.mode(), 2);
    EXPECT_EQ(gauge.range_nm(), 40.0f);
}

TEST_F(NamedVariables, WithoutASelectionSelectedIsZeroAndTheRestMinusOne) {
    gauge::RadarGauge gauge(shared);
    gauge.UpdateNamedVariables();
    EXPECT_EQ(Value("Radar Mode"), 3.0);
    gauge.UpdateNamedVariables();
    EXPECT_EQ(Value("Radar Target Selected"), 0.0);
    for (int k = 1; k < 7; ++k) EXPECT_EQ(Value(kOutputs[k]), -1.0) << kOutputs[k];
}

TEST_F(NamedVariables, TheSelectedRecordIsPublishedWithTheCapturedDistance) {
    gauge::RadarGauge gauge(shared);
    gauge.UpdateNamedVariables();
    traffic::RadarTarget& target = *gauge.traffic_list().Target(2);
    target.latitude_deg = 47.5;
    target.longitude_deg = -122.25;
    target.altitude_ft = 12000.0;
    target.ground_speed_kt = 250.0;
    target.vertical_speed_fpm = -700.0;
    traffic::SetTargetIdentifier(target, "N1");
    gauge.selection().Pick("N1", 2);
    gauge.selection().Capture(2, 12.5f, 0.0f);
    gauge.UpdateNamedVariables();
    EXPECT_EQ(Value("Radar Target Selected"), 1.0);
    EXPECT_EQ(Value("Radar Target Latitude"), 47.5);
    EXPECT_EQ(Value("Radar Target Longitude"), -122.25);
    EXPECT_EQ(Value("Radar Target Altitude"), 12000.0);
    EXPECT_EQ(Value("Radar Target Distance"), 12.5);
    EXPECT_EQ(Value("Radar Target Speed"), 250.0);
    EXPECT_EQ(Value("Radar Target Vertical Speed"), -700.0);

    // An index beyond the records: the record carrying the identifier is
    // published and the index follows it.
    gauge.selection().Pick("N1", 1000);
    gauge.UpdateNamedVariables();
    EXPECT_EQ(Value("Radar Target Selected"), 1.0);
    EXPECT_EQ(Value("Radar Target Latitude"), 47.5);
    EXPECT_EQ(gauge.selection().index(), 2);
}

// An airborne aircraft of the traffic interface, told apart by its latitude.
faketraffic::Aircraft Flying(sim::TrafficId id, const std::string& atc_id, double latitude_deg) {
    faketraffic::Aircraft a;
    a.id = id;
    a.atc_id = atc_id;
    a.Set("PLANE LATITUDE", "DEGREES", latitude_deg)
        .Set("PLANE LONGITUDE", "DEGREES", 8.5)
        .Set("INDICATED ALTITUDE", "FEET", 9000.0 + id)
        .Set("PLANE ALT ABOVE GROUND", "FEET", 7000.0)
        .Set("GROUND VELOCITY", "KNOTS", 200.0 + id)
        .Set("VELOCITY WORLD Y", "FEET PER MINUTE", -400.0 - id);
    return a;
}

TEST_F(NamedVariables, TheSelectionFollowsItsIdentifierThroughRebuilds) {
    info.aircraft = {Flying(1, "OWN", 47.0), Flying(2, "N2", 47.2), Flying(3, "N3", 47.3)};
    gauge::RadarGauge gauge(shared);
    gauge.UpdateNamedVariables();
    gauge.selection().Pick("N3", 2);
    gauge.selection().Capture(2, 7.5f, 0.0f);
    const auto expect_published = [&](double latitude_deg, std::int32_t index) {
        const traffic::RadarTarget& target = *gauge.traffic_list().Target(static_cast<std::uint32_t>(index));
        EXPECT_EQ(gauge.selection().index(), index);
        EXPECT_EQ(Value("Radar Target Selected"), 1.0);
        EXPECT_EQ(Value("Radar Target Latitude"), latitude_deg);
        EXPECT_EQ(Value("Radar Target Longitude"), 8.5);
        EXPECT_EQ(Value("Radar Target Altitude"), target.altitude_ft);
        EXPECT_EQ(Value("Radar Target Distance"), 7.5);
        EXPECT_EQ(Value("Radar Target Speed"), target.ground_speed_kt);
        EXPECT_EQ(Value("Radar Target Vertical Speed"), target.vertical_speed_fpm);
    };
    const auto rebuild_with = [&](double range_nm) {
        host.SetNamedVariableValue("Radar Range", range_nm);  // rebuilds inside the exchange
        gauge.UpdateNamedVariables();
    };
    gauge.UpdateNamedVariables();
    expect_published(47.3, 2);

    // Another aircraft now holds the old slot: the target's values, from its new one.
    info.aircraft = {Flying(1, "OWN", 47.0), Flying(3, "N3", 47.35), Flying(2, "N2", 47.25)};
    rebuild_with(20.0);
    expect_published(47.35, 1);

    // Gone: the old slot lies beyond the list and holds a stale copy of it.
    info.aircraft = {Flying(1, "OWN", 47.0)};
    rebuild_with(30.0);
    ASSERT_STREQ(gauge.traffic_list().Target(1)->identifier, "N3");
    EXPECT_EQ(Value("Radar Target Selected"), 1.0);  // the pilot's selection stands
    for (int k = 1; k < 7; ++k) EXPECT_EQ(Value(kOutputs[k]), -1.0) << kOutputs[k];
    EXPECT_STREQ(gauge.selection().identifier(), "N3");

    // Back, in yet another slot.
    info.aircraft = {Flying(1, "OWN", 47.0), Flying(2, "N2", 47.2), Flying(4, "N4", 47.4), Flying(3, "N3", 47.45)};
    rebuild_with(40.0);
    expect_published(47.45, 3);
}

TEST_F(NamedVariables, RangesFromFiveOnAreTakenAndRefreshTheListAtOnce) {
    gauge::RadarGauge gauge(shared);
    gauge.UpdateNamedVariables();
    const std::size_t queries = info.radius_requests_m.size();

    host.SetNamedVariableValue("Radar Range", 4.9);
    gauge.UpdateNamedVariables();
    EXPECT_EQ(gauge.range_nm(), 40.0f);
    EXPECT_EQ(info.radius_requests_m.size(), queries);

    host.SetNamedVariableValue("Radar Range", 5.0);
    gauge.UpdateNamedVariables();
    EXPECT_EQ(gauge.range_nm(), 5.0f);
    ASSERT_EQ(info.radius_requests_m.size(), queries + 1);
    EXPECT_DOUBLE_EQ(info.radius_requests_m.back(), 5.0 * 1852.0);
    EXPECT_EQ(gauge.traffic_list().range_nm(), 5.0);

    gauge.UpdateNamedVariables();  // unchanged: no new rebuild
    EXPECT_EQ(info.radius_requests_m.size(), queries + 1);

    host.SetNamedVariableValue("Radar Range", std::nan(""));
    gauge.UpdateNamedVariables();
    EXPECT_EQ(gauge.range_nm(), 5.0f);
    host.SetNamedVariableValue("Radar Range", 1e300);  // held to the largest float
    gauge.UpdateNamedVariables();
    EXPECT_EQ(gauge.range_nm(), std::numeric_limits<float>::max());
}

TEST_F(NamedVariables, TheModeIsCutTowardZeroAndZeroKeepsIt) {
    gauge::RadarGauge gauge(shared);
    gauge.UpdateNamedVariables();
    const struct {
        double value;
        std::int32_t mode;
    } cases[] = {{2.9, 2},
                 {0.0, 2},
                 {4.0, 4},
                 {0.5, 4},
                 {-3.0, -3},
                 {5.0, 5},
                 {std::nan(""), 5},
                 {1e300, std::numeric_limits<std::int32_t>::max()},
                 {-1e300, std::numeric_limits<std::int32_t>::min()}};
    for (const auto& c : cases) {
        host.SetNamedVariableValue("Radar Mode", c.value);
        gauge.UpdateNamedVariables();
        EXPECT_EQ(gauge.mode(), c.mode) << c.value;
    }
}

TEST_F(NamedVariables, EveryGaugeObjectExchangesThroughTheModuleIdentifiers) {
    gauge::CircularRadarGauge first(shared);
    first.UpdateNamedVariables();
    gauge::AmberRadarGauge second(shared);
    host.SetNamedVariableValue("Radar Mode", 4.0);
    host.SetNamedVariableValue("Radar Range", 20.0);
    second.UpdateNamedVariables();
    EXPECT_EQ(second.mode(), 4);
    EXPECT_EQ(second.range_nm(), 20.0f);
    EXPECT_EQ(Value("Radar Mode"), 4.0);  // the second object did not initialise again
    EXPECT_EQ(host.NamedVariableNames().size(), 9u);

    // The first exchange after the registering one takes the outputs; the
    // other object reads the inputs but leaves the outputs alone.
    second.selection().Pick("X", 1);
    second.UpdateNamedVariables();
    EXPECT_EQ(Value("Radar Target Selected"), 1.0);
    first.UpdateNamedVariables();
    EXPECT_EQ(Value("Radar Target Selected"), 1.0);
    EXPECT_EQ(first.mode(), 4);
}

}  // namespace
