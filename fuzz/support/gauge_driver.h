// The host's side of the module's four gauges, reached the way a host
// reaches them: the gauge headers listed in Linkage, their callbacks for the
// connection, pre-draw and disconnection services, their standard routines,
// and the click routine of their mouse rectangles. The host writes the image
// record and device context into each gauge's drawing element before a
// service, as a panel window does for its placement.
#pragma once

#include <cstdint>
#include <optional>

#include "fake_host.h"
#include "platform/host_abi.h"

namespace fuzzsupport {

constexpr int kGauges = 4;

// A made-up device context, distinct for each n (0 gives none); the
// recording GDI+ stand-in accepts any non-null one.
sim::DeviceContext FuzzDeviceContext(std::uint32_t n);

// A gauge header of the host's own (the unit tests' placement), with one
// link of the way to the drawing element left out as a misbehaving host may.
class DetachedHeader {
public:
    enum Cut : int { kNone, kNoElementList, kNoBackground, kNoNextList, kNoDrawingElement, kNoImage, kCutCount };
    // A new header of this size and device context, `cut` left out.
    sim::GaugeHeader* Link(Cut cut, std::int32_t width, std::int32_t height, sim::DeviceContext device_context);

private:
    std::optional<fakehost::Placement> placement_;
};

class GaugeDriver {
public:
    GaugeDriver() = default;
    // Takes the image records and device contexts out of the drawing
    // elements again, as a host does when its placements go: the next
    // input starts from gauges that were never placed.
    ~GaugeDriver();
    GaugeDriver(const GaugeDriver&) = delete;
    GaugeDriver& operator=(const GaugeDriver&) = delete;

    // The header Linkage lists at this position (0 to 3).
    static sim::GaugeHeader* Header(int slot);

    // Any service number through the gauge's callback, with its own header
    // or with another one.
    static void Service(int slot, std::int32_t service, sim::GaugeHeader* header);
    void Connect(int slot) { Service(slot, sim::kServiceConnect, Header(slot)); }
    void Disconnect(int slot) { Service(slot, sim::kServiceDisconnect, Header(slot)); }
    void PreDraw(int slot) { Service(slot, sim::kServicePreDraw, Header(slot)); }
    // As many disconnections as each gauge had connections: every object goes.
    void DisconnectAll();

    // Writes the placement into the gauge's drawing element: an image record
    // of this size (none when `with_image` is false) and the device context.
    void Place(int slot, std::int32_t width, std::int32_t height, sim::DeviceContext device_context,
               bool with_image = true);

    // The click routine of the gauge's click rectangle; returns its answer.
    static std::int32_t Click(int slot, std::int32_t x, std::int32_t y, std::uint32_t mouse_flags);

    // The seven standard routines of the gauge's header, in the host's order.
    static void StandardRoutines(int slot, std::uint32_t phase);

private:
    sim::ImageRecord images_[kGauges] = {};
};

}  // namespace fuzzsupport
