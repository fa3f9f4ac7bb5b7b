// Our own declarations of the GDI+ flat functions the radar module calls.
// Strings are UTF-16 on every platform (char16_t), as GDI+ reads them.
// On 32-bit Windows every function is __stdcall, as gdiplus.dll exports it.
#pragma once

#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define GDIPLUS_CALL __stdcall
#else
#define GDIPLUS_CALL
#endif

namespace gdip {

using Status = std::int32_t;  // 0 = Ok
using Argb = std::uint32_t;
using Real = float;
using GraphicsContainer = std::uint32_t;
using GdiplusToken = std::uintptr_t;
using Hdc = void*;

constexpr Status kOk = 0;
constexpr Status kGenericError = 1;
constexpr Status kInvalidParameter = 2;
constexpr Status kOutOfMemory = 3;
constexpr Status kFontFamilyNotFound = 14;

enum MatrixOrder : std::int32_t { kMatrixOrderPrepend = 0, kMatrixOrderAppend = 1 };
enum Unit : std::int32_t { kUnitWorld = 0, kUnitDisplay = 1, kUnitPixel = 2, kUnitPoint = 3 };
enum FillMode : std::int32_t { kFillModeAlternate = 0, kFillModeWinding = 1 };
enum StringAlignment : std::int32_t { kAlignNear = 0, kAlignCenter = 1, kAlignFar = 2 };
enum FontStyle : std::int32_t { kFontStyleRegular = 0, kFontStyleBold = 1 };
constexpr std::int32_t kSmoothingModeAntiAlias = 4;
constexpr std::int32_t kTextRenderingHintClearTypeGridFit = 5;

struct GpGraphics;
struct GpBrush;
struct GpSolidFill;
struct GpPen;
struct GpFont;
struct GpFontFamily;
struct GpFontCollection;
struct GpStringFormat;
struct GpMatrix;

struct PointF {
    Real x;
    Real y;
};

struct RectF {
    Real x;
    Real y;
    Real width;
    Real height;
};

struct StartupInput {
    std::uint32_t version;            // 1
    void* debug_event_callback;       // none
    std::int32_t suppress_background_thread;
    std::int32_t suppress_external_codecs;
};

// The flat functions have C linkage; declared in this namespace they are
// still the exported gdiplus symbols.
extern "C" {

Status GDIPLUS_CALL GdiplusStartup(GdiplusToken* token, const StartupInput* input, void* output);
void GDIPLUS_CALL GdiplusShutdown(GdiplusToken token);

Status GDIPLUS_CALL GdipCreateFromHDC(Hdc hdc, GpGraphics** graphics);
Status GDIPLUS_CALL GdipDeleteGraphics(GpGraphics* graphics);
Status GDIPLUS_CALL GdipGraphicsClear(GpGraphics* graphics, Argb color);
Status GDIPLUS_CALL GdipScaleWorldTransform(GpGraphics* graphics, Real sx, Real sy, MatrixOrder order);
Status GDIPLUS_CALL GdipResetWorldTransform(GpGraphics* graphics);
Status GDIPLUS_CALL GdipTranslateWorldTransform(GpGraphics* graphics, Real dx, Real dy, MatrixOrder order);
Status GDIPLUS_CALL GdipBeginContainer2(GpGraphics* graphics, GraphicsContainer* state);
Status GDIPLUS_CALL GdipEndContainer(GpGraphics* graphics, GraphicsContainer state);
Status GDIPLUS_CALL GdipSetSmoothingMode(GpGraphics* graphics, std::int32_t mode);
Status GDIPLUS_CALL GdipSetTextRenderingHint(GpGraphics* graphics, std::int32_t hint);

Status GDIPLUS_CALL GdipCreateSolidFill(Argb color, GpSolidFill** brush);
Status GDIPLUS_CALL GdipDeleteBrush(GpBrush* brush);
Status GDIPLUS_CALL GdipCreatePen2(GpBrush* brush, Real width, Unit unit, GpPen** pen);
Status GDIPLUS_CALL GdipSetPenDashArray(GpPen* pen, const Real* dashes, std::int32_t count);
Status GDIPLUS_CALL GdipDeletePen(GpPen* pen);

Status GDIPLUS_CALL GdipCreateFontFamilyFromName(const char16_t* name, GpFontCollection* collection,
                                                 GpFontFamily** family);
Status GDIPLUS_CALL GdipGetGenericFontFamilySansSerif(GpFontFamily** family);
Status GDIPLUS_CALL GdipDeleteFontFamily(GpFontFamily* family);
Status GDIPLUS_CALL GdipCreateFont(const GpFontFamily* family, Real size, std::int32_t style, Unit unit,
                                   GpFont** font);
Status GDIPLUS_CALL GdipDeleteFont(GpFont* font);
Status GDIPLUS_CALL GdipGetFontSize(GpFont* font, Real* size);

Status GDIPLUS_CALL GdipCreateStringFormat(std::int32_t flags, std::uint16_t language, GpStringFormat** format);
Status GDIPLUS_CALL GdipDeleteStringFormat(GpStringFormat* format);
Status GDIPLUS_CALL GdipSetStringFormatAlign(GpStringFormat* format, StringAlignment align);
Status GDIPLUS_CALL GdipSetStringFormatLineAlign(GpStringFormat* format, StringAlignment align);
Status GDIPLUS_CALL GdipDrawString(GpGraphics* graphics, const char16_t* text, std::int32_t length,
                                   const GpFont* font, const RectF* layout, const GpStringFormat* format,
                                   const GpBrush* brush);

Status GDIPLUS_CALL GdipCreateMatrix(GpMatrix** matrix);
Status GDIPLUS_CALL GdipDeleteMatrix(GpMatrix* matrix);
Status GDIPLUS_CALL GdipSetMatrixElements(GpMatrix* matrix, Real m11, Real m12, Real m21, Real m22, Real dx,
                                          Real dy);
Status GDIPLUS_CALL GdipRotateMatrix(GpMatrix* matrix, Real angle, MatrixOrder order);
Status GDIPLUS_CALL GdipTranslateMatrix(GpMatrix* matrix, Real dx, Real dy, MatrixOrder order);
Status GDIPLUS_CALL GdipTransformMatrixPoints(GpMatrix* matrix, PointF* points, std::int32_t count);

Status GDIPLUS_CALL GdipDrawLine(GpGraphics* graphics, GpPen* pen, Real x1, Real y1, Real x2, Real y2);
Status GDIPLUS_CALL GdipDrawEllipse(GpGraphics* graphics, GpPen* pen, Real x, Real y, Real width, Real height);
Status GDIPLUS_CALL GdipDrawArc(GpGraphics* graphics, GpPen* pen, Real x, Real y, Real width, Real height,
                                Real start_angle, Real sweep_angle);
Status GDIPLUS_CALL GdipDrawPolygon(GpGraphics* graphics, GpPen* pen, const PointF* points, std::int32_t count);
Status GDIPLUS_CALL GdipFillPolygon(GpGraphics* graphics, GpBrush* brush, const PointF* points,
                                    std::int32_t count, FillMode fill_mode);
Status GDIPLUS_CALL GdipDrawRectangle(GpGraphics* graphics, GpPen* pen, Real x, Real y, Real width,
                                      Real height);
}

}  // namespace gdip
