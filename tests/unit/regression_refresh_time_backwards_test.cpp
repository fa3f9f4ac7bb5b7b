// A host time that steps backwards, as when the simulator reloads a flight
// or a host answers one wild value and then sane ones again: the traffic
// list must not freeze until the host time comes round to the old value.
#include <gtest/gtest.h>

#include <limits>

#include "fake_host.h"
#include "fake_traffic.h"
#include "traffic/traffic_list.h"

namespace {

faketraffic::Aircraft AircraftAt(host::TrafficId id, double latitude_deg) {
    faketraffic::Aircraft a;
    a.id = id;
    a.atc_id = "N" + std::to_string(id);
    a.Set("PLANE LATITUDE", "DEGREES", latitude_deg).Set("PLANE ALT ABOVE GROUND", "FEET", 3000.0);
    return a;
}

TEST(RegressionRefreshTimeBackwards, ARebuildFollowsAStepBackAndTheOncePerSecondRuleThen) {
    faketraffic::TrafficHost traffic_host;
    traffic_host.info.aircraft = {AircraftAt(1, 10.0)};
    traffic::TrafficList list;

    traffic_host.host.SetHostTime(5000.0);
    list.PeriodicRefresh();
    const std::size_t rebuilds_before = traffic_host.info.radius_requests_m.size();

    // The flight is reloaded: the host clock starts again near 0, the aircraft has moved.
    traffic_host.info.aircraft = {AircraftAt(1, 11.0)};
    traffic_host.host.SetHostTime(12.0);
    list.PeriodicRefresh();
    EXPECT_EQ(traffic_host.info.radius_requests_m.size(), rebuilds_before + 1);
    EXPECT_DOUBLE_EQ(list.Target(0)->latitude_deg, 11.0);

    // From there on, once per host second as always.
    traffic_host.host.SetHostTime(12.5);
    list.PeriodicRefresh();
    EXPECT_EQ(traffic_host.info.radius_requests_m.size(), rebuilds_before + 1);
    traffic_host.host.SetHostTime(13.5);
    list.PeriodicRefresh();
    EXPECT_EQ(traffic_host.info.radius_requests_m.size(), rebuilds_before + 2);
}

TEST(RegressionRefreshTimeBackwards, OneHugeOrInfiniteHostTimeDoesNotStopTheRebuildsForGood) {
    for (double wild : {1e300, std::numeric_limits<double>::infinity()}) {
        faketraffic::TrafficHost traffic_host;
        traffic_host.info.aircraft = {AircraftAt(1, 10.0)};
        traffic::TrafficList list;

        traffic_host.host.SetHostTime(wild);
        list.PeriodicRefresh();
        const std::size_t rebuilds = traffic_host.info.radius_requests_m.size();
        traffic_host.host.SetHostTime(100.0);
        list.PeriodicRefresh();
        EXPECT_EQ(traffic_host.info.radius_requests_m.size(), rebuilds + 1) << "after a host time of " << wild;
    }
}

TEST(RegressionRefreshTimeBackwards, AHostTimeThatIsNotANumberStillNeverRebuilds) {
    faketraffic::TrafficHost traffic_host;
    traffic_host.info.aircraft = {AircraftAt(1, 10.0)};
    traffic::TrafficList list;
    traffic_host.host.SetHostTime(10.0);
    list.PeriodicRefresh();
    const std::size_t rebuilds = traffic_host.info.radius_requests_m.size();
    traffic_host.host.SetHostTime(std::numeric_limits<double>::quiet_NaN());
    list.PeriodicRefresh();
    list.PeriodicRefresh();
    EXPECT_EQ(traffic_host.info.radius_requests_m.size(), rebuilds);
}

}  // namespace
