// The radar allocates nothing of its own in a frame once the first frame is
// drawn, and nothing per target at all. Allocations are counted by replacing
// operator new for this test binary; the recording GDI+ stand-in's own
// bookkeeping is left out (GDI+ itself allocates nothing in a frame here),
// and so is every host service this test stands in for (none of them
// allocates once warmed up).
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>

#include <gtest/gtest.h>

#include "fake_host.h"
#include "fake_traffic.h"
#include "gauge/radar_gauge.h"
#include "gauge/shared_state.h"
#include "gdiplus_recorder.h"
#include "platform/host_services.h"
#include "traffic/traffic_list.h"
#include "platform/units.h"

namespace {

bool counting_allocations = false;
long counted_allocations = 0;

void NoteAllocation() {
    if (counting_allocations && !recorder::InBookkeeping()) ++counted_allocations;
}

void* Allocate(std::size_t size) {
    NoteAllocation();
    return std::malloc(size != 0 ? size : 1);
}

void* AllocateAligned(std::size_t size, std::align_val_t alignment) {
    NoteAllocation();
    const auto align = static_cast<std::size_t>(alignment);
    const std::size_t rounded = (size + align - 1) / align * align;
    return std::aligned_alloc(align, rounded != 0 ? rounded : align);
}

}  // namespace

void* operator new(std::size_t size) {
    if (void* p = Allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    if (void* p = Allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new(std::size_t size, std::align_val_t alignment) {
    if (void* p = AllocateAligned(size, alignment)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    if (void* p = AllocateAligned(size, alignment)) return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return AllocateAligned(size, alignment);
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return AllocateAligned(size, alignment);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t, const std::nothrow_t&) noexcept { std::free(p); }

namespace {

// Counts the allocations made while it lives.
class CountedAllocations {
public:
    CountedAllocations() {
        counted_allocations = 0;
        counting_allocations = true;
    }
    ~CountedAllocations() { counting_allocations = false; }
    long count() const { return counted_allocations; }
};

constexpr std::uint32_t kTrafficAircraft = traffic::kMaxTrafficTargets;
constexpr std::uint32_t kNetPlayers = traffic::kMaxNetPlayers;
constexpr double kOwnAltitude_m = 1500.0;
constexpr double kTargetAltitude_ft = 5000.0;  // near the own altitude: in the altitude display's view
constexpr const char* kSelectedName = "SEL";

// The traffic component as a host would have it: fixed records, answers
// without allocating, so that whatever is counted is the radar's.
class StillTraffic final : public sim::RegisteredInterface, public sim::TrafficInfo {
public:
    std::uint32_t count = 0;

    void* HOST_METHOD QueryInterface(const char*) override { return static_cast<sim::TrafficInfo*>(this); }
    sim::TrafficHandle HOST_METHOD GetVariableHandle(const char* name) override {
        if (std::strcmp(name, "PLANE LATITUDE") == 0) return kLatitude;
        if (std::strcmp(name, "PLANE LONGITUDE") == 0) return kLongitude;
        if (std::strcmp(name, "ATC ID") == 0) return kName;
        return kOther;
    }
    sim::TrafficHandle HOST_METHOD GetUnitsHandle(const char*) override { return 1; }
    std::uint32_t HOST_METHOD GetTrafficInRadius(double, std::uint32_t max_count, sim::TrafficId* ids) override {
        const std::uint32_t written = count < max_count ? count : max_count;
        for (std::uint32_t k = 0; k < written; ++k) ids[k] = k;
        return written;
    }
    // Aircraft k stands k × 0.002° north-east of the own ship at 0° N 0° E.
    std::int32_t HOST_METHOD GetNumericValue(sim::TrafficId id, sim::TrafficHandle variable, sim::TrafficHandle,
                                           double* result, std::uint32_t) override {
        *result = variable == kLatitude || variable == kLongitude ? 0.01 + id * 0.002 : kTargetAltitude_ft;
        return 1;
    }
    std::int32_t HOST_METHOD GetStringValue(sim::TrafficId, sim::TrafficHandle, char* buffer, std::uint32_t size,
                                          std::uint32_t) override {
        std::strncpy(buffer, "TRAFFIC", size);
        return 1;
    }
    std::uint32_t HOST_METHOD ReducedDataFlag() override { return 0; }
    const char* HOST_METHOD GetTrafficName(sim::TrafficId) override { return "TRAFFIC"; }

private:
    enum : sim::TrafficHandle { kLatitude = 1, kLongitude, kName, kOther };
};

StillTraffic* still_traffic = nullptr;

// Stands in for the host's registry, which the fake host keeps in growing
// lists of its own.
void* HOST_CALL FindStillTraffic(const char*) { return static_cast<sim::RegisteredInterface*>(still_traffic); }

class AllocationGuardTest : public testing::Test {
protected:
    AllocationGuardTest() {
        still_traffic = &traffic_;
        host_.table().entry[sim::kGetRegisteredInterface] = reinterpret_cast<void*>(&FindStillTraffic);
        host_.CreateNamedVariable("Radar Mode");
        host_.CreateNamedVariable("Radar Range");
        host_.SetModuleVariable(sim::kTokenOwnAltitude, kOwnAltitude_m);
        host_.SetModuleVariable(sim::kTokenOwnHeading, 0.0);
        SetHostTime(1.0);
        // The fake host makes its bookkeeping for a token at its first look-up.
        for (std::uint32_t token : {sim::kTokenOwnLatitude, sim::kTokenOwnLongitude, sim::kTokenOwnAltitude,
                                    sim::kTokenOwnHeading, sim::kTokenHostTime}) {
            platform::TokenVariable variable = platform::MakeModuleVariable(token);
            platform::LookupModuleVariable(variable.record);
        }
    }
    ~AllocationGuardTest() override { still_traffic = nullptr; }

    // Full sources: 100 aircraft and 256 players, player 0 straight ahead.
    void FillSky(bool full) {
        traffic_.count = full ? kTrafficAircraft : 0;
        for (std::size_t slot = 0; slot < kNetPlayers; ++slot) {
            faketraffic::NetPlayer player;
            player.active = full ? 1 : 0;
            player.name = slot == 0 ? kSelectedName : "PLAYER";
            // Player 0 due north, the others spread north-west of the own ship.
            player.latitude_units = (0.1 + slot * 0.001) / (360.0 * sim::kLatitudeUnitFactor);
            player.longitude_units = -(slot * 0.001) / (360.0 * sim::kLongitudeUnitFactor);
            player.altitude_m = kTargetAltitude_ft / units::kFeetPerMetre;
            player.velocity_a = 300.0f;
            player.heading_deg = 45.0f;
            players_.SetPlayer(slot, player);
        }
    }

    void SetHostTime(double seconds) {
        time_s_ = seconds;
        host_.SetHostTime(seconds);
    }
    void AdvanceHostTime(double seconds) { SetHostTime(time_s_ + seconds); }

    fakehost::FakeHost host_;
    gauge::SharedState shared_;  // the module's, for the gauges of a test
    StillTraffic traffic_;
    faketraffic::FakeNetPlayers players_;
    fakehost::Placement rectangular_{fakehost::FakeDeviceContext(1), 512, 512};
    fakehost::Placement circular_{fakehost::FakeDeviceContext(2), 256, 256};
    double time_s_ = 0.0;
};

TEST_F(AllocationGuardTest, TheCounterSeesTheSystemsAllocationsButNotTheStandIns) {
    CountedAllocations allocations;
    int* volatile kept = new int(1);  // kept through a volatile so that no optimiser drops the pair
    delete kept;
    gdip::GpMatrix* matrix = nullptr;
    gdip::GdipCreateMatrix(&matrix);
    gdip::GdipDeleteMatrix(matrix);
    EXPECT_EQ(allocations.count(), 1);
    EXPECT_FALSE(recorder::Calls().empty());
}

class AllocationGuardModeTest : public AllocationGuardTest, public testing::WithParamInterface<int> {};

// Frames after the first, with the periodic rebuilds, a rebuild for a new
// range, frames that find the host time unchanged, the selection drawn and
// both overlays: not one allocation.
TEST_P(AllocationGuardModeTest, FramesAfterTheFirstAllocateNothing) {
    ASSERT_TRUE(players_.loaded());
    FillSky(true);
    host_.SetNamedVariableValue("Radar Mode", GetParam());
    gauge::RadarGauge rectangular(shared_);
    gauge::CircularRadarGauge circular(shared_);
    rectangular.selection().Pick(kSelectedName, 0);
    circular.selection().Pick(kSelectedName, 0);
    rectangular.Draw(&rectangular_.header);  // registers the named variables
    circular.Draw(&circular_.header);
    host_.SetNamedVariableValue("Radar Mode", GetParam());
    AdvanceHostTime(0.1);
    rectangular.Draw(&rectangular_.header);
    circular.Draw(&circular_.header);

    long allocations = 0;
    {
        CountedAllocations counted;
        for (int frame = 0; frame < 40; ++frame) {
            AdvanceHostTime(0.1);
            if (frame == 20) host_.SetNamedVariableValue("Radar Range", 20.0);
            rectangular.Draw(&rectangular_.header);
            circular.Draw(&circular_.header);
            rectangular.Draw(&rectangular_.header);  // the host time unchanged
        }
        allocations = counted.count();
    }
    EXPECT_EQ(allocations, 0);
    EXPECT_EQ(rectangular.mode(), GetParam());
    EXPECT_EQ(rectangular.traffic_list().Count(), kTrafficAircraft + kNetPlayers);
    EXPECT_EQ(rectangular.traffic_list().range_nm(), 20.0);
    EXPECT_TRUE(rectangular.selection().visible());
    EXPECT_TRUE(circular.selection().visible());
    EXPECT_GT(recorder::CallsNamed("GdipDrawString").size(), 0u);
}

INSTANTIATE_TEST_SUITE_P(EveryDisplay, AllocationGuardModeTest, testing::Values(2, 3, 4));

TEST_F(AllocationGuardTest, AFullRebuildAllocatesNothing) {
    ASSERT_TRUE(players_.loaded());
    FillSky(true);
    traffic::TrafficList list(shared_.refresh_clock, shared_.net_module_search);
    list.PeriodicRefresh();  // finds the network-player module
    long allocations = 0;
    {
        CountedAllocations counted;
        list.Refresh();
        list.SetRange(10.0f);
        allocations = counted.count();
    }
    EXPECT_EQ(allocations, 0);
    EXPECT_EQ(list.Count(), kTrafficAircraft + kNetPlayers);
}

// A gauge's whole life: made, drawn in every mode, selected, destroyed.
long AllocationsOfAGaugesLife(gauge::SharedState& shared, fakehost::Placement& placement,
                              std::function<void(double)> advance, fakehost::FakeHost& host) {
    CountedAllocations counted;
    {
        gauge::AmberRadarGauge gauge(shared);
        gauge.selection().Pick(kSelectedName, 0);
        for (int mode : {2, 3, 4}) {
            host.SetNamedVariableValue("Radar Mode", mode);
            for (int frame = 0; frame < 3; ++frame) {
                advance(0.5);
                gauge.Draw(&placement.header);
            }
        }
    }
    return counted.count();
}

TEST_F(AllocationGuardTest, NothingIsAllocatedPerTarget) {
    ASSERT_TRUE(players_.loaded());
    auto advance = [this](double seconds) { AdvanceHostTime(seconds); };
    FillSky(false);
    AllocationsOfAGaugesLife(shared_, rectangular_, advance, host_);  // the module's first use of everything
    const long without_targets = AllocationsOfAGaugesLife(shared_, rectangular_, advance, host_);
    FillSky(true);
    const long with_356_targets = AllocationsOfAGaugesLife(shared_, rectangular_, advance, host_);
    EXPECT_GT(without_targets, 0);  // the gauge, its list, resources and surface
    EXPECT_EQ(with_356_targets, without_targets);
}

}  // namespace
