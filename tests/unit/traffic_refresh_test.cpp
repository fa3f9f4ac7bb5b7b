// Binding the traffic interface and rebuilding the list from it, once per
// host second, also when the host time steps backwards (a reloaded flight),
// takes one wild value or is not a number.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "fake_host.h"
#include "fake_traffic.h"
#include "traffic/traffic_list.h"

namespace {

using faketraffic::Aircraft;
using traffic::TrafficList;

// An aircraft with every value the full-data path reads, each one distinct
// so that a handle kept in the wrong slot shows.
Aircraft FullAircraft(sim::TrafficId id, const std::string& atc_id) {
    Aircraft a;
    a.id = id;
    a.atc_id = atc_id;
    a.Set("PLANE LATITUDE", "DEGREES", 45.25)
        .Set("PLANE LONGITUDE", "DEGREES", 7.125)
        .Set("INDICATED ALTITUDE", "FEET", 5500.5)
        .Set("PLANE ALTITUDE", "FEET", 9999.0)  // the reduced-data path's altitude
        .Set("VELOCITY WORLD Y", "FEET PER MINUTE", -512.7)
        .Set("PLANE ALT ABOVE GROUND", "FEET", 1234.9)
        .Set("GROUND VELOCITY", "KNOTS", 143.5)
        .Set("PLANE HEADING DEGREES MAGNETIC", "DEGREES", 271.5)
        .Set("PLANE HEADING DEGREES TRUE", "DEGREES", 268.0);
    return a;
}

// An airborne aircraft at this latitude, with only the values the tests of
// the rebuild's timing look at.
Aircraft AircraftAt(sim::TrafficId id, double latitude_deg) {
    Aircraft a;
    a.id = id;
    a.atc_id = "N" + std::to_string(id);
    a.Set("PLANE LATITUDE", "DEGREES", latitude_deg).Set("PLANE ALT ABOVE GROUND", "FEET", 3000.0);
    return a;
}

class TrafficRefresh : public ::testing::Test {
protected:
    faketraffic::TrafficHost traffic_host;
    fakehost::FakeHost& host = traffic_host.host;
    faketraffic::FakeTrafficInfo& info = traffic_host.info;
    faketraffic::FakeRegistered& registered = traffic_host.registered;
};

TEST_F(TrafficRefresh, BindsOnceInTheHostsOrder) {
    faketraffic::StandaloneList list;
    EXPECT_TRUE(list.has_traffic_interface());
    EXPECT_EQ(host.InterfaceRequests(), std::vector<std::string>{"ITrafficInfo"});
    EXPECT_EQ(registered.queries, std::vector<std::string>{"ITrafficInfo"});
    EXPECT_EQ(info.variable_requests,
              (std::vector<std::string>{"PLANE LATITUDE", "PLANE LONGITUDE", "PLANE ALTITUDE", "INDICATED ALTITUDE",
                                        "VELOCITY WORLD Y", "PLANE ALT ABOVE GROUND", "GROUND VELOCITY",
                                        "PLANE HEADING DEGREES TRUE", "PLANE HEADING DEGREES MAGNETIC", "ATC ID"}));
    EXPECT_EQ(info.unit_requests, (std::vector<std::string>{"DEGREES", "FEET", "FEET PER MINUTE", "KNOTS"}));

    list.Refresh();
    list.SetRange(20.0f);
    EXPECT_EQ(host.InterfaceRequests().size(), 1u);
    EXPECT_EQ(info.variable_requests.size(), 10u);
}

TEST_F(TrafficRefresh, NoRegisteredInterfaceIsNeverRetried) {
    host.registered_interface = nullptr;
    faketraffic::StandaloneList list;
    EXPECT_FALSE(list.has_traffic_interface());

    faketraffic::RegisterTrafficInterface(host, registered);  // too late
    info.aircraft.push_back(FullAircraft(1, "LATE"));
    list.SetRange(40.0f);
    list.Refresh();
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(host.InterfaceRequests().size(), 1u);
    EXPECT_TRUE(info.radius_requests_m.empty());
}

TEST_F(TrafficRefresh, NullAnswerFromQueryInterfaceIsNeverRetried) {
    registered.traffic = nullptr;
    faketraffic::StandaloneList list;
    EXPECT_FALSE(list.has_traffic_interface());
    EXPECT_TRUE(info.variable_requests.empty());

    registered.traffic = &info;
    info.aircraft.push_back(FullAircraft(1, "LATE"));
    list.SetRange(40.0f);
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(list.ReducedDataFlag(), 0u);
    EXPECT_EQ(registered.queries.size(), 1u);
    EXPECT_TRUE(info.radius_requests_m.empty());
}

TEST_F(TrafficRefresh, FullDataTargetIsConvertedFromTheNamedValues) {
    info.aircraft.push_back(FullAircraft(7, "N512VS"));
    faketraffic::StandaloneList list;
    list.SetRange(40.0f);

    ASSERT_EQ(info.radius_requests_m.size(), 1u);
    EXPECT_EQ(info.radius_requests_m[0], 74080.0);
    EXPECT_EQ(info.max_count_requests[0], 100u);
    ASSERT_EQ(list.Count(), 1u);
    const traffic::RadarTarget& t = *list.Target(0);
    EXPECT_EQ(t.latitude_deg, 45.25);
    EXPECT_EQ(t.longitude_deg, 7.125);
    EXPECT_EQ(t.altitude_ft, 5500.5);
    EXPECT_EQ(t.vertical_speed_fpm, -512.0);
    EXPECT_EQ(t.height_above_ground, 1234);
    EXPECT_EQ(t.heading_deg, 271.5);
    EXPECT_EQ(t.ground_speed_kt, 143.5);
    EXPECT_STREQ(t.identifier, "N512VS");
    EXPECT_EQ(std::u16string(t.wide_identifier), u"N512VS");
    EXPECT_EQ(t.source, traffic::kSourceTrafficInterface);
    EXPECT_EQ(info.string_buffer_sizes, std::vector<std::uint32_t>{16u});
    EXPECT_EQ(info.traffic_name_calls, 0);
}

TEST_F(TrafficRefresh, ReducedDataGivesFixedSpeedLevelFlightAndTheTrafficName) {
    static const char kName[] = "AI Traffic 1";
    Aircraft a = FullAircraft(3, "IGNORED");
    a.name = kName;
    info.aircraft.push_back(a);
    info.aircraft.push_back(FullAircraft(4, "ALSO IGNORED"));
    info.reduced_data = 1;
    faketraffic::StandaloneList list;
    info.reduced_data_calls = 0;
    list.SetRange(40.0f);

    ASSERT_EQ(list.Count(), 2u);
    EXPECT_EQ(info.reduced_data_calls, 2);  // once per target
    EXPECT_TRUE(info.string_buffer_sizes.empty());
    const traffic::RadarTarget& t = *list.Target(0);
    EXPECT_EQ(t.altitude_ft, 9999.0);
    EXPECT_EQ(t.heading_deg, 268.0);
    EXPECT_EQ(t.height_above_ground, 9999);
    EXPECT_EQ(t.vertical_speed_fpm, 0.0);
    EXPECT_EQ(t.ground_speed_kt, 200.0);
    EXPECT_STREQ(t.identifier, "AI Traffic 1");
    EXPECT_EQ(t.latitude_deg, 45.25);
    // No name at all (null from the interface) gives an empty identifier.
    EXPECT_STREQ(list.Target(1)->identifier, "");
    EXPECT_EQ(list.Target(1)->ground_speed_kt, 200.0);
}

TEST_F(TrafficRefresh, NamesEndInsideTheSixteenByteBuffer) {
    // A trailing run of non-NUL bytes right after a 15-character name with
    // no terminator: reading past it would pull them in.
    struct {
        char name[15];
        char beyond[9];
    } unterminated;
    std::memset(unterminated.name, 'N', sizeof(unterminated.name));
    std::memcpy(unterminated.beyond, "BEYOND!!", 9);

    Aircraft long_atc = FullAircraft(1, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    Aircraft exact_atc = FullAircraft(2, "ABCDEFGHIJKLMNO");
    Aircraft named = FullAircraft(3, "");
    named.name = unterminated.name;
    info.aircraft = {long_atc, exact_atc, named};
    faketraffic::StandaloneList list;
    list.SetRange(40.0f);
    ASSERT_EQ(list.Count(), 3u);
    EXPECT_STREQ(list.Target(0)->identifier, "ABCDEFGHIJKLMNO");
    EXPECT_STREQ(list.Target(1)->identifier, "ABCDEFGHIJKLMNO");

    info.reduced_data = 1;
    list.Refresh();
    EXPECT_STREQ(list.Target(2)->identifier, "NNNNNNNNNNNNNNN");
}

TEST_F(TrafficRefresh, ValuesNotDeliveredReadAsZeroNotAsTheTargetBefore) {
    Aircraft bare;
    bare.id = 2;
    info.aircraft = {FullAircraft(1, "FULL"), bare};
    faketraffic::StandaloneList list;
    list.SetRange(40.0f);
    ASSERT_EQ(list.Count(), 2u);
    const traffic::RadarTarget& t = *list.Target(1);
    EXPECT_EQ(t.latitude_deg, 0.0);
    EXPECT_EQ(t.longitude_deg, 0.0);
    EXPECT_EQ(t.altitude_ft, 0.0);
    EXPECT_EQ(t.vertical_speed_fpm, 0.0);
    EXPECT_EQ(t.height_above_ground, 0);
    EXPECT_EQ(t.heading_deg, 0.0);
    EXPECT_EQ(t.ground_speed_kt, 0.0);
    EXPECT_STREQ(t.identifier, "");
}

// Whole numbers stay defined; a value that is not a number is unknown, and a
// height that is not one never clears the ground filter.
TEST_F(TrafficRefresh, WholeNumbersFromWildValuesStayDefined) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    Aircraft a = FullAircraft(1, "A");
    a.Set("VELOCITY WORLD Y", "FEET PER MINUTE", nan).Set("PLANE ALT ABOVE GROUND", "FEET", 1e300);
    Aircraft b = FullAircraft(2, "B");
    b.Set("VELOCITY WORLD Y", "FEET PER MINUTE", 3e9).Set("PLANE ALT ABOVE GROUND", "FEET", -inf);
    Aircraft c = FullAircraft(3, "C");
    c.Set("VELOCITY WORLD Y", "FEET PER MINUTE", -3e9).Set("PLANE ALT ABOVE GROUND", "FEET", nan);
    info.aircraft = {a, b, c};
    faketraffic::StandaloneList list;
    list.SetRange(40.0f);
    ASSERT_EQ(list.Count(), 3u);
    EXPECT_TRUE(std::isnan(list.Target(0)->vertical_speed_fpm));
    EXPECT_EQ(list.Target(0)->height_above_ground, INT32_MAX);
    EXPECT_EQ(list.Target(1)->vertical_speed_fpm, 2147483647.0);
    EXPECT_EQ(list.Target(1)->height_above_ground, traffic::kUnknownHeight);
    EXPECT_EQ(list.Target(2)->vertical_speed_fpm, -2147483648.0);
    EXPECT_EQ(list.Target(2)->height_above_ground, traffic::kUnknownHeight);
}

TEST_F(TrafficRefresh, KeepsQueryOrderAndShrinksWithTheQuery) {
    info.aircraft = {FullAircraft(30, "THIRTY"), FullAircraft(10, "TEN"), FullAircraft(20, "TWENTY")};
    faketraffic::StandaloneList list;
    list.SetRange(40.0f);
    ASSERT_EQ(list.Count(), 3u);
    EXPECT_STREQ(list.Target(0)->identifier, "THIRTY");
    EXPECT_STREQ(list.Target(1)->identifier, "TEN");
    EXPECT_STREQ(list.Target(2)->identifier, "TWENTY");

    list.Target(0)->last_paint_time = 12.5;
    list.Target(1)->last_paint_time = 13.0;
    list.Target(2)->last_paint_time = 14.0;
    info.aircraft = {FullAircraft(20, "TWENTY"), FullAircraft(40, "FORTY")};
    list.Refresh();
    ASSERT_EQ(list.Count(), 2u);
    EXPECT_STREQ(list.Target(0)->identifier, "TWENTY");
    EXPECT_STREQ(list.Target(1)->identifier, "FORTY");
    // Paint times belong to the slot, not the target.
    EXPECT_EQ(list.Target(0)->last_paint_time, 12.5);
    EXPECT_EQ(list.Target(1)->last_paint_time, 13.0);
    EXPECT_EQ(list.Target(2)->last_paint_time, 14.0);
}

TEST_F(TrafficRefresh, AnOverstatedCountIsCutToTheHundredAskedFor) {
    for (sim::TrafficId id = 1; id <= 120; ++id) info.aircraft.push_back(FullAircraft(id, "T" + std::to_string(id)));
    info.overstate_count = true;
    info.reported_count = 150;
    faketraffic::StandaloneList list;
    list.SetRange(40.0f);
    EXPECT_EQ(list.Count(), 100u);
    EXPECT_STREQ(list.Target(99)->identifier, "T100");

    info.reported_count = 0xFFFFFFFFu;
    list.Refresh();
    EXPECT_EQ(list.Count(), 100u);
}

TEST_F(TrafficRefresh, PeriodicRebuildWaitsMoreThanOneHostSecond) {
    info.aircraft = {FullAircraft(1, "A")};
    faketraffic::StandaloneList list;

    host.SetHostTime(10.0);
    list.PeriodicRefresh();
    EXPECT_EQ(info.radius_requests_m.size(), 1u);
    EXPECT_EQ(list.Count(), 1u);

    host.SetHostTime(11.0);
    list.PeriodicRefresh();
    EXPECT_EQ(info.radius_requests_m.size(), 1u);

    host.SetHostTime(11.01);
    list.PeriodicRefresh();
    EXPECT_EQ(info.radius_requests_m.size(), 2u);
    EXPECT_EQ(host.LookupCount(sim::kTokenHostTime), 3);
}

TEST_F(TrafficRefresh, EachListKeepsItsOwnRebuildTime) {
    info.aircraft = {FullAircraft(1, "A")};
    faketraffic::ListSharedState module;  // one clock for every list
    TrafficList first(module.clock, module.net_module_search);
    TrafficList second(module.clock, module.net_module_search);
    host.SetHostTime(10.0);
    first.PeriodicRefresh();
    host.SetHostTime(10.5);
    second.PeriodicRefresh();  // within the second that `first` started: rebuilds all the same
    EXPECT_EQ(info.radius_requests_m.size(), 2u);
    EXPECT_EQ(second.Count(), 1u);

    host.SetHostTime(11.0);
    first.PeriodicRefresh();  // 10.0 + 1 is not before 11.0
    second.PeriodicRefresh();
    EXPECT_EQ(info.radius_requests_m.size(), 2u);

    host.SetHostTime(11.2);
    first.PeriodicRefresh();  // its own second is over
    second.PeriodicRefresh();  // not yet: it rebuilt at 10.5
    EXPECT_EQ(info.radius_requests_m.size(), 3u);
    host.SetHostTime(11.6);
    second.PeriodicRefresh();
    first.PeriodicRefresh();
    EXPECT_EQ(info.radius_requests_m.size(), 4u);

    // A list made later starts from host time 0, not from the others' time.
    TrafficList late(module.clock, module.net_module_search);
    late.PeriodicRefresh();
    EXPECT_EQ(info.radius_requests_m.size(), 5u);
}

TEST_F(TrafficRefresh, HostTimeThatIsNotANumberNeverRebuilds) {
    faketraffic::StandaloneList list;
    host.SetHostTime(std::numeric_limits<double>::quiet_NaN());
    list.PeriodicRefresh();
    EXPECT_TRUE(info.radius_requests_m.empty());
    host.SetHostTime(5.0);
    list.PeriodicRefresh();
    EXPECT_EQ(info.radius_requests_m.size(), 1u);
}

// The list must not freeze until the host time comes round to the old value.
TEST_F(TrafficRefresh, ARebuildFollowsAStepBackAndTheOncePerSecondRuleThen) {
    info.aircraft = {AircraftAt(1, 10.0)};
    faketraffic::StandaloneList list;

    host.SetHostTime(5000.0);
    list.PeriodicRefresh();
    const std::size_t rebuilds_before = info.radius_requests_m.size();

    // The flight is reloaded: the host clock starts again near 0, the aircraft has moved.
    info.aircraft = {AircraftAt(1, 11.0)};
    host.SetHostTime(12.0);
    list.PeriodicRefresh();
    EXPECT_EQ(info.radius_requests_m.size(), rebuilds_before + 1);
    EXPECT_DOUBLE_EQ(list.Target(0)->latitude_deg, 11.0);

    // From there on, once per host second as always.
    host.SetHostTime(12.5);
    list.PeriodicRefresh();
    EXPECT_EQ(info.radius_requests_m.size(), rebuilds_before + 1);
    host.SetHostTime(13.5);
    list.PeriodicRefresh();
    EXPECT_EQ(info.radius_requests_m.size(), rebuilds_before + 2);
}

TEST_F(TrafficRefresh, OneHugeOrInfiniteHostTimeDoesNotStopTheRebuildsForGood) {
    info.aircraft = {AircraftAt(1, 10.0)};
    for (double wild : {1e300, std::numeric_limits<double>::infinity()}) {
        faketraffic::StandaloneList list;
        host.SetHostTime(wild);
        list.PeriodicRefresh();
        const std::size_t rebuilds = info.radius_requests_m.size();
        host.SetHostTime(100.0);
        list.PeriodicRefresh();
        EXPECT_EQ(info.radius_requests_m.size(), rebuilds + 1) << "after a host time of " << wild;
    }
}

TEST_F(TrafficRefresh, AHostTimeThatIsNotANumberAfterANumberStillNeverRebuilds) {
    info.aircraft = {AircraftAt(1, 10.0)};
    faketraffic::StandaloneList list;
    host.SetHostTime(10.0);
    list.PeriodicRefresh();
    const std::size_t rebuilds = info.radius_requests_m.size();
    host.SetHostTime(std::numeric_limits<double>::quiet_NaN());
    list.PeriodicRefresh();
    list.PeriodicRefresh();
    EXPECT_EQ(info.radius_requests_m.size(), rebuilds);
}

}  // namespace
