// A GDI+ call stream as the recording stand-in saw it, turned into a form
// that can be replayed: every handle is a slot number (a fresh slot for
// each object made, so a reused address never mixes two objects up), every
// device context the number the scene gave it, every argument a number.
#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "gdiplus_recorder.h"
#include "platform/gdiplus_flat.h"

namespace bench {

enum class Op : std::uint8_t {
    kUnknown,
    kStartup,
    kShutdown,
    kCreateFromHdc,
    kDeleteGraphics,
    kGraphicsClear,
    kScaleWorldTransform,
    kResetWorldTransform,
    kTranslateWorldTransform,
    kBeginContainer,
    kEndContainer,
    kSetSmoothingMode,
    kSetTextRenderingHint,
    kCreateSolidFill,
    kDeleteBrush,
    kCreatePen,
    kSetPenDashArray,
    kDeletePen,
    kCreateFontFamilyFromName,
    kGetGenericSansSerif,
    kDeleteFontFamily,
    kCreateFont,
    kDeleteFont,
    kGetFontSize,
    kCreateStringFormat,
    kDeleteStringFormat,
    kSetStringFormatAlign,
    kSetStringFormatLineAlign,
    kDrawString,
    kCreateMatrix,
    kDeleteMatrix,
    kSetMatrixElements,
    kRotateMatrix,
    kTranslateMatrix,
    kTransformMatrixPoints,
    kDrawLine,
    kDrawEllipse,
    kDrawArc,
    kDrawPolygon,
    kFillPolygon,
    kDrawRectangle,
};

const char* OpName(Op op);
Op OpNamed(const std::string& gdiplus_name);
// Calls that put pixels on the surface (and nothing else).
bool IsDrawing(Op op);

constexpr int kMaxCallHandles = 4;
constexpr int kMaxCallArgs = 8;

using Slot = std::int32_t;  // 0: null

struct StreamCall {
    Op op = Op::kUnknown;
    std::uint8_t handle_count = 0;
    std::uint8_t arg_count = 0;
    Slot handles[kMaxCallHandles] = {};  // for kCreateFromHdc: the device context's number
    Slot created = 0;                    // the slot a creating call fills
    double args[kMaxCallArgs] = {};
    std::uint32_t first_point = 0;
    std::uint32_t point_count = 0;
    std::uint32_t first_char = 0;        // text, terminated, in the stream's text pool
    bool has_text = false;
};

struct CallStream {
    std::vector<StreamCall> calls;
    std::vector<gdip::PointF> points;
    std::u16string text;

    bool empty() const { return calls.empty(); }
    std::size_t DrawingCalls() const;
};

// Turns recorded calls into streams, keeping the slots of live objects
// from one stream to the next.
class StreamBuilder {
public:
    // Recorded device contexts and the numbers the replay knows them by.
    void NameDeviceContext(const void* recorded_dc, Slot number) { device_contexts_[recorded_dc] = number; }

    CallStream Build(const std::vector<recorder::Call>& calls);
    Slot slots_used() const { return next_slot_ - 1; }

private:
    Slot SlotOf(const void* handle) const;

    std::map<const void*, Slot> live_;  // recorded handle -> slot
    std::map<const void*, Slot> device_contexts_;
    Slot next_slot_ = 1;
};

// One line per call, e.g. "DrawLine #3 #7 | 0 -10 0 10", for comparing
// two recordings of the same frames.
void WriteStream(std::ostream& out, const CallStream& stream);

}  // namespace bench
