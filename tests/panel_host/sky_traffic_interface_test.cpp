// The host's traffic interface, answered from the simulated sky.
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "sky/sky.h"
#include "sky_test_support.h"
#include "sky/traffic_interface.h"

namespace {

using panelhost::kFirstTrafficId;
using panelhost::kOwnTrafficId;

// The own aircraft at 0 N 0 E; aircraft due north at 1, 3 and 2 NM (1 NM =
// 1/60 degree), one due east at 5 NM, one far away.
constexpr const char* kLine = R"(
own 0 0 10000 0 0 OWN
traffic THREE 0.05 0 5000 4000 90 210 -512.7
traffic ONE 0.0166667 0 3000 2500 180 150 800
traffic TWO 0.0333333 0 4000 0 0 0 0
traffic EAST5 0 0.0833333 6000 5000 270 300 0
traffic FAR 10 10 30000 29000 0 400 0
)";

constexpr double kMetresPerNm = 1852.0;

class TrafficInterfaceTest : public testing::Test {
protected:
    explicit TrafficInterfaceTest(std::string text = kLine) : sky_(skytest::ParseScenario(text)), traffic_(sky_) {}

    std::vector<sim::TrafficId> Query(double radius_nm, std::uint32_t max_count) {
        std::vector<sim::TrafficId> ids(max_count + 4, 0xDEADu);
        std::uint32_t count = traffic_.GetTrafficInRadius(radius_nm * kMetresPerNm, max_count, ids.data());
        EXPECT_EQ(ids[count], 0xDEADu) << "written past the count";
        ids.resize(count);
        return ids;
    }

    std::string AtcId(sim::TrafficId id, std::uint32_t buffer_size) {
        std::vector<char> buffer(buffer_size + 8, '#');
        traffic_.GetStringValue(id, traffic_.GetVariableHandle("ATC ID"), buffer.data(), buffer_size, 0);
        EXPECT_EQ(buffer[buffer_size], '#') << "written past the buffer";
        return std::string(buffer.data(), strnlen(buffer.data(), buffer_size));
    }

    double Numeric(sim::TrafficId id, const char* variable, const char* unit, double initial = -12345.0) {
        double value = initial;
        traffic_.GetNumericValue(id, traffic_.GetVariableHandle(variable), traffic_.GetUnitsHandle(unit), &value, 0);
        return value;
    }

    panelhost::Sky sky_;
    panelhost::TrafficInterface traffic_;
};

TEST_F(TrafficInterfaceTest, HandlesForEveryNameAndZeroForUnknownOnes) {
    const char* variables[] = {"PLANE LATITUDE",
                               "PLANE LONGITUDE",
                               "PLANE ALTITUDE",
                               "INDICATED ALTITUDE",
                               "VELOCITY WORLD Y",
                               "PLANE HEADING DEGREES MAGNETIC",
                               "PLANE HEADING DEGREES TRUE",
                               "PLANE ALT ABOVE GROUND",
                               "GROUND VELOCITY",
                               "ATC ID"};
    std::vector<sim::TrafficHandle> handles;
    for (const char* name : variables) handles.push_back(traffic_.GetVariableHandle(name));
    for (const char* name : {"DEGREES", "FEET", "FEET PER MINUTE", "KNOTS"}) {
        handles.push_back(traffic_.GetUnitsHandle(name));
    }
    for (std::size_t i = 0; i < handles.size(); ++i) {
        EXPECT_NE(handles[i], 0u) << i;
        for (std::size_t j = 0; j < i; ++j) EXPECT_NE(handles[i], handles[j]) << i << " " << j;
    }
    EXPECT_EQ(traffic_.GetVariableHandle("plane latitude"), 0u);  // names are exact
    EXPECT_EQ(traffic_.GetVariableHandle("KNOTS"), 0u);           // a unit is no variable
    EXPECT_EQ(traffic_.GetUnitsHandle("PLANE LATITUDE"), 0u);
    EXPECT_EQ(traffic_.GetUnitsHandle("METERS"), 0u);
    EXPECT_EQ(traffic_.GetVariableHandle(nullptr), 0u);
    std::string unterminated(1000, 'A');
    EXPECT_EQ(traffic_.GetVariableHandle(unterminated.c_str()), 0u);
}

TEST_F(TrafficInterfaceTest, RadiusQueryListsTheOwnAircraftThenTheNearestFirst) {
    const sim::TrafficId one = kFirstTrafficId + 1, two = kFirstTrafficId + 2, three = kFirstTrafficId + 0,
                          east = kFirstTrafficId + 3, far = kFirstTrafficId + 4;
    EXPECT_EQ(Query(40, 100), (std::vector<sim::TrafficId>{kOwnTrafficId, one, two, three, east}));
    EXPECT_EQ(Query(2.5, 100), (std::vector<sim::TrafficId>{kOwnTrafficId, one, two}));
    EXPECT_EQ(Query(0, 100), (std::vector<sim::TrafficId>{kOwnTrafficId}));
    EXPECT_EQ(Query(40, 3), (std::vector<sim::TrafficId>{kOwnTrafficId, one, two}));
    EXPECT_EQ(Query(5000, 100).back(), far);
    EXPECT_TRUE(Query(40, 0).empty());
    EXPECT_TRUE(Query(-1, 100).empty());
    EXPECT_TRUE(Query(std::nan(""), 100).empty());
    EXPECT_EQ(traffic_.GetTrafficInRadius(40 * kMetresPerNm, 100, nullptr), 0u);
}

TEST_F(TrafficInterfaceTest, NumericValuesInTheirUnitsAndNothingForWrongQuestions) {
    const sim::TrafficId three = kFirstTrafficId;
    EXPECT_NEAR(Numeric(three, "PLANE LATITUDE", "DEGREES"), 0.05, 1e-12);
    EXPECT_EQ(Numeric(three, "PLANE LONGITUDE", "DEGREES"), 0.0);
    EXPECT_EQ(Numeric(three, "PLANE ALTITUDE", "FEET"), 5000.0);
    EXPECT_EQ(Numeric(three, "INDICATED ALTITUDE", "FEET"), 5000.0);
    EXPECT_EQ(Numeric(three, "PLANE ALT ABOVE GROUND", "FEET"), 4000.0);
    EXPECT_EQ(Numeric(three, "VELOCITY WORLD Y", "FEET PER MINUTE"), -512.7);
    EXPECT_EQ(Numeric(three, "PLANE HEADING DEGREES TRUE", "DEGREES"), 90.0);
    EXPECT_EQ(Numeric(three, "PLANE HEADING DEGREES MAGNETIC", "DEGREES"), 90.0);
    EXPECT_EQ(Numeric(three, "GROUND VELOCITY", "KNOTS"), 210.0);
    EXPECT_EQ(Numeric(kOwnTrafficId, "INDICATED ALTITUDE", "FEET"), 10000.0);

    // Each of these leaves the result alone.
    EXPECT_EQ(Numeric(three, "PLANE LATITUDE", "FEET"), -12345.0);      // a unit of another kind
    EXPECT_EQ(Numeric(three, "ATC ID", "DEGREES"), -12345.0);          // a string
    EXPECT_EQ(Numeric(three, "NO SUCH VARIABLE", "FEET"), -12345.0);   // handle 0
    EXPECT_EQ(Numeric(three, "PLANE ALTITUDE", "NO SUCH UNIT"), -12345.0);
    EXPECT_EQ(Numeric(99, "PLANE ALTITUDE", "FEET"), -12345.0);        // unknown aircraft
    EXPECT_EQ(Numeric(kFirstTrafficId + 5, "PLANE ALTITUDE", "FEET"), -12345.0);
    double value = 7.0;
    const sim::TrafficHandle altitude = traffic_.GetVariableHandle("PLANE ALTITUDE");
    const sim::TrafficHandle feet = traffic_.GetUnitsHandle("FEET");
    EXPECT_EQ(traffic_.GetNumericValue(three, altitude, feet, &value, 1), 0);  // index other than 0
    EXPECT_EQ(traffic_.GetNumericValue(three, feet, altitude, &value, 0), 0);  // handles swapped
    EXPECT_EQ(value, 7.0);
    EXPECT_EQ(traffic_.GetNumericValue(three, altitude, feet, nullptr, 0), 0);
    EXPECT_EQ(traffic_.GetNumericValue(three, altitude, feet, &value, 0), 1);
}

TEST_F(TrafficInterfaceTest, AtcIdIsCutToTheBufferAndAlwaysTerminated) {
    const sim::TrafficId three = kFirstTrafficId;
    EXPECT_EQ(AtcId(three, 16), "THREE");
    EXPECT_EQ(AtcId(three, 6), "THREE");
    EXPECT_EQ(AtcId(three, 5), "THRE");
    EXPECT_EQ(AtcId(three, 1), "");
    EXPECT_EQ(AtcId(kOwnTrafficId, 16), "OWN");

    char untouched[4] = {'x', 'y', 'z', '\0'};
    EXPECT_EQ(traffic_.GetStringValue(three, traffic_.GetVariableHandle("ATC ID"), untouched, 0, 0), 0);
    EXPECT_EQ(traffic_.GetStringValue(three, traffic_.GetVariableHandle("PLANE ALTITUDE"), untouched, 4, 0), 0);
    EXPECT_EQ(traffic_.GetStringValue(three, 0, untouched, 4, 0), 0);
    EXPECT_EQ(traffic_.GetStringValue(77, traffic_.GetVariableHandle("ATC ID"), untouched, 4, 0), 0);
    EXPECT_STREQ(untouched, "xyz");
    EXPECT_EQ(traffic_.GetStringValue(three, traffic_.GetVariableHandle("ATC ID"), nullptr, 16, 0), 0);
}

TEST_F(TrafficInterfaceTest, FullDataByDefaultWithEachAircraftsOwnName) {
    EXPECT_EQ(traffic_.ReducedDataFlag(), 0u);
    EXPECT_STREQ(traffic_.GetTrafficName(kFirstTrafficId + 1), "ONE");
    EXPECT_STREQ(traffic_.GetTrafficName(12345), "");
}

class ReducedTrafficInterfaceTest : public TrafficInterfaceTest {
protected:
    ReducedTrafficInterfaceTest()
        : TrafficInterfaceTest(std::string(kLine) + "reduced-data on\ntraffic-name \"A NAME LONGER THAN SIXTEEN\"\n") {}
};

TEST_F(ReducedTrafficInterfaceTest, FlagNameAndNoOwnAircraftInTheAnswer) {
    EXPECT_EQ(traffic_.ReducedDataFlag(), 1u);
    EXPECT_STREQ(traffic_.GetTrafficName(kFirstTrafficId), "A NAME LONGER THAN SIXTEEN");
    EXPECT_STREQ(traffic_.GetTrafficName(kFirstTrafficId + 4), "A NAME LONGER THAN SIXTEEN");
    EXPECT_EQ(Query(2.5, 100), (std::vector<sim::TrafficId>{kFirstTrafficId + 1, kFirstTrafficId + 2}));
}

TEST(TrafficInterfaceOwnListing, OwnListedOffLeavesOnlyTheOthers) {
    panelhost::Sky sky(skytest::ParseScenario(std::string(kLine) + "own-listed off\n"));
    panelhost::TrafficInterface traffic(sky);
    sim::TrafficId ids[8] = {};
    ASSERT_EQ(traffic.GetTrafficInRadius(1.5 * kMetresPerNm, 8, ids), 1u);
    EXPECT_EQ(ids[0], kFirstTrafficId + 1);
}

TEST(TrafficComponent, HandsOutTheTrafficInterfaceByNameOnly) {
    panelhost::Sky sky(skytest::ParseScenario(kLine));
    panelhost::TrafficInterface traffic(sky);
    panelhost::TrafficComponent component(traffic);
    sim::RegisteredInterface& registered = component;
    EXPECT_EQ(registered.QueryInterface("ITrafficInfo"), static_cast<sim::TrafficInfo*>(&traffic));
    EXPECT_EQ(registered.QueryInterface("ITrafficInfo2"), nullptr);
    EXPECT_EQ(registered.QueryInterface(nullptr), nullptr);

    // The slots the radar does not use are harmless.
    registered.Slot0();
    registered.Slot1();
    sim::TrafficInfo& info = traffic;
    info.Slot0();
    info.Slot7();
    info.Slot11();
    info.Slot14();
}

}  // namespace
