// The list's records, its range and a record's identifier.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fake_host.h"
#include "fake_traffic.h"
#include "traffic/traffic_list.h"

namespace {

using traffic::RadarTarget;
using traffic::SetTargetIdentifier;
using traffic::TrafficList;

TEST(TrafficList, RecordsAreReachableUpToTheLastSlotOnly) {
    fakehost::FakeHost host;
    faketraffic::StandaloneList list;
    ASSERT_NE(list.Target(0), nullptr);
    ASSERT_NE(list.Target(355), nullptr);
    EXPECT_EQ(list.Target(355), list.Target(0) + 355);
    EXPECT_EQ(list.Target(356), nullptr);
    EXPECT_EQ(list.Target(0xFFFFFFFFu), nullptr);
    const TrafficList& read_only = list;
    EXPECT_EQ(read_only.Target(355), list.Target(355));
    EXPECT_EQ(read_only.Target(356), nullptr);
}

TEST(TrafficList, StartsEmptyWithEveryPaintTimeCleared) {
    fakehost::FakeHost host;
    faketraffic::StandaloneList list;
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(list.range_nm(), 0.0);
    for (std::uint32_t i = 0; i < traffic::kMaxTargets; ++i) EXPECT_EQ(list.Target(i)->last_paint_time, 0.0) << i;
}

TEST(TrafficList, WithoutInterfaceReducedDataIsOffAndTheFirstTargetHidden) {
    fakehost::FakeHost host;
    faketraffic::StandaloneList list;
    EXPECT_FALSE(list.has_traffic_interface());
    EXPECT_EQ(list.ReducedDataFlag(), 0u);
    EXPECT_EQ(list.FirstShownIndex(), 1u);
}

TEST(TrafficList, ReducedDataFlagComesFromTheInterface) {
    faketraffic::TrafficHost host;
    faketraffic::FakeTrafficInfo& info = host.info;
    faketraffic::StandaloneList list;

    info.reduced_data = 1;
    EXPECT_EQ(list.ReducedDataFlag(), 1u);
    EXPECT_EQ(list.FirstShownIndex(), 0u);
    info.reduced_data = 0;
    EXPECT_EQ(list.ReducedDataFlag(), 0u);
    EXPECT_EQ(list.FirstShownIndex(), 1u);
}

TEST(TrafficList, OnlyAChangedRangeRebuilds) {
    faketraffic::TrafficHost host;
    faketraffic::FakeTrafficInfo& info = host.info;
    faketraffic::StandaloneList list;

    list.SetRange(40.0f);
    EXPECT_EQ(list.range_nm(), 40.0);
    list.SetRange(40.0f);
    ASSERT_EQ(info.radius_requests_m.size(), 1u);
    EXPECT_EQ(info.radius_requests_m[0], 74080.0);

    // The float is widened, not rounded to a decimal: 0.1f is stored as
    // the double it is and asking again for 0.1f changes nothing.
    list.SetRange(0.1f);
    EXPECT_EQ(list.range_nm(), static_cast<double>(0.1f));
    list.SetRange(0.1f);
    EXPECT_EQ(info.radius_requests_m.size(), 2u);
    EXPECT_EQ(info.radius_requests_m[1], static_cast<double>(0.1f) * 1852.0);
}

TEST(TargetIdentifier, CopiesAndWidensShortNames) {
    RadarTarget target{};
    SetTargetIdentifier(target, "N123AB");
    EXPECT_STREQ(target.identifier, "N123AB");
    EXPECT_EQ(std::u16string(target.wide_identifier), u"N123AB");

    SetTargetIdentifier(target, "");
    EXPECT_STREQ(target.identifier, "");
    EXPECT_EQ(target.wide_identifier[0], u'\0');

    SetTargetIdentifier(target, "X1");
    SetTargetIdentifier(target, nullptr);
    EXPECT_STREQ(target.identifier, "");
    EXPECT_EQ(target.wide_identifier[0], u'\0');
}

TEST(TargetIdentifier, LongNamesAreCutTo49Characters) {
    RadarTarget target{};
    const std::string long_name(80, 'Q');
    SetTargetIdentifier(target, long_name.c_str());
    EXPECT_EQ(std::string(target.identifier), std::string(49, 'Q'));
    EXPECT_EQ(target.wide_identifier[48], u'Q');
    EXPECT_EQ(target.wide_identifier[49], u'\0');

    // A source with no terminator at all is read no further than 49 bytes.
    char unterminated[49];
    std::memset(unterminated, 'Z', sizeof(unterminated));
    SetTargetIdentifier(target, unterminated);
    EXPECT_EQ(std::string(target.identifier), std::string(49, 'Z'));
}

TEST(TargetIdentifier, BytesAbove127WidenBySignExtension) {
    RadarTarget target{};
    SetTargetIdentifier(target, "A\xE9\x80\x7F");
    EXPECT_EQ(target.wide_identifier[0], u'A');
    EXPECT_EQ(target.wide_identifier[1], static_cast<char16_t>(0xFFE9));
    EXPECT_EQ(target.wide_identifier[2], static_cast<char16_t>(0xFF80));
    EXPECT_EQ(target.wide_identifier[3], static_cast<char16_t>(0x7F));
    EXPECT_EQ(target.wide_identifier[4], u'\0');
}

}  // namespace
