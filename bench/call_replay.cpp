#include "call_replay.h"

namespace bench {
namespace {

using namespace gdip;

float F(const StreamCall& call, int i) { return static_cast<float>(call.args[i]); }
std::int32_t I(const StreamCall& call, int i) { return static_cast<std::int32_t>(call.args[i]); }
std::uint32_t U(const StreamCall& call, int i) { return static_cast<std::uint32_t>(call.args[i]); }

bool ChangesNothingButPixels(Op op) { return IsDrawing(op) || op == Op::kTransformMatrixPoints; }

}  // namespace

Replayer::Replayer(std::vector<Hdc> device_contexts) : device_contexts_(std::move(device_contexts)) {}

Replayer::~Replayer() {
    // Newest first, as the objects' users would have released them.
    for (std::size_t slot = objects_.size(); slot-- > 1;)
        if (objects_[slot] != nullptr) DeleteObject(kinds_[slot], static_cast<Slot>(slot));
}

void Replayer::Follow(const CallStream& stream) { Run(stream, false); }
void Replayer::Play(const CallStream& stream) { Run(stream, true); }

void Replayer::Run(const CallStream& stream, bool draw) {
    for (const StreamCall& call : stream.calls) {
        if (!draw && ChangesNothingButPixels(call.op)) continue;
        Execute(call, stream);
    }
}

GpGraphics* Replayer::GraphicsOn(Slot device_context) const {
    for (const auto& entry : graphics_on_)
        if (entry.first == device_context) return As<GpGraphics>(entry.second);
    return nullptr;
}

void* Replayer::Object(Slot slot) const {
    return slot > 0 && static_cast<std::size_t>(slot) < objects_.size() ? objects_[slot] : nullptr;
}

void Replayer::Keep(Slot slot, void* object) {
    if (slot <= 0) return;
    if (objects_.size() <= static_cast<std::size_t>(slot)) {
        objects_.resize(static_cast<std::size_t>(slot) + 1, nullptr);
        kinds_.resize(objects_.size(), Op::kUnknown);
        containers_.resize(objects_.size());
    }
    objects_[slot] = object;
}

void Replayer::DeleteObject(Op op, Slot slot) {
    void* object = Object(slot);
    if (object == nullptr) return;
    switch (op) {
        case Op::kCreateFromHdc: GdipDeleteGraphics(static_cast<GpGraphics*>(object)); break;
        case Op::kCreateSolidFill: GdipDeleteBrush(static_cast<GpBrush*>(object)); break;
        case Op::kCreatePen: GdipDeletePen(static_cast<GpPen*>(object)); break;
        case Op::kCreateFontFamilyFromName: GdipDeleteFontFamily(static_cast<GpFontFamily*>(object)); break;
        case Op::kCreateFont: GdipDeleteFont(static_cast<GpFont*>(object)); break;
        case Op::kCreateStringFormat: GdipDeleteStringFormat(static_cast<GpStringFormat*>(object)); break;
        case Op::kCreateMatrix: GdipDeleteMatrix(static_cast<GpMatrix*>(object)); break;
        default: break;  // the generic family belongs to GDI+
    }
    objects_[slot] = nullptr;
}

void Replayer::Execute(const StreamCall& call, const CallStream& stream) {
    const Slot h0 = call.handles[0];
    const Slot h1 = call.handles[1];
    const PointF* points = stream.points.data() + call.first_point;
    const char16_t* text = call.has_text ? stream.text.data() + call.first_char : nullptr;
    Status status = kOk;
    void* made = nullptr;

    switch (call.op) {
        case Op::kUnknown:
        case Op::kStartup:
        case Op::kShutdown:  // the panel host keeps GDI+ running
            return;
        case Op::kCreateFromHdc: {
            const Hdc dc = h0 > 0 && static_cast<std::size_t>(h0) <= device_contexts_.size() ? device_contexts_[h0 - 1]
                                                                                             : nullptr;
            GpGraphics* graphics = nullptr;
            status = GdipCreateFromHDC(dc, &graphics);
            made = graphics;
            if (graphics) graphics_on_.emplace_back(h0, call.created);
            break;
        }
        case Op::kGraphicsClear: status = GdipGraphicsClear(As<GpGraphics>(h0), U(call, 0)); break;
        case Op::kScaleWorldTransform:
            status = GdipScaleWorldTransform(As<GpGraphics>(h0), F(call, 0), F(call, 1), MatrixOrder(I(call, 2)));
            break;
        case Op::kResetWorldTransform: status = GdipResetWorldTransform(As<GpGraphics>(h0)); break;
        case Op::kTranslateWorldTransform:
            status = GdipTranslateWorldTransform(As<GpGraphics>(h0), F(call, 0), F(call, 1), MatrixOrder(I(call, 2)));
            break;
        case Op::kBeginContainer: {
            GraphicsContainer container = 0;
            status = GdipBeginContainer2(As<GpGraphics>(h0), &container);
            if (h0 > 0 && static_cast<std::size_t>(h0) < containers_.size()) containers_[h0].push_back(container);
            break;
        }
        case Op::kEndContainer: {
            // The stand-in numbers containers by depth, from 1.
            if (h0 <= 0 || static_cast<std::size_t>(h0) >= containers_.size()) break;
            std::vector<GraphicsContainer>& open = containers_[h0];
            const std::uint32_t depth = U(call, 0);
            if (depth < 1 || depth > open.size()) break;
            status = GdipEndContainer(As<GpGraphics>(h0), open[depth - 1]);
            open.resize(depth - 1);
            break;
        }
        case Op::kSetSmoothingMode: status = GdipSetSmoothingMode(As<GpGraphics>(h0), I(call, 0)); break;
        case Op::kSetTextRenderingHint: status = GdipSetTextRenderingHint(As<GpGraphics>(h0), I(call, 0)); break;
        case Op::kCreateSolidFill: {
            GpSolidFill* brush = nullptr;
            status = GdipCreateSolidFill(U(call, 0), &brush);
            made = brush;
            break;
        }
        case Op::kCreatePen: {
            GpPen* pen = nullptr;
            status = GdipCreatePen2(As<GpBrush>(h0), F(call, 0), Unit(I(call, 1)), &pen);
            made = pen;
            break;
        }
        case Op::kSetPenDashArray: {
            Real dashes[kMaxCallArgs];
            for (int i = 0; i < call.arg_count; ++i) dashes[i] = F(call, i);
            status = GdipSetPenDashArray(As<GpPen>(h0), dashes, call.arg_count);
            break;
        }
        case Op::kCreateFontFamilyFromName: {
            GpFontFamily* family = nullptr;
            status = GdipCreateFontFamilyFromName(text, nullptr, &family);
            made = family;
            break;
        }
        case Op::kGetGenericSansSerif: {
            GpFontFamily* family = nullptr;
            status = GdipGetGenericFontFamilySansSerif(&family);
            made = family;
            break;
        }
        case Op::kCreateFont: {
            GpFont* font = nullptr;
            status = GdipCreateFont(As<GpFontFamily>(h0), F(call, 0), I(call, 1), Unit(I(call, 2)), &font);
            made = font;
            break;
        }
        case Op::kGetFontSize: {
            Real size = 0.0f;
            status = GdipGetFontSize(As<GpFont>(h0), &size);
            break;
        }
        case Op::kCreateStringFormat: {
            GpStringFormat* format = nullptr;
            status = GdipCreateStringFormat(I(call, 0), static_cast<std::uint16_t>(I(call, 1)), &format);
            made = format;
            break;
        }
        case Op::kSetStringFormatAlign:
            status = GdipSetStringFormatAlign(As<GpStringFormat>(h0), StringAlignment(I(call, 0)));
            break;
        case Op::kSetStringFormatLineAlign:
            status = GdipSetStringFormatLineAlign(As<GpStringFormat>(h0), StringAlignment(I(call, 0)));
            break;
        case Op::kDrawString: {
            const RectF layout{F(call, 1), F(call, 2), F(call, 3), F(call, 4)};
            status = GdipDrawString(As<GpGraphics>(h0), text, I(call, 0), As<GpFont>(h1),
                                    &layout, As<GpStringFormat>(call.handles[2]), As<GpBrush>(call.handles[3]));
            break;
        }
        case Op::kCreateMatrix: {
            GpMatrix* matrix = nullptr;
            status = GdipCreateMatrix(&matrix);
            made = matrix;
            break;
        }
        case Op::kSetMatrixElements:
            status = GdipSetMatrixElements(As<GpMatrix>(h0), F(call, 0), F(call, 1), F(call, 2), F(call, 3),
                                           F(call, 4), F(call, 5));
            break;
        case Op::kRotateMatrix:
            status = GdipRotateMatrix(As<GpMatrix>(h0), F(call, 0), MatrixOrder(I(call, 1)));
            break;
        case Op::kTranslateMatrix:
            status = GdipTranslateMatrix(As<GpMatrix>(h0), F(call, 0), F(call, 1), MatrixOrder(I(call, 2)));
            break;
        case Op::kTransformMatrixPoints:
            // The radar turns its points in place; the replay turns a copy.
            scratch_.assign(points, points + call.point_count);
            status = GdipTransformMatrixPoints(As<GpMatrix>(h0), scratch_.data(), static_cast<std::int32_t>(call.point_count));
            break;
        case Op::kDrawLine:
            status = GdipDrawLine(As<GpGraphics>(h0), As<GpPen>(h1), F(call, 0), F(call, 1), F(call, 2), F(call, 3));
            break;
        case Op::kDrawEllipse:
            status = GdipDrawEllipse(As<GpGraphics>(h0), As<GpPen>(h1), F(call, 0), F(call, 1), F(call, 2), F(call, 3));
            break;
        case Op::kDrawArc:
            status = GdipDrawArc(As<GpGraphics>(h0), As<GpPen>(h1), F(call, 0), F(call, 1), F(call, 2), F(call, 3),
                                 F(call, 4), F(call, 5));
            break;
        case Op::kDrawPolygon:
            status = GdipDrawPolygon(As<GpGraphics>(h0), As<GpPen>(h1), points, static_cast<std::int32_t>(call.point_count));
            break;
        case Op::kFillPolygon:
            status = GdipFillPolygon(As<GpGraphics>(h0), As<GpBrush>(h1), points,
                                     static_cast<std::int32_t>(call.point_count), FillMode(I(call, 1)));
            break;
        case Op::kDrawRectangle:
            status = GdipDrawRectangle(As<GpGraphics>(h0), As<GpPen>(h1), F(call, 0), F(call, 1), F(call, 2), F(call, 3));
            break;
        case Op::kDeleteGraphics:
        case Op::kDeleteBrush:
        case Op::kDeletePen:
        case Op::kDeleteFontFamily:
        case Op::kDeleteFont:
        case Op::kDeleteStringFormat:
        case Op::kDeleteMatrix:
            if (h0 > 0 && static_cast<std::size_t>(h0) < kinds_.size()) DeleteObject(kinds_[h0], h0);
            if (call.op == Op::kDeleteGraphics) {
                for (auto& entry : graphics_on_)
                    if (entry.second == h0) entry = {0, 0};
            }
            return;
    }
    if (status != kOk) ++failures_;
    if (call.created != 0) {
        Keep(call.created, made);
        kinds_[call.created] = call.op;
    }
}

}  // namespace bench
