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
};

TEST_F(NamedVariables, TheFirstCallInitialisesTheInputsAndRegistersTheOutputsOnly) {
    gauge::CircularRadarGauge gauge;
    gauge.UpdateNamedVariables();
    EXPECT_EQ(Value("Radar Mode"), 2.0);
    EXPECT_EQ(Value("Radar Range"), 40.0);
    const auto& names = host.NamedVariableNames();
    ASSERT_EQ(names.size(), 9u);
    for (int k = 0; k < 7; ++k) EXPECT_EQ(names[2 + k], kOutputs[k]);
    EXPECT_EQ(host.SetValueCount(), 2);  // nothing else is published yet
}

TEST_F(NamedVariables, WithoutASelectionSelectedIsZeroAndTheRestMinusOne) {
    gauge::RadarGauge gauge;
    gauge.UpdateNamedVariables();
    EXPECT_EQ(Value("Radar Mode"), 3.0);
    gauge.UpdateNamedVariables();
    EXPECT_EQ(Value("Radar Target Selected"), 0.0);
    for (int k = 1; k < 7; ++k) EXPECT_EQ(Value(kOutputs[k]), -1.0) << kOutputs[k];
}

TEST_F(NamedVariables, TheSelectedRecordIsPublishedWithTheCapturedDistance) {
    gauge::RadarGauge gauge;
    gauge.UpdateNamedVariables();
    traffic::RadarTarget& target = *gauge.traffic_list().Target(2);
    target.latitude_deg = 47.5;
    target.longitude_deg = -122.25;
    target.altitude_ft = 12000.0;
    target.ground_speed_kt = 250.0;
    target.vertical_speed_fpm = -700.0;
    gauge.selected_index = 2;
    gauge.selected_distance_nm = 12.5f;
    std::strcpy(gauge.selected_identifier, "N1");
    gauge.UpdateNamedVariables();
    EXPECT_EQ(Value("Radar Target Selected"), 1.0);
    EXPECT_EQ(Value("Radar Target Latitude"), 47.5);
    EXPECT_EQ(Value("Radar Target Longitude"), -122.25);
    EXPECT_EQ(Value("Radar Target Altitude"), 12000.0);
    EXPECT_EQ(Value("Radar Target Distance"), 12.5);
    EXPECT_EQ(Value("Radar Target Speed"), 250.0);
    EXPECT_EQ(Value("Radar Target Vertical Speed"), -700.0);

    // An index beyond the records publishes no selection.
    gauge.selected_index = 1000;
    gauge.UpdateNamedVariables();
    EXPECT_EQ(Value("Radar Target Selected"), 0.0);
    EXPECT_EQ(Value("Radar Target Latitude"), -1.0);
}

TEST_F(NamedVariables, RangesFromFiveOnAreTakenAndRefreshTheListAtOnce) {
    gauge::RadarGauge gauge;
    gauge.UpdateNamedVariables();
    const std::size_t queries = info.radius_requests_m.size();

    host.SetNamedVariableValue("Radar Range", 4.9);
    gauge.UpdateNamedVariables();
    EXPECT_EQ(gauge.range_nm, 40.0f);
    EXPECT_EQ(info.radius_requests_m.size(), queries);

    host.SetNamedVariableValue("Radar Range", 5.0);
    gauge.UpdateNamedVariables();
    EXPECT_EQ(gauge.range_nm, 5.0f);
    ASSERT_EQ(info.radius_requests_m.size(), queries + 1);
    EXPECT_DOUBLE_EQ(info.radius_requests_m.back(), 5.0 * 1852.0);
    EXPECT_EQ(gauge.traffic_list().range_nm(), 5.0);

    gauge.UpdateNamedVariables();  // unchanged: no new rebuild
    EXPECT_EQ(info.radius_requests_m.size(), queries + 1);

    host.SetNamedVariableValue("Radar Range", std::nan(""));
    gauge.UpdateNamedVariables();
    EXPECT_EQ(gauge.range_nm, 5.0f);
    host.SetNamedVariableValue("Radar Range", 1e300);  // held to the largest float
    gauge.UpdateNamedVariables();
    EXPECT_EQ(gauge.range_nm, std::numeric_limits<float>::max());
}

TEST_F(NamedVariables, TheModeIsCutTowardZeroAndZeroKeepsIt) {
    gauge::RadarGauge gauge;
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
        EXPECT_EQ(gauge.mode, c.mode) << c.value;
    }
}

TEST_F(NamedVariables, EveryGaugeObjectExchangesThroughTheModuleIdentifiers) {
    gauge::CircularRadarGauge first;
    first.UpdateNamedVariables();
    gauge::AmberRadarGauge second;
    host.SetNamedVariableValue("Radar Mode", 4.0);
    host.SetNamedVariableValue("Radar Range", 20.0);
    second.UpdateNamedVariables();
    EXPECT_EQ(second.mode, 4);
    EXPECT_EQ(second.range_nm, 20.0f);
    EXPECT_EQ(Value("Radar Mode"), 4.0);  // the second object did not initialise again
    EXPECT_EQ(host.NamedVariableNames().size(), 9u);

    // The first exchange after the registering one takes the outputs; the
    // other object reads the inputs but leaves the outputs alone.
    std::strcpy(second.selected_identifier, "X");
    second.selected_index = 1;
    second.UpdateNamedVariables();
    EXPECT_EQ(Value("Radar Target Selected"), 1.0);
    first.UpdateNamedVariables();
    EXPECT_EQ(Value("Radar Target Selected"), 1.0);
    EXPECT_EQ(first.mode, 4);
}

}  // namespace
