// The gauge callbacks and click routines: one object per gauge name,
// created, drawn and destroyed through the host's services.
#include <gtest/gtest.h>

#include <cstring>

#include "fake_host.h"
#include "gauge/radar_gauge.h"
#include "gdiplus_recorder.h"
#include "module/gauge_callbacks.h"
#include "module/module_exports.h"
#include "platform/gdiplus_session.h"

namespace {

using fakehost::FakeHost;
using module::GaugeObject;
using module::GaugeSlot;

class GaugeServices : public ::testing::Test {
protected:
    void SetUp() override { recorder::Reset(); }
    void TearDown() override {
        for (int i = 0; i < 4; ++i) Serve(i, host::kServiceDisconnect);
    }

    static void Serve(int slot, std::int32_t service) {
        host::GaugeHeader* header = Linkage.gauges[slot];
        header->callback(header, service, 0);
    }
    static std::int32_t Click(int slot, host::ClickPoint* point) {
        return Linkage.gauges[slot]->mouse_rects[1].routine(point, host::kMouseLeftSingle);
    }
    static gauge::RadarGauge* Object(int slot) { return GaugeObject(static_cast<GaugeSlot>(slot)); }

    FakeHost host_;
};

TEST_F(GaugeServices, ConnectionCreatesTheGaugesClassOnce) {
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Object(i), nullptr);
    for (int i = 0; i < 4; ++i) Serve(i, host::kServiceConnect);
    gauge::RadarGauge* objects[4];
    for (int i = 0; i < 4; ++i) {
        objects[i] = Object(i);
        ASSERT_NE(objects[i], nullptr);
    }
    // Rectangular Green, Rectangular Amber, Circular Green, Circular Amber.
    EXPECT_EQ(typeid(*objects[0]), typeid(gauge::RadarGauge));
    EXPECT_EQ(typeid(*objects[1]), typeid(gauge::AmberRadarGauge));
    EXPECT_EQ(typeid(*objects[2]), typeid(gauge::CircularRadarGauge));
    EXPECT_EQ(typeid(*objects[3]), typeid(gauge::AmberCircularRadarGauge));
    EXPECT_EQ(objects[0]->mode, 3);
    EXPECT_EQ(objects[2]->mode, 2);
    EXPECT_EQ(platform::GdiplusUserCount(), 4);

    // A second connection keeps the object and makes nothing new.
    const int startups = recorder::StartupCount();
    Serve(2, host::kServiceConnect);
    EXPECT_EQ(Object(2), objects[2]);
    EXPECT_EQ(recorder::StartupCount(), startups);
    EXPECT_EQ(platform::GdiplusUserCount(), 4);
}

TEST_F(GaugeServices, PreDrawDrawsTheObjectAndDisconnectionDestroysIt) {
    host::GaugeHeader& header = *Linkage.gauges[1];
    host::ImageRecord image{0, 100, 100};
    ASSERT_TRUE(fakehost::PlaceOn(header, &image, reinterpret_cast<host::DeviceContext>(0x2000)));

    host_.SetHostTime(1.0);
    Serve(1, host::kServicePreDraw);  // no object yet: nothing
    EXPECT_TRUE(recorder::CallsNamed("GdipGraphicsClear").empty());

    Serve(1, host::kServiceConnect);
    Serve(1, host::kServicePreDraw);
    EXPECT_EQ(recorder::CallsNamed("GdipGraphicsClear").size(), 1u);
    EXPECT_EQ(Object(1)->drawing_element(), header.elements[0]->next[0]);

    Serve(1, host::kServiceDisconnect);
    EXPECT_EQ(Object(1), nullptr);
    EXPECT_EQ(recorder::LiveObjects(), 0);
    EXPECT_EQ(platform::GdiplusUserCount(), 0);

    // A disconnection without an object does nothing; a later connection makes a new one.
    Serve(1, host::kServiceDisconnect);
    EXPECT_EQ(Object(1), nullptr);
    Serve(1, host::kServiceConnect);
    EXPECT_NE(Object(1), nullptr);
    fakehost::PlaceOn(header, nullptr, nullptr);
}

TEST_F(GaugeServices, OtherServicesAndOddHeadersDoNothing) {
    Serve(0, host::kServiceConnect);
    gauge::RadarGauge* object = Object(0);
    for (std::int32_t service : {0, 1, 2, 11, 13, 16, -1, 0x7fffffff}) Serve(0, service);
    EXPECT_EQ(Object(0), object);
    EXPECT_FALSE(object->resources_created());

    Linkage.gauges[0]->callback(nullptr, host::kServicePreDraw, 0);  // no header: resources only
    EXPECT_TRUE(object->resources_created());
    EXPECT_EQ(object->drawing_element(), nullptr);
}

TEST_F(GaugeServices, ClicksAreAlwaysHandled) {
    host::ClickPoint point{50, 50};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Click(i, &point), 1);  // no objects
    EXPECT_EQ(Click(0, nullptr), 1);

    Serve(0, host::kServiceConnect);
    EXPECT_EQ(Click(0, nullptr), 1);
    // With an object the click reaches it: a click on an empty screen clears the selection.
    gauge::RadarGauge* object = Object(0);
    object->scale_x = object->scale_y = 0.1f;  // as after a drawn frame
    std::strcpy(object->selected_identifier, "N123");
    EXPECT_EQ(Click(0, &point), 1);
    EXPECT_EQ(object->selected_identifier[0], '\0');
}

}  // namespace
