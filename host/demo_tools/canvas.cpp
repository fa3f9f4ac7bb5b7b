#include "canvas.h"

#include <vector>

#include "image/gdiplus_startup.h"
#include "picture_scaling.h"
#include "platform/gdiplus_image.h"
#include "image/surface.h"

namespace demotools {
namespace {

gdip::GpImage* AsImage(gdip::GpBitmap* bitmap) { return reinterpret_cast<gdip::GpImage*>(bitmap); }

// A GDI+ bitmap over a copy of the picture's pixels, for drawing it.
class PictureBitmap {
public:
    explicit PictureBitmap(const panelhost::Image& picture) : pixels_(picture.argb) {
        if (picture.empty()) return;
        gdip::GdipCreateBitmapFromScan0(picture.width, picture.height, picture.width * 4, gdip::kPixelFormat32bppArgb,
                                        reinterpret_cast<std::uint8_t*>(pixels_.data()), &bitmap_);
    }
    ~PictureBitmap() {
        if (bitmap_) gdip::GdipDisposeImage(AsImage(bitmap_));
    }
    PictureBitmap(const PictureBitmap&) = delete;
    PictureBitmap& operator=(const PictureBitmap&) = delete;

    gdip::GpImage* image() const { return bitmap_ ? AsImage(bitmap_) : nullptr; }

private:
    std::vector<std::uint32_t> pixels_;
    gdip::GpBitmap* bitmap_ = nullptr;
};

// The font, brush and centring format of one piece of text.
class TextTools {
public:
    explicit TextTools(const TextStyle& style) {
        if (gdip::GdipCreateFontFamilyFromName(style.family.c_str(), nullptr, &family_) != gdip::kOk) {
            family_ = nullptr;
            gdip::GdipGetGenericFontFamilySansSerif(&family_);
        }
        if (family_) {
            gdip::GdipCreateFont(family_, style.size_px, style.bold ? gdip::kFontStyleBold : gdip::kFontStyleRegular,
                                 gdip::kUnitPixel, &font_);
        }
        gdip::GdipCreateSolidFill(style.colour, &brush_);
        if (gdip::GdipCreateStringFormat(0, 0, &format_) == gdip::kOk && format_) {
            gdip::GdipSetStringFormatAlign(format_, gdip::kAlignCenter);
            gdip::GdipSetStringFormatLineAlign(format_, gdip::kAlignCenter);
        }
    }
    ~TextTools() {
        if (format_) gdip::GdipDeleteStringFormat(format_);
        if (brush_) gdip::GdipDeleteBrush(reinterpret_cast<gdip::GpBrush*>(brush_));
        if (font_) gdip::GdipDeleteFont(font_);
        if (family_) gdip::GdipDeleteFontFamily(family_);
    }
    TextTools(const TextTools&) = delete;
    TextTools& operator=(const TextTools&) = delete;

    bool ready() const { return font_ && brush_ && format_; }
    gdip::GpFont* font() const { return font_; }
    gdip::GpBrush* brush() const { return reinterpret_cast<gdip::GpBrush*>(brush_); }
    gdip::GpStringFormat* format() const { return format_; }

private:
    gdip::GpFontFamily* family_ = nullptr;
    gdip::GpFont* font_ = nullptr;
    gdip::GpSolidFill* brush_ = nullptr;
    gdip::GpStringFormat* format_ = nullptr;
};

}  // namespace

std::unique_ptr<Canvas> Canvas::Create(int width_px, int height_px, std::string* error) {
    if (!panelhost::StartGdiplus()) {
        if (error) *error = "GDI+ does not start";
        return nullptr;
    }
    std::unique_ptr<panelhost::Surface> surface = panelhost::Surface::Create(width_px, height_px);
    if (!surface) {
        if (error) *error = "cannot make a " + std::to_string(width_px) + "x" + std::to_string(height_px) + " picture";
        return nullptr;
    }
    gdip::GpGraphics* graphics = nullptr;
    if (gdip::GdipCreateFromHDC(surface->AcquireDeviceContext(), &graphics) != gdip::kOk || graphics == nullptr) {
        if (error) *error = "cannot draw on a new picture";
        return nullptr;
    }
    gdip::GdipSetSmoothingMode(graphics, gdip::kSmoothingModeAntiAlias);
    gdip::GdipSetTextRenderingHint(graphics, gdip::kTextRenderingHintClearTypeGridFit);
    // Pictures are scaled before they are drawn; GDI+ copies their pixels.
    gdip::GdipSetInterpolationMode(graphics, gdip::kInterpolationModeNearestNeighbor);
    return std::unique_ptr<Canvas>(new Canvas(std::move(surface), graphics));
}

Canvas::Canvas(std::unique_ptr<panelhost::Surface> surface, gdip::GpGraphics* graphics)
    : surface_(std::move(surface)), graphics_(graphics) {}

Canvas::~Canvas() {
    if (graphics_) gdip::GdipDeleteGraphics(graphics_);
}

void Canvas::Clear(std::uint32_t argb) {
    surface_->AcquireDeviceContext();
    gdip::GdipGraphicsClear(graphics_, argb);
}

void Canvas::FillRect(const PixelRect& where, std::uint32_t argb) {
    gdip::GpSolidFill* brush = nullptr;
    if (gdip::GdipCreateSolidFill(argb, &brush) != gdip::kOk || brush == nullptr) return;
    auto left = static_cast<gdip::Real>(where.x);
    auto top = static_cast<gdip::Real>(where.y);
    auto right = static_cast<gdip::Real>(where.x + where.width);
    auto bottom = static_cast<gdip::Real>(where.y + where.height);
    const gdip::PointF corners[4] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
    surface_->AcquireDeviceContext();
    gdip::GdipFillPolygon(graphics_, reinterpret_cast<gdip::GpBrush*>(brush), corners, 4, gdip::kFillModeAlternate);
    gdip::GdipDeleteBrush(reinterpret_cast<gdip::GpBrush*>(brush));
}

bool Canvas::DrawPicture(const panelhost::Image& picture, const PixelRect& where) {
    if (where.width <= 0 || where.height <= 0) return false;
    PictureBitmap bitmap(ScalePicture(picture, where.width, where.height));
    if (bitmap.image() == nullptr) return false;
    surface_->AcquireDeviceContext();
    return gdip::GdipDrawImageRectI(graphics_, bitmap.image(), where.x, where.y, where.width, where.height) ==
           gdip::kOk;
}

bool Canvas::DrawCentredText(const std::string& text, const PixelRect& where, const TextStyle& style) {
    if (text.empty()) return true;
    TextTools tools(style);
    if (!tools.ready()) return false;
    std::u16string utf16 = panelhost::ToUtf16(text);
    gdip::RectF layout{static_cast<gdip::Real>(where.x), static_cast<gdip::Real>(where.y),
                       static_cast<gdip::Real>(where.width), static_cast<gdip::Real>(where.height)};
    surface_->AcquireDeviceContext();
    return gdip::GdipDrawString(graphics_, utf16.c_str(), static_cast<std::int32_t>(utf16.size()), tools.font(), &layout,
                                tools.format(), tools.brush()) == gdip::kOk;
}

panelhost::Image Canvas::Read() { return surface_->ReadImage(); }

}  // namespace demotools
