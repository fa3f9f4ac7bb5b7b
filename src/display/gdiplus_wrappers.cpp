#include "display/gdiplus_wrappers.h"

namespace display {

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

gdip::Status GraphicsWrapper::DrawTextAt(const char16_t* text, const FontWrapper* font, gdip::Real x, gdip::Real y,
                                         const StringFormatWrapper* format, const BrushWrapper* brush) {
    const gdip::RectF layout{x, y, 0.0f, 0.0f};
    return Keep(gdip::GdipDrawString(handle_, text, -1, font ? font->handle() : nullptr, &layout,
                                     format ? format->handle() : nullptr, brush ? brush->handle() : nullptr));
}

}  // namespace display
