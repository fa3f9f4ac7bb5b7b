#include "call_stream.h"

#include <cstdio>
#include <cstring>

namespace bench {
namespace {

struct OpEntry {
    Op op;
    const char* gdiplus_name;
};

constexpr OpEntry kOps[] = {
    {Op::kStartup, "GdiplusStartup"},
    {Op::kShutdown, "GdiplusShutdown"},
    {Op::kCreateFromHdc, "GdipCreateFromHDC"},
    {Op::kDeleteGraphics, "GdipDeleteGraphics"},
    {Op::kGraphicsClear, "GdipGraphicsClear"},
    {Op::kScaleWorldTransform, "GdipScaleWorldTransform"},
    {Op::kResetWorldTransform, "GdipResetWorldTransform"},
    {Op::kTranslateWorldTransform, "GdipTranslateWorldTransform"},
    {Op::kBeginContainer, "GdipBeginContainer2"},
    {Op::kEndContainer, "GdipEndContainer"},
    {Op::kSetSmoothingMode, "GdipSetSmoothingMode"},
    {Op::kSetTextRenderingHint, "GdipSetTextRenderingHint"},
    {Op::kCreateSolidFill, "GdipCreateSolidFill"},
    {Op::kDeleteBrush, "GdipDeleteBrush"},
    {Op::kCreatePen, "GdipCreatePen2"},
    {Op::kSetPenDashArray, "GdipSetPenDashArray"},
    {Op::kDeletePen, "GdipDeletePen"},
    {Op::kCreateFontFamilyFromName, "GdipCreateFontFamilyFromName"},
    {Op::kGetGenericSansSerif, "GdipGetGenericFontFamilySansSerif"},
    {Op::kDeleteFontFamily, "GdipDeleteFontFamily"},
    {Op::kCreateFont, "GdipCreateFont"},
    {Op::kDeleteFont, "GdipDeleteFont"},
    {Op::kGetFontSize, "GdipGetFontSize"},
    {Op::kCreateStringFormat, "GdipCreateStringFormat"},
    {Op::kDeleteStringFormat, "GdipDeleteStringFormat"},
    {Op::kSetStringFormatAlign, "GdipSetStringFormatAlign"},
    {Op::kSetStringFormatLineAlign, "GdipSetStringFormatLineAlign"},
    {Op::kDrawString, "GdipDrawString"},
    {Op::kCreateMatrix, "GdipCreateMatrix"},
    {Op::kDeleteMatrix, "GdipDeleteMatrix"},
    {Op::kSetMatrixElements, "GdipSetMatrixElements"},
    {Op::kRotateMatrix, "GdipRotateMatrix"},
    {Op::kTranslateMatrix, "GdipTranslateMatrix"},
    {Op::kTransformMatrixPoints, "GdipTransformMatrixPoints"},
    {Op::kDrawLine, "GdipDrawLine"},
    {Op::kDrawEllipse, "GdipDrawEllipse"},
    {Op::kDrawArc, "GdipDrawArc"},
    {Op::kDrawPolygon, "GdipDrawPolygon"},
    {Op::kFillPolygon, "GdipFillPolygon"},
    {Op::kDrawRectangle, "GdipDrawRectangle"},
};

bool IsDeletion(Op op) {
    switch (op) {
        case Op::kDeleteGraphics:
        case Op::kDeleteBrush:
        case Op::kDeletePen:
        case Op::kDeleteFontFamily:
        case Op::kDeleteFont:
        case Op::kDeleteStringFormat:
        case Op::kDeleteMatrix:
            return true;
        default:
            return false;
    }
}

}  // namespace

const char* OpName(Op op) {
    for (const OpEntry& entry : kOps)
        if (entry.op == op)
            return std::strncmp(entry.gdiplus_name, "Gdiplus", 7) == 0 ? entry.gdiplus_name : entry.gdiplus_name + 4;
    return "Unknown";
}

Op OpNamed(const std::string& gdiplus_name) {
    for (const OpEntry& entry : kOps)
        if (gdiplus_name == entry.gdiplus_name) return entry.op;
    return Op::kUnknown;
}

bool IsDrawing(Op op) {
    switch (op) {
        case Op::kGraphicsClear:
        case Op::kDrawString:
        case Op::kDrawLine:
        case Op::kDrawEllipse:
        case Op::kDrawArc:
        case Op::kDrawPolygon:
        case Op::kFillPolygon:
        case Op::kDrawRectangle:
            return true;
        default:
            return false;
    }
}

std::size_t CallStream::DrawingCalls() const {
    std::size_t count = 0;
    for (const StreamCall& call : calls) count += IsDrawing(call.op) ? 1 : 0;
    return count;
}

Slot StreamBuilder::SlotOf(const void* handle) const {
    auto it = live_.find(handle);
    return it == live_.end() ? 0 : it->second;
}

CallStream StreamBuilder::Build(const std::vector<recorder::Call>& calls) {
    CallStream stream;
    stream.calls.reserve(calls.size());
    for (const recorder::Call& recorded : calls) {
        StreamCall call;
        call.op = OpNamed(recorded.name);
        const std::size_t handles = recorded.handles.size() < kMaxCallHandles ? recorded.handles.size() : kMaxCallHandles;
        call.handle_count = static_cast<std::uint8_t>(handles);
        for (std::size_t i = 0; i < handles; ++i) {
            if (call.op == Op::kCreateFromHdc) {
                auto dc = device_contexts_.find(recorded.handles[i]);
                call.handles[i] = dc == device_contexts_.end() ? 0 : dc->second;
            } else {
                call.handles[i] = SlotOf(recorded.handles[i]);
            }
        }
        const std::size_t args = recorded.args.size() < kMaxCallArgs ? recorded.args.size() : kMaxCallArgs;
        call.arg_count = static_cast<std::uint8_t>(args);
        for (std::size_t i = 0; i < args; ++i) call.args[i] = recorded.args[i];
        call.first_point = static_cast<std::uint32_t>(stream.points.size());
        call.point_count = static_cast<std::uint32_t>(recorded.points.size());
        stream.points.insert(stream.points.end(), recorded.points.begin(), recorded.points.end());
        if (call.op == Op::kDrawString || call.op == Op::kCreateFontFamilyFromName) {
            call.has_text = true;
            call.first_char = static_cast<std::uint32_t>(stream.text.size());
            stream.text += recorded.text;
            stream.text += u'\0';
        }
        // The generic family is handed out again and again: one slot.
        if (recorded.created != nullptr) {
            const Slot existing = SlotOf(recorded.created);
            call.created = call.op == Op::kGetGenericSansSerif && existing != 0 ? existing : next_slot_++;
            live_[recorded.created] = call.created;
        }
        if (IsDeletion(call.op) && recorded.result == gdip::kOk && call.op != Op::kDeleteFontFamily)
            live_.erase(recorded.handles.empty() ? nullptr : recorded.handles[0]);
        stream.calls.push_back(call);
    }
    return stream;
}

void WriteStream(std::ostream& out, const CallStream& stream) {
    char number[64];
    for (const StreamCall& call : stream.calls) {
        out << OpName(call.op);
        for (int i = 0; i < call.handle_count; ++i) out << " #" << call.handles[i];
        if (call.created) out << " ->#" << call.created;
        out << " |";
        for (int i = 0; i < call.arg_count; ++i) {
            std::snprintf(number, sizeof(number), " %.9g", call.args[i]);
            out << number;
        }
        for (std::uint32_t i = 0; i < call.point_count; ++i) {
            const gdip::PointF& p = stream.points[call.first_point + i];
            std::snprintf(number, sizeof(number), " (%.9g,%.9g)", p.x, p.y);
            out << number;
        }
        if (call.has_text) {
            out << " \"";
            for (std::size_t i = call.first_char; stream.text[i] != u'\0'; ++i) {
                const char16_t c = stream.text[i];
                out << (c < 128 ? static_cast<char>(c) : '?');
            }
            out << "\"";
        }
        out << "\n";
    }
}

}  // namespace bench
