// Small owners of one GDI+ object each. A wrapper keeps the handle and the
// status of its creating call, then the status of the latest failed call
// made through it: a later success never clears an earlier failure.
// Nothing reads the statuses to decide anything; drawing goes on.
#pragma once

#include <cstdint>

#include "platform/gdiplus_flat.h"

namespace display {

class StatusKeeper {
public:
    gdip::Status status() const { return status_; }
    // Keeps a failure; a success leaves the stored status alone.
    gdip::Status Keep(gdip::Status status) {
        if (status != gdip::kOk) status_ = status;
        return status;
    }

protected:
    void SetCreationStatus(gdip::Status status) { status_ = status; }

private:
    gdip::Status status_ = gdip::kOk;
};

class BrushWrapper : public StatusKeeper {
public:
    explicit BrushWrapper(gdip::Argb color);
    ~BrushWrapper();
    BrushWrapper(const BrushWrapper&) = delete;
    BrushWrapper& operator=(const BrushWrapper&) = delete;
    gdip::GpBrush* handle() const { return reinterpret_cast<gdip::GpBrush*>(handle_); }

private:
    gdip::GpSolidFill* handle_ = nullptr;
};

class PenWrapper : public StatusKeeper {
public:
    PenWrapper(const BrushWrapper& brush, gdip::Real width, gdip::Unit unit);
    ~PenWrapper();
    PenWrapper(const PenWrapper&) = delete;
    PenWrapper& operator=(const PenWrapper&) = delete;
    void SetDashArray(const gdip::Real* dashes, int count);
    gdip::GpPen* handle() const { return handle_; }

private:
    gdip::GpPen* handle_ = nullptr;
};

// GDI+'s generic sans-serif family, fetched the first time a font needs it.
// GDI+ owns it, so it is never deleted; it is only forgotten when GDI+ may
// go away, so that a later GDI+ start-up fetches it from the GDI+ running then.
class GenericFontFamily {
public:
    // The family, fetched now when it has not been; a null handle when GDI+
    // could not give it, with GDI+'s status.
    gdip::GpFontFamily* Fetch();
    gdip::Status status() const { return status_; }
    void Forget() { *this = GenericFontFamily{}; }

private:
    bool fetched_ = false;
    gdip::GpFontFamily* handle_ = nullptr;
    gdip::Status status_ = gdip::kOk;
};

class FontWrapper : public StatusKeeper {
public:
    // The font creation with its fallbacks to the generic sans-serif family.
    FontWrapper(GenericFontFamily& generic, const char16_t* family_name, gdip::Real size, int style, gdip::Unit unit);
    ~FontWrapper();
    FontWrapper(const FontWrapper&) = delete;
    FontWrapper& operator=(const FontWrapper&) = delete;
    gdip::GpFont* handle() const { return handle_; }
    // The size GDI+ reports; a failure is kept and leaves `size` alone.
    gdip::Status GetSize(gdip::Real& size);

private:
    gdip::GpFont* handle_ = nullptr;
};

class StringFormatWrapper : public StatusKeeper {
public:
    StringFormatWrapper();  // flags 0, language 0
    ~StringFormatWrapper();
    StringFormatWrapper(const StringFormatWrapper&) = delete;
    StringFormatWrapper& operator=(const StringFormatWrapper&) = delete;
    void SetAlign(gdip::StringAlignment align);
    void SetLineAlign(gdip::StringAlignment align);
    gdip::GpStringFormat* handle() const { return handle_; }

private:
    gdip::GpStringFormat* handle_ = nullptr;
};

// The alignments of a format that may be absent (a module-wide format that
// could not be made): nothing happens without one.
void SetAlign(StringFormatWrapper* format, gdip::StringAlignment align);
void SetLineAlign(StringFormatWrapper* format, gdip::StringAlignment align);

class MatrixWrapper : public StatusKeeper {
public:
    MatrixWrapper();
    ~MatrixWrapper();
    MatrixWrapper(const MatrixWrapper&) = delete;
    MatrixWrapper& operator=(const MatrixWrapper&) = delete;
    void SetIdentity();
    void Rotate(gdip::Real angle_deg);                // prepended
    void Translate(gdip::Real dx, gdip::Real dy);     // prepended
    void TransformPoints(gdip::PointF* points, int count);
    gdip::GpMatrix* handle() const { return handle_; }

private:
    gdip::GpMatrix* handle_ = nullptr;
};

class GraphicsWrapper : public StatusKeeper {
public:
    explicit GraphicsWrapper(gdip::Hdc device_context);
    ~GraphicsWrapper();
    GraphicsWrapper(const GraphicsWrapper&) = delete;
    GraphicsWrapper& operator=(const GraphicsWrapper&) = delete;
    gdip::GpGraphics* handle() const { return handle_; }

    void Clear(gdip::Argb color);
    void ScaleWorldTransform(gdip::Real sx, gdip::Real sy);      // prepended
    void ResetWorldTransform();
    void TranslateWorldTransform(gdip::Real dx, gdip::Real dy);  // prepended
    // Saves the state; the number is for EndContainer.
    gdip::GraphicsContainer BeginContainer();
    void EndContainer(gdip::GraphicsContainer container);
    void SetSmoothingMode(std::int32_t mode);
    void SetTextRenderingHint(std::int32_t hint);

    // Drawing with a pen or brush that may be absent (GDI+ then fails the
    // call and the failure is kept here).
    void DrawLine(const PenWrapper* pen, gdip::Real x1, gdip::Real y1, gdip::Real x2, gdip::Real y2);
    void DrawEllipse(const PenWrapper* pen, const gdip::RectF& bounds);
    void DrawArc(const PenWrapper* pen, const gdip::RectF& bounds, gdip::Real start_deg, gdip::Real sweep_deg);
    void DrawRectangle(const PenWrapper* pen, const gdip::RectF& rect);
    void DrawPolygon(const PenWrapper* pen, const gdip::PointF* points, int count);
    void FillPolygon(const BrushWrapper* brush, const gdip::PointF* points, int count);  // alternate fill mode

    // Text placed at (x, y) by the format's alignments: GdipDrawString with
    // the layout rectangle (x, y, 0, 0). Font, format and brush may be null.
    gdip::Status DrawTextAt(const char16_t* text, const FontWrapper* font, gdip::Real x, gdip::Real y,
                            const StringFormatWrapper* format, const BrushWrapper* brush);

private:
    gdip::GpGraphics* handle_ = nullptr;
};

}  // namespace display
