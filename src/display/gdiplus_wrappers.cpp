#include "display/gdiplus_wrappers.h"

namespace display {
namespace {

gdip::GpPen* HandleOf(const PenWrapper* pen) { return pen ? pen->handle() : nullptr; }
gdip::GpBrush* HandleOf(const BrushWrapper* brush) { return brush ? brush->handle() : nullptr; }

}  // namespace

BrushWrapper::BrushWrapper(gdip::Argb color) { SetCreationStatus(gdip::GdipCreateSolidFill(color, &handle_)); }

BrushWrapper::~BrushWrapper() {
    if (handle_) gdip::GdipDeleteBrush(handle());
}

PenWrapper::PenWrapper(const BrushWrapper& brush, gdip::Real width, gdip::Unit unit) {
    SetCreationStatus(gdip::GdipCreatePen2(brush.handle(), width, unit, &handle_));
}

PenWrapper::~PenWrapper() {
    if (handle_) gdip::GdipDeletePen(handle_);
}

void PenWrapper::SetDashArray(const gdip::Real* dashes, int count) {
    Keep(gdip::GdipSetPenDashArray(handle_, dashes, count));
}

FontWrapper::~FontWrapper() {
    if (handle_) gdip::GdipDeleteFont(handle_);
}

gdip::Status FontWrapper::GetSize(gdip::Real& size) { return Keep(gdip::GdipGetFontSize(handle_, &size)); }

StringFormatWrapper::StringFormatWrapper() { SetCreationStatus(gdip::GdipCreateStringFormat(0, 0, &handle_)); }

StringFormatWrapper::~StringFormatWrapper() {
    if (handle_) gdip::GdipDeleteStringFormat(handle_);
}

void StringFormatWrapper::SetAlign(gdip::StringAlignment align) {
    Keep(gdip::GdipSetStringFormatAlign(handle_, align));
}

void StringFormatWrapper::SetLineAlign(gdip::StringAlignment align) {
    Keep(gdip::GdipSetStringFormatLineAlign(handle_, align));
}

void SetAlign(StringFormatWrapper* format, gdip::StringAlignment align) {
    if (format) format->SetAlign(align);
}

void SetLineAlign(StringFormatWrapper* format, gdip::StringAlignment align) {
    if (format) format->SetLineAlign(align);
}

MatrixWrapper::MatrixWrapper() { SetCreationStatus(gdip::GdipCreateMatrix(&handle_)); }

MatrixWrapper::~MatrixWrapper() {
    if (handle_) gdip::GdipDeleteMatrix(handle_);
}

void MatrixWrapper::SetIdentity() { Keep(gdip::GdipSetMatrixElements(handle_, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f)); }

void MatrixWrapper::Rotate(gdip::Real angle_deg) {
    Keep(gdip::GdipRotateMatrix(handle_, angle_deg, gdip::kMatrixOrderPrepend));
}

void MatrixWrapper::Translate(gdip::Real dx, gdip::Real dy) {
    Keep(gdip::GdipTranslateMatrix(handle_, dx, dy, gdip::kMatrixOrderPrepend));
}

void MatrixWrapper::TransformPoints(gdip::PointF* points, int count) {
    Keep(gdip::GdipTransformMatrixPoints(handle_, points, count));
}

GraphicsWrapper::GraphicsWrapper(gdip::Hdc device_context) {
    SetCreationStatus(gdip::GdipCreateFromHDC(device_context, &handle_));
}

GraphicsWrapper::~GraphicsWrapper() {
    if (handle_) gdip::GdipDeleteGraphics(handle_);
}

void GraphicsWrapper::Clear(gdip::Argb color) { Keep(gdip::GdipGraphicsClear(handle_, color)); }

void GraphicsWrapper::ScaleWorldTransform(gdip::Real sx, gdip::Real sy) {
    Keep(gdip::GdipScaleWorldTransform(handle_, sx, sy, gdip::kMatrixOrderPrepend));
}

void GraphicsWrapper::ResetWorldTransform() { Keep(gdip::GdipResetWorldTransform(handle_)); }

void GraphicsWrapper::TranslateWorldTransform(gdip::Real dx, gdip::Real dy) {
    Keep(gdip::GdipTranslateWorldTransform(handle_, dx, dy, gdip::kMatrixOrderPrepend));
}

gdip::GraphicsContainer GraphicsWrapper::BeginContainer() {
    gdip::GraphicsContainer container = 0;
    Keep(gdip::GdipBeginContainer2(handle_, &container));
    return container;
}

void GraphicsWrapper::EndContainer(gdip::GraphicsContainer container) {
    Keep(gdip::GdipEndContainer(handle_, container));
}

void GraphicsWrapper::SetSmoothingMode(std::int32_t mode) { Keep(gdip::GdipSetSmoothingMode(handle_, mode)); }

void GraphicsWrapper::SetTextRenderingHint(std::int32_t hint) {
    Keep(gdip::GdipSetTextRenderingHint(handle_, hint));
}

void GraphicsWrapper::DrawLine(const PenWrapper* pen, gdip::Real x1, gdip::Real y1, gdip::Real x2, gdip::Real y2) {
    Keep(gdip::GdipDrawLine(handle_, HandleOf(pen), x1, y1, x2, y2));
}

void GraphicsWrapper::DrawEllipse(const PenWrapper* pen, const gdip::RectF& bounds) {
    Keep(gdip::GdipDrawEllipse(handle_, HandleOf(pen), bounds.x, bounds.y, bounds.width, bounds.height));
}

void GraphicsWrapper::DrawArc(const PenWrapper* pen, const gdip::RectF& bounds, gdip::Real start_deg,
                              gdip::Real sweep_deg) {
    Keep(gdip::GdipDrawArc(handle_, HandleOf(pen), bounds.x, bounds.y, bounds.width, bounds.height, start_deg,
                           sweep_deg));
}

void GraphicsWrapper::DrawRectangle(const PenWrapper* pen, const gdip::RectF& rect) {
    Keep(gdip::GdipDrawRectangle(handle_, HandleOf(pen), rect.x, rect.y, rect.width, rect.height));
}

void GraphicsWrapper::DrawPolygon(const PenWrapper* pen, const gdip::PointF* points, int count) {
    Keep(gdip::GdipDrawPolygon(handle_, HandleOf(pen), points, count));
}

void GraphicsWrapper::FillPolygon(const BrushWrapper* brush, const gdip::PointF* points, int count) {
    Keep(gdip::GdipFillPolygon(handle_, HandleOf(brush), points, count, gdip::kFillModeAlternate));
}

gdip::Status GraphicsWrapper::DrawTextAt(const char16_t* text, const FontWrapper* font, gdip::Real x, gdip::Real y,
                                         const StringFormatWrapper* format, const BrushWrapper* brush) {
    const gdip::RectF layout{x, y, 0.0f, 0.0f};
    return Keep(gdip::GdipDrawString(handle_, text, -1, font ? font->handle() : nullptr, &layout,
                                     format ? format->handle() : nullptr, HandleOf(brush)));
}

}  // namespace display
