#include "gdiplus_recorder.h"

#include <cmath>
#include <map>
#include <set>
#include <sstream>
#include <utility>

namespace recorder {
namespace {

enum class Kind { Graphics, Brush, Pen, Family, Font, Format, Matrix };

struct Object {
    Kind kind = Kind::Graphics;
    float font_size = 0.0f;
    Transform matrix;                     // matrices
    Transform world;                      // graphics: transform inside the current container
    Transform base;                       // graphics: transform of the enclosing containers
    std::vector<std::pair<Transform, Transform>> containers;
    bool generic = false;                 // the generic family is never deleted
};

struct Failure {
    gdip::Status status;
    int remaining;  // < 0: forever
};

// Descriptions kept of the calls given a number that is not one; beyond
// these they are only counted.
constexpr std::size_t kDescribedNonFiniteCalls = 20;

struct State {
    std::vector<Call> calls;
    NonFiniteCalls non_finite;
    NonFiniteCallHandler non_finite_handler = nullptr;
    std::map<const void*, Object*> objects;
    std::map<std::string, Failure> failures;
    std::set<std::u16string> missing_families;
    int startups = 0;
    int shutdowns = 0;
    Object* generic_family = nullptr;
};

State& S() {
    static State state;
    return state;
}

// Depth of the stand-in's own functions on the stack (see InBookkeeping).
int bookkeeping_depth = 0;

// Held by every GDI+ function of the stand-in for its whole body.
struct Bookkeeping {
    Bookkeeping() { ++bookkeeping_depth; }
    ~Bookkeeping() { --bookkeeping_depth; }
    Bookkeeping(const Bookkeeping&) = delete;
    Bookkeeping& operator=(const Bookkeeping&) = delete;
};

// Notes the handle a creating call handed out on the call just recorded.
void NoteCreated(const void* handle) {
    if (!S().calls.empty()) S().calls.back().created = handle;
}

Transform Multiply(const Transform& a, const Transform& b) {
    // Row-vector convention: p * a * b.
    Transform r;
    r.m11 = a.m11 * b.m11 + a.m12 * b.m21;
    r.m12 = a.m11 * b.m12 + a.m12 * b.m22;
    r.m21 = a.m21 * b.m11 + a.m22 * b.m21;
    r.m22 = a.m21 * b.m12 + a.m22 * b.m22;
    r.dx = a.dx * b.m11 + a.dy * b.m21 + b.dx;
    r.dy = a.dx * b.m12 + a.dy * b.m22 + b.dy;
    return r;
}

Transform Rotation(float angle_deg) {
    const double rad = angle_deg * 3.14159265358979323846 / 180.0;
    const float c = static_cast<float>(std::cos(rad));
    const float s = static_cast<float>(std::sin(rad));
    return Transform{c, s, -s, c, 0, 0};
}

Transform Translation(float dx, float dy) { return Transform{1, 0, 0, 1, dx, dy}; }
Transform Scaling(float sx, float sy) { return Transform{sx, 0, 0, sy, 0, 0}; }

// Prepending puts the operation before the existing transform.
void Prepend(Transform& m, const Transform& op, gdip::MatrixOrder order) {
    m = order == gdip::kMatrixOrderAppend ? Multiply(m, op) : Multiply(op, m);
}

template <typename Handle>
Handle* Make(Kind kind) {
    auto* object = new Object();
    object->kind = kind;
    S().objects[object] = object;
    return reinterpret_cast<Handle*>(object);
}

Object* Find(const void* handle, Kind kind) {
    auto it = S().objects.find(handle);
    if (it == S().objects.end() || it->second->kind != kind) return nullptr;
    return it->second;
}

void Destroy(const void* handle) {
    auto it = S().objects.find(handle);
    if (it == S().objects.end()) return;
    delete it->second;
    S().objects.erase(it);
}

Transform EffectiveWorld(const Object* graphics) {
    return graphics ? Multiply(graphics->world, graphics->base) : Transform{};
}

bool Finite(const Transform& t) {
    for (float v : {t.m11, t.m12, t.m21, t.m22, t.dx, t.dy})
        if (!std::isfinite(v)) return false;
    return true;
}

bool Finite(const Call& call) {
    for (double a : call.args)
        if (!std::isfinite(a)) return false;
    for (const gdip::PointF& p : call.points)
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) return false;
    return true;
}

std::string DescribeNonFinite(const Call& call) {
    std::string described = Describe(call);
    if (!Finite(call.world)) {
        std::ostringstream world;
        const Transform& w = call.world;
        world << " in world [" << w.m11 << " " << w.m12 << " " << w.m21 << " " << w.m22 << " " << w.dx << " "
              << w.dy << "]";
        described += world.str();
    }
    return described;
}

void CheckFinite(const Call& call) {
    if (Finite(call) && Finite(call.world)) return;
    const std::string described = DescribeNonFinite(call);
    NonFiniteCalls& record = S().non_finite;
    ++record.count;
    if (record.first.size() < kDescribedNonFiniteCalls) record.first.push_back(described);
    if (S().non_finite_handler) S().non_finite_handler(described);
}

// Records a call and decides its status: an injected failure, an invalid
// handle, or Ok.
gdip::Status Record(Call call, bool handles_valid = true) {
    CheckFinite(call);
    gdip::Status status = handles_valid && call.graphics_valid ? gdip::kOk : gdip::kInvalidParameter;
    auto it = S().failures.find(call.name);
    if (it != S().failures.end() && it->second.remaining != 0) {
        status = it->second.status;
        if (it->second.remaining > 0) --it->second.remaining;
    }
    call.result = status;
    S().calls.push_back(std::move(call));
    return status;
}

Call NewCall(const char* name, std::vector<const void*> handles, std::vector<double> args) {
    Call call;
    call.name = name;
    call.handles = std::move(handles);
    call.args = std::move(args);
    return call;
}

// A call on a Graphics: invalid when the Graphics is not a live one.
Call GraphicsCall(const char* name, gdip::GpGraphics* g, std::vector<const void*> handles, std::vector<double> args) {
    Object* graphics = Find(g, Kind::Graphics);
    handles.insert(handles.begin(), g);
    Call call = NewCall(name, std::move(handles), std::move(args));
    call.world = EffectiveWorld(graphics);
    call.graphics_valid = graphics != nullptr;
    return call;
}

}  // namespace

const std::vector<Call>& Calls() { return S().calls; }
void Clear() { S().calls.clear(); }

std::vector<Call> CallsNamed(const std::string& name) {
    std::vector<Call> out;
    for (const Call& call : S().calls)
        if (call.name == name) out.push_back(call);
    return out;
}

std::vector<std::string> CallNames(std::size_t first) {
    std::vector<std::string> out;
    for (std::size_t i = first; i < S().calls.size(); ++i) out.push_back(S().calls[i].name);
    return out;
}

std::string Describe(const Call& call) {
    std::ostringstream out;
    out << call.name << "(";
    for (const void* h : call.handles) out << (h ? "#" : "null ") << (h ? "h " : "");
    out << "|";
    for (double a : call.args) out << " " << a;
    for (const gdip::PointF& p : call.points) out << " (" << p.x << "," << p.y << ")";
    if (!call.text.empty()) {
        out << " \"";
        for (char16_t c : call.text) out << (c < 128 ? static_cast<char>(c) : '?');
        out << "\"";
    }
    out << ")";
    return out.str();
}

void FailCalls(const std::string& name, gdip::Status status, int count) { S().failures[name] = {status, count}; }
void StopFailing() { S().failures.clear(); }
void SetMissingFontFamily(const std::u16string& family) { S().missing_families.insert(family); }

int LiveObjects() {
    int live = 0;
    for (const auto& entry : S().objects)
        if (!entry.second->generic) ++live;
    return live;
}

int StartupCount() { return S().startups; }
int ShutdownCount() { return S().shutdowns; }

void Reset() {
    for (auto& entry : S().objects) delete entry.second;
    S().objects.clear();
    S().calls.clear();
    S().failures.clear();
    S().missing_families.clear();
    S().startups = 0;
    S().shutdowns = 0;
    S().generic_family = nullptr;
}

bool InBookkeeping() { return bookkeeping_depth > 0; }

NonFiniteCalls TakeNonFiniteCalls() {
    NonFiniteCalls taken;
    std::swap(taken, S().non_finite);
    return taken;
}

void OnNonFiniteCall(NonFiniteCallHandler handler) { S().non_finite_handler = handler; }

}  // namespace recorder

using recorder::Call;
using recorder::Kind;
using recorder::NewCall;
using recorder::Record;
using namespace gdip;

extern "C" {

Status GdiplusStartup(GdiplusToken* token, const StartupInput* input, void* output) {
    recorder::Bookkeeping bookkeeping;
    Call call = NewCall("GdiplusStartup", {output}, {input ? static_cast<double>(input->version) : -1.0});
    Status status = Record(call, token != nullptr && input != nullptr);
    if (status == kOk) {
        ++recorder::S().startups;
        *token = static_cast<GdiplusToken>(recorder::S().startups);
    }
    return status;
}

void GdiplusShutdown(GdiplusToken token) {
    recorder::Bookkeeping bookkeeping;
    Record(NewCall("GdiplusShutdown", {}, {static_cast<double>(token)}));
    ++recorder::S().shutdowns;
}

Status GdipCreateFromHDC(Hdc hdc, GpGraphics** graphics) {
    recorder::Bookkeeping bookkeeping;
    Status status = Record(NewCall("GdipCreateFromHDC", {hdc}, {}), hdc != nullptr && graphics != nullptr);
    if (status == kOk) *graphics = recorder::Make<GpGraphics>(Kind::Graphics);
    if (status == kOk) recorder::NoteCreated(*graphics);
    return status;
}

Status GdipDeleteGraphics(GpGraphics* graphics) {
    recorder::Bookkeeping bookkeeping;
    Status status = Record(NewCall("GdipDeleteGraphics", {graphics}, {}),
                           recorder::Find(graphics, Kind::Graphics) != nullptr);
    recorder::Destroy(graphics);
    return status;
}

Status GdipGraphicsClear(GpGraphics* g, Argb color) {
    recorder::Bookkeeping bookkeeping;
    return Record(recorder::GraphicsCall("GdipGraphicsClear", g, {}, {static_cast<double>(color)}));
}

Status GdipScaleWorldTransform(GpGraphics* g, Real sx, Real sy, MatrixOrder order) {
    recorder::Bookkeeping bookkeeping;
    Status status = Record(recorder::GraphicsCall("GdipScaleWorldTransform", g, {}, {sx, sy, double(order)}));
    if (status == kOk) recorder::Prepend(recorder::Find(g, Kind::Graphics)->world, recorder::Scaling(sx, sy), order);
    return status;
}

Status GdipResetWorldTransform(GpGraphics* g) {
    recorder::Bookkeeping bookkeeping;
    Status status = Record(recorder::GraphicsCall("GdipResetWorldTransform", g, {}, {}));
    if (status == kOk) recorder::Find(g, Kind::Graphics)->world = recorder::Transform{};
    return status;
}

Status GdipTranslateWorldTransform(GpGraphics* g, Real dx, Real dy, MatrixOrder order) {
    recorder::Bookkeeping bookkeeping;
    Status status =
        Record(recorder::GraphicsCall("GdipTranslateWorldTransform", g, {}, {dx, dy, double(order)}));
    if (status == kOk)
        recorder::Prepend(recorder::Find(g, Kind::Graphics)->world, recorder::Translation(dx, dy), order);
    return status;
}

Status GdipBeginContainer2(GpGraphics* g, GraphicsContainer* state) {
    recorder::Bookkeeping bookkeeping;
    Status status = Record(recorder::GraphicsCall("GdipBeginContainer2", g, {}, {}), state);
    if (status == kOk) {
        recorder::Object* graphics = recorder::Find(g, Kind::Graphics);
        graphics->containers.emplace_back(graphics->world, graphics->base);
        graphics->base = recorder::EffectiveWorld(graphics);
        graphics->world = recorder::Transform{};
        *state = static_cast<GraphicsContainer>(graphics->containers.size());
    }
    return status;
}

Status GdipEndContainer(GpGraphics* g, GraphicsContainer state) {
    recorder::Bookkeeping bookkeeping;
    Status status = Record(recorder::GraphicsCall("GdipEndContainer", g, {}, {double(state)}));
    recorder::Object* graphics = recorder::Find(g, Kind::Graphics);
    if (status == kOk && state >= 1 && state <= graphics->containers.size()) {
        graphics->world = graphics->containers[state - 1].first;
        graphics->base = graphics->containers[state - 1].second;
        graphics->containers.resize(state - 1);
    }
    return status;
}

Status GdipSetSmoothingMode(GpGraphics* g, std::int32_t mode) {
    recorder::Bookkeeping bookkeeping;
    return Record(recorder::GraphicsCall("GdipSetSmoothingMode", g, {}, {double(mode)}));
}

Status GdipSetTextRenderingHint(GpGraphics* g, std::int32_t hint) {
    recorder::Bookkeeping bookkeeping;
    return Record(recorder::GraphicsCall("GdipSetTextRenderingHint", g, {}, {double(hint)}));
}

Status GdipCreateSolidFill(Argb color, GpSolidFill** brush) {
    recorder::Bookkeeping bookkeeping;
    Status status = Record(NewCall("GdipCreateSolidFill", {}, {double(color)}), brush != nullptr);
    if (status == kOk) *brush = recorder::Make<GpSolidFill>(Kind::Brush);
    if (status == kOk) recorder::NoteCreated(*brush);
    return status;
}

Status GdipDeleteBrush(GpBrush* brush) {
    recorder::Bookkeeping bookkeeping;
    Status status = Record(NewCall("GdipDeleteBrush", {brush}, {}), recorder::Find(brush, Kind::Brush) != nullptr);
    recorder::Destroy(brush);
    return status;
}

Status GdipCreatePen2(GpBrush* brush, Real width, Unit unit, GpPen** pen) {
    recorder::Bookkeeping bookkeeping;
    Status status = Record(NewCall("GdipCreatePen2", {brush}, {width, double(unit)}),
                           recorder::Find(brush, Kind::Brush) != nullptr && pen != nullptr);
    if (status == kOk) *pen = recorder::Make<GpPen>(Kind::Pen);
    if (status == kOk) recorder::NoteCreated(*pen);
    return status;
}

Status GdipSetPenDashArray(GpPen* pen, const Real* dashes, std::int32_t count) {
    recorder::Bookkeeping bookkeeping;
    std::vector<double> args;
    for (std::int32_t i = 0; dashes && i < count; ++i) args.push_back(dashes[i]);
    return Record(NewCall("GdipSetPenDashArray", {pen}, args), recorder::Find(pen, Kind::Pen) != nullptr);
}

Status GdipDeletePen(GpPen* pen) {
    recorder::Bookkeeping bookkeeping;
    Status status = Record(NewCall("GdipDeletePen", {pen}, {}), recorder::Find(pen, Kind::Pen) != nullptr);
    recorder::Destroy(pen);
    return status;
}

Status GdipCreateFontFamilyFromName(const char16_t* name, GpFontCollection* collection, GpFontFamily** family) {
    recorder::Bookkeeping bookkeeping;
    Call call = NewCall("GdipCreateFontFamilyFromName", {collection}, {});
    if (name) call.text = name;
    Status status = Record(call, name != nullptr && family != nullptr);
    if (status == kOk && recorder::S().missing_families.count(call.text)) {
        status = kFontFamilyNotFound;
        recorder::S().calls.back().result = status;
    }
    if (status == kOk) *family = recorder::Make<GpFontFamily>(Kind::Family);
    if (status == kOk) recorder::NoteCreated(*family);
    return status;
}

Status GdipGetGenericFontFamilySansSerif(GpFontFamily** family) {
    recorder::Bookkeeping bookkeeping;
    Status status = Record(NewCall("GdipGetGenericFontFamilySansSerif", {}, {}), family != nullptr);
    if (status == kOk) {
        if (!recorder::S().generic_family) {
            recorder::S().generic_family = reinterpret_cast<recorder::Object*>(
                recorder::Make<GpFontFamily>(Kind::Family));
            recorder::S().generic_family->generic = true;
        }
        *family = reinterpret_cast<GpFontFamily*>(recorder::S().generic_family);
        recorder::NoteCreated(*family);
    }
    return status;
}

Status GdipDeleteFontFamily(GpFontFamily* family) {
    recorder::Bookkeeping bookkeeping;
    Status status = Record(NewCall("GdipDeleteFontFamily", {family}, {}),
                           recorder::Find(family, Kind::Family) != nullptr);
    recorder::Object* object = recorder::Find(family, Kind::Family);
    if (object && !object->generic) recorder::Destroy(family);
    return status;
}

Status GdipCreateFont(const GpFontFamily* family, Real size, std::int32_t style, Unit unit, GpFont** font) {
    recorder::Bookkeeping bookkeeping;
    Status status = Record(NewCall("GdipCreateFont", {family}, {size, double(style), double(unit)}),
                           recorder::Find(family, Kind::Family) != nullptr && font != nullptr);
    if (status == kOk) {
        *font = recorder::Make<GpFont>(Kind::Font);
        recorder::Find(*font, Kind::Font)->font_size = size;
        recorder::NoteCreated(*font);
    }
    return status;
}

Status GdipDeleteFont(GpFont* font) {
    recorder::Bookkeeping bookkeeping;
    Status status = Record(NewCall("GdipDeleteFont", {font}, {}), recorder::Find(font, Kind::Font) != nullptr);
    recorder::Destroy(font);
    return status;
}

Status GdipGetFontSize(GpFont* font, Real* size) {
    recorder::Bookkeeping bookkeeping;
    recorder::Object* object = recorder::Find(font, Kind::Font);
    Status status = Record(NewCall("GdipGetFontSize", {font}, {}), object != nullptr && size != nullptr);
    if (status == kOk) *size = object->font_size;
    return status;
}

Status GdipCreateStringFormat(std::int32_t flags, std::uint16_t language, GpStringFormat** format) {
    recorder::Bookkeeping bookkeeping;
    Status status = Record(NewCall("GdipCreateStringFormat", {}, {double(flags), double(language)}), format != nullptr);
    if (status == kOk) *format = recorder::Make<GpStringFormat>(Kind::Format);
    if (status == kOk) recorder::NoteCreated(*format);
    return status;
}

Status GdipDeleteStringFormat(GpStringFormat* format) {
    recorder::Bookkeeping bookkeeping;
    Status status = Record(NewCall("GdipDeleteStringFormat", {format}, {}),
                           recorder::Find(format, Kind::Format) != nullptr);
    recorder::Destroy(format);
    return status;
}

Status GdipSetStringFormatAlign(GpStringFormat* format, StringAlignment align) {
    recorder::Bookkeeping bookkeeping;
    return Record(NewCall("GdipSetStringFormatAlign", {format}, {double(align)}),
                  recorder::Find(format, Kind::Format) != nullptr);
}

Status GdipSetStringFormatLineAlign(GpStringFormat* format, StringAlignment align) {
    recorder::Bookkeeping bookkeeping;
    return Record(NewCall("GdipSetStringFormatLineAlign", {format}, {double(align)}),
                  recorder::Find(format, Kind::Format) != nullptr);
}

Status GdipDrawString(GpGraphics* g, const char16_t* text, std::int32_t length, const GpFont* font,
                      const RectF* layout, const GpStringFormat* format, const GpBrush* brush) {
    recorder::Bookkeeping bookkeeping;
    std::vector<double> args{double(length)};
    if (layout) args.insert(args.end(), {layout->x, layout->y, layout->width, layout->height});
    Call call = recorder::GraphicsCall("GdipDrawString", g, {font, format, brush}, args);
    if (text) call.text = length < 0 ? std::u16string(text) : std::u16string(text, static_cast<std::size_t>(length));
    return Record(call, text && layout && recorder::Find(font, Kind::Font) &&
                            recorder::Find(brush, Kind::Brush));
}

Status GdipCreateMatrix(GpMatrix** matrix) {
    recorder::Bookkeeping bookkeeping;
    Status status = Record(NewCall("GdipCreateMatrix", {}, {}), matrix != nullptr);
    if (status == kOk) *matrix = recorder::Make<GpMatrix>(Kind::Matrix);
    if (status == kOk) recorder::NoteCreated(*matrix);
    return status;
}

Status GdipDeleteMatrix(GpMatrix* matrix) {
    recorder::Bookkeeping bookkeeping;
    Status status = Record(NewCall("GdipDeleteMatrix", {matrix}, {}), recorder::Find(matrix, Kind::Matrix) != nullptr);
    recorder::Destroy(matrix);
    return status;
}

Status GdipSetMatrixElements(GpMatrix* matrix, Real m11, Real m12, Real m21, Real m22, Real dx, Real dy) {
    recorder::Bookkeeping bookkeeping;
    recorder::Object* object = recorder::Find(matrix, Kind::Matrix);
    Status status = Record(NewCall("GdipSetMatrixElements", {matrix}, {m11, m12, m21, m22, dx, dy}), object != nullptr);
    if (status == kOk) object->matrix = recorder::Transform{m11, m12, m21, m22, dx, dy};
    return status;
}

Status GdipRotateMatrix(GpMatrix* matrix, Real angle, MatrixOrder order) {
    recorder::Bookkeeping bookkeeping;
    recorder::Object* object = recorder::Find(matrix, Kind::Matrix);
    Status status = Record(NewCall("GdipRotateMatrix", {matrix}, {angle, double(order)}), object != nullptr);
    if (status == kOk) recorder::Prepend(object->matrix, recorder::Rotation(angle), order);
    return status;
}

Status GdipTranslateMatrix(GpMatrix* matrix, Real dx, Real dy, MatrixOrder order) {
    recorder::Bookkeeping bookkeeping;
    recorder::Object* object = recorder::Find(matrix, Kind::Matrix);
    Status status = Record(NewCall("GdipTranslateMatrix", {matrix}, {dx, dy, double(order)}), object != nullptr);
    if (status == kOk) recorder::Prepend(object->matrix, recorder::Translation(dx, dy), order);
    return status;
}

Status GdipTransformMatrixPoints(GpMatrix* matrix, PointF* points, std::int32_t count) {
    recorder::Bookkeeping bookkeeping;
    recorder::Object* object = recorder::Find(matrix, Kind::Matrix);
    Call call = NewCall("GdipTransformMatrixPoints", {matrix}, {double(count)});
    for (std::int32_t i = 0; points && i < count; ++i) call.points.push_back(points[i]);
    Status status = Record(call, object != nullptr && points != nullptr && count > 0);
    if (status == kOk)
        for (std::int32_t i = 0; i < count; ++i) points[i] = object->matrix.Apply(points[i]);
    return status;
}

Status GdipDrawLine(GpGraphics* g, GpPen* pen, Real x1, Real y1, Real x2, Real y2) {
    recorder::Bookkeeping bookkeeping;
    Call call = recorder::GraphicsCall("GdipDrawLine", g, {pen}, {x1, y1, x2, y2});
    return Record(call, recorder::Find(pen, Kind::Pen));
}

Status GdipDrawEllipse(GpGraphics* g, GpPen* pen, Real x, Real y, Real width, Real height) {
    recorder::Bookkeeping bookkeeping;
    Call call = recorder::GraphicsCall("GdipDrawEllipse", g, {pen}, {x, y, width, height});
    return Record(call, recorder::Find(pen, Kind::Pen));
}

Status GdipDrawArc(GpGraphics* g, GpPen* pen, Real x, Real y, Real width, Real height, Real start, Real sweep) {
    recorder::Bookkeeping bookkeeping;
    Call call = recorder::GraphicsCall("GdipDrawArc", g, {pen}, {x, y, width, height, start, sweep});
    return Record(call, recorder::Find(pen, Kind::Pen));
}

Status GdipDrawPolygon(GpGraphics* g, GpPen* pen, const PointF* points, std::int32_t count) {
    recorder::Bookkeeping bookkeeping;
    Call call = recorder::GraphicsCall("GdipDrawPolygon", g, {pen}, {double(count)});
    for (std::int32_t i = 0; points && i < count; ++i) call.points.push_back(points[i]);
    return Record(call, recorder::Find(pen, Kind::Pen) && points);
}

Status GdipFillPolygon(GpGraphics* g, GpBrush* brush, const PointF* points, std::int32_t count, FillMode mode) {
    recorder::Bookkeeping bookkeeping;
    Call call = recorder::GraphicsCall("GdipFillPolygon", g, {brush}, {double(count), double(mode)});
    for (std::int32_t i = 0; points && i < count; ++i) call.points.push_back(points[i]);
    return Record(call, recorder::Find(brush, Kind::Brush) && points);
}

Status GdipDrawRectangle(GpGraphics* g, GpPen* pen, Real x, Real y, Real width, Real height) {
    recorder::Bookkeeping bookkeeping;
    Call call = recorder::GraphicsCall("GdipDrawRectangle", g, {pen}, {x, y, width, height});
    return Record(call, recorder::Find(pen, Kind::Pen));
}

}  // extern "C"
