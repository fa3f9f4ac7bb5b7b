// The exported tables and the four gauge headers as the host reads them.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "fake_host.h"
#include "module/module_exports.h"

namespace {

const char* const kExpectedNames[] = {"Rectangular Green", "Rectangular Amber", "Circular Green", "Circular Amber"};

bool AllZero(const void* bytes, std::size_t size) {
    const auto* p = static_cast<const unsigned char*>(bytes);
    for (std::size_t i = 0; i < size; ++i)
        if (p[i] != 0) return false;
    return true;
}

TEST(ModuleExports, ImportTableAwaitsTheHostTable) {
    EXPECT_EQ(ImportTable.panels.id, 0x0Fu);
    EXPECT_EQ(ImportTable.panels.pointer, nullptr);
    EXPECT_EQ(ImportTable.terminator.id, 0u);
    EXPECT_EQ(ImportTable.terminator.pointer, nullptr);
}

TEST(ModuleExports, LinkageListsTheFourGaugesInOrder) {
    EXPECT_EQ(Linkage.module_id, 0x13u);
    ASSERT_NE(Linkage.module_init, nullptr);
    EXPECT_EQ(Linkage.module_init, Linkage.module_deinit);
    Linkage.module_init();  // does nothing, harmlessly
    EXPECT_EQ(Linkage.flags, 0u);
    EXPECT_EQ(Linkage.priority, 0u);
    EXPECT_EQ(Linkage.version, 0x900u);
    for (int i = 0; i < 4; ++i) {
        ASSERT_NE(Linkage.gauges[i], nullptr);
        EXPECT_STREQ(Linkage.gauges[i]->name, kExpectedNames[i]);
    }
    EXPECT_EQ(Linkage.gauges[4], nullptr);
}

class GaugeHeaders : public ::testing::TestWithParam<int> {
protected:
    sim::GaugeHeader& header() { return *Linkage.gauges[GetParam()]; }
};

TEST_P(GaugeHeaders, CarryVersionNameRoutinesWidthMouseAndCallback) {
    sim::GaugeHeader& h = header();
    const sim::GaugeHeader& first = *Linkage.gauges[0];
    EXPECT_EQ(h.version, 800u);
    EXPECT_STREQ(h.name, kExpectedNames[GetParam()]);
    EXPECT_EQ(h.default_width_mm, 100u);
    EXPECT_NE(h.callback, nullptr);
    // The standard routines are shared by all four headers.
    EXPECT_NE(h.query, nullptr);
    EXPECT_EQ(h.query, first.query);
    EXPECT_EQ(h.install, first.install);
    EXPECT_EQ(h.initialize, first.initialize);
    EXPECT_EQ(h.update, first.update);
    EXPECT_EQ(h.generate, first.generate);
    EXPECT_EQ(h.draw, first.draw);
    EXPECT_EQ(h.kill, first.kill);
    const std::set<const void*> routines{reinterpret_cast<const void*>(h.query), reinterpret_cast<const void*>(h.install),
                                         reinterpret_cast<const void*>(h.initialize), reinterpret_cast<const void*>(h.update),
                                         reinterpret_cast<const void*>(h.generate), reinterpret_cast<const void*>(h.draw),
                                         reinterpret_cast<const void*>(h.kill)};
    EXPECT_EQ(routines.size(), 7u);
    // Every other field is zero; the host owns the reserve.
    EXPECT_EQ(h.reserved_40, 0u);
    EXPECT_TRUE(AllZero(h.reserved_48, sizeof(h.reserved_48)));
    EXPECT_TRUE(AllZero(h.reserve, sizeof(h.reserve)));
}

TEST_P(GaugeHeaders, HoldTheBackgroundElementWithTheDrawingElementNext) {
    sim::GaugeHeader& h = header();
    ASSERT_NE(h.elements, nullptr);
    sim::Element* background = h.elements[0];
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(h.elements[1], nullptr);
    EXPECT_EQ(background->type, 0u);
    EXPECT_EQ(background->resource, 4096u);
    EXPECT_EQ(background->x, 0);
    EXPECT_EQ(background->y, 0);
    EXPECT_EQ(background->owner, &h);
    EXPECT_EQ(background->image_flags, 1u);
    ASSERT_NE(background->next, nullptr);
    sim::Element* drawing = background->next[0];
    ASSERT_NE(drawing, nullptr);
    EXPECT_EQ(background->next[1], nullptr);
    EXPECT_EQ(drawing->type, 0u);
    EXPECT_EQ(drawing->resource, 4096u);
    EXPECT_EQ(drawing->x, 0);
    EXPECT_EQ(drawing->y, 0);
    EXPECT_EQ(drawing->owner, &h);
    EXPECT_EQ(drawing->next, nullptr);
    EXPECT_EQ(drawing->image_flags, 0x26u);
    for (const sim::Element* e : {background, drawing}) {
        EXPECT_TRUE(AllZero(e->reserved_16, sizeof(e->reserved_16)));
        EXPECT_EQ(e->reserved_36, 0u);
        EXPECT_EQ(e->reserved_44, 0u);
        EXPECT_TRUE(AllZero(e->reserved_52, sizeof(e->reserved_52)));
        EXPECT_EQ(e->image, nullptr);
        EXPECT_TRUE(AllZero(e->reserved_64, sizeof(e->reserved_64)));
        EXPECT_EQ(e->device_context, nullptr);
        EXPECT_TRUE(AllZero(e->reserve, sizeof(e->reserve)));
    }
    // Each gauge has elements of its own.
    for (int other = 0; other < 4; ++other) {
        if (other != GetParam()) {
            EXPECT_NE(Linkage.gauges[other]->elements[0], background);
        }
    }
}

TEST_P(GaugeHeaders, OfferOneClickBoxOverTheWholeGauge) {
    const sim::MouseRect* rects = header().mouse_rects;
    ASSERT_NE(rects, nullptr);
    const sim::MouseRect& parent = rects[0];
    EXPECT_EQ(parent.type, 1u);
    EXPECT_EQ(parent.x, 0);
    EXPECT_EQ(parent.y, 0);
    EXPECT_EQ(parent.width, 0);
    EXPECT_EQ(parent.height, 0);
    EXPECT_EQ(parent.cursor, -1);
    EXPECT_EQ(parent.mouse_flags, 0u);
    EXPECT_EQ(parent.routine, nullptr);

    const sim::MouseRect& box = rects[1];
    EXPECT_EQ(box.type, 2u);
    EXPECT_EQ(box.x, 0);
    EXPECT_EQ(box.y, 0);
    EXPECT_EQ(box.width, 100);
    EXPECT_EQ(box.height, 100);
    EXPECT_EQ(box.cursor, 5);
    EXPECT_EQ(box.help_id, 0u);
    EXPECT_EQ(box.mouse_flags, 0x20000000u);
    EXPECT_EQ(box.event_id, 0u);
    EXPECT_NE(box.routine, nullptr);
    EXPECT_EQ(box.routine_data, nullptr);

    const sim::MouseRect& end_parent = rects[2];
    EXPECT_EQ(end_parent.type, 3u);
    EXPECT_EQ(end_parent.cursor, -1);
    EXPECT_EQ(end_parent.width, 0);
    EXPECT_EQ(end_parent.routine, nullptr);

    // The host walks the list to this record, whatever follows it in memory.
    const sim::MouseRect& end_of_list = rects[3];
    EXPECT_EQ(end_of_list.type, 0u);
    EXPECT_EQ(end_of_list.cursor, -1);
    EXPECT_EQ(end_of_list.x | end_of_list.y | end_of_list.width | end_of_list.height, 0);
    EXPECT_EQ(end_of_list.help_id | end_of_list.mouse_flags | end_of_list.event_id, 0u);
    EXPECT_EQ(end_of_list.routine, nullptr);
    EXPECT_EQ(end_of_list.routine_data, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Four, GaugeHeaders, ::testing::Range(0, 4));

TEST(GaugeHeaders, CallbacksAndClickRoutinesAreOnePerGauge) {
    std::set<const void*> callbacks;
    std::set<const void*> clicks;
    for (int i = 0; i < 4; ++i) {
        callbacks.insert(reinterpret_cast<const void*>(Linkage.gauges[i]->callback));
        clicks.insert(reinterpret_cast<const void*>(Linkage.gauges[i]->mouse_rects[1].routine));
    }
    EXPECT_EQ(callbacks.size(), 4u);
    EXPECT_EQ(clicks.size(), 4u);
}

TEST(StandardRoutines, ForwardTheFirstElementOfTheFirstGaugeToTheHost) {
    fakehost::FakeHost host;
    const sim::GaugeHeader& amber = *Linkage.gauges[3];
    auto* resource = reinterpret_cast<sim::ResourceHandle>(0x4000);
    amber.query();
    amber.install(resource);
    amber.initialize();
    amber.update();
    amber.generate(7);
    amber.draw();
    amber.kill();

    sim::Element* first = Linkage.gauges[0]->elements[0];
    const auto& calls = host.ElementListCalls();
    ASSERT_EQ(calls.size(), 7u);
    const sim::HostPanelsEntry expected[] = {sim::kElementListQuery,  sim::kElementListInstall,
                                              sim::kElementListInitialize, sim::kElementListUpdate,
                                              sim::kElementListGenerate, sim::kElementListPlot,
                                              sim::kElementListKill};
    for (std::size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].entry, expected[i]);
        EXPECT_EQ(calls[i].element, first);
    }
    EXPECT_EQ(calls[1].resource, resource);
    EXPECT_EQ(calls[4].phase, 7u);
}

TEST(StandardRoutines, DoNothingWithoutAHostTable) {
    const sim::GaugeHeader& h = *Linkage.gauges[0];
    h.query();
    h.install(nullptr);
    h.generate(1);
    h.kill();
    fakehost::FakeHost host;
    host.table().entry[sim::kElementListPlot] = nullptr;  // an entry the host left empty
    h.draw();
    EXPECT_TRUE(host.ElementListCalls().empty());
}

}  // namespace
