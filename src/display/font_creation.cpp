// Font creation with its fallbacks: a family that is not installed, or that
// cannot give a font of the size and style asked for, is replaced by the
// generic sans-serif family.
#include "display/gdiplus_wrappers.h"

namespace display {

gdip::GpFontFamily* GenericFontFamily::Fetch() {
    if (!fetched_) {
        gdip::GpFontFamily* handle = nullptr;
        status_ = gdip::GdipGetGenericFontFamilySansSerif(&handle);
        handle_ = status_ == gdip::kOk ? handle : nullptr;
        fetched_ = true;
    }
    return handle_;
}

FontWrapper::FontWrapper(GenericFontFamily& generic, const char16_t* family_name, gdip::Real size, int style,
                         gdip::Unit unit) {
    gdip::GpFontFamily* named_family = nullptr;
    gdip::Status status = gdip::GdipCreateFontFamilyFromName(family_name, nullptr, &named_family);
    SetCreationStatus(status);
    if (status != gdip::kOk) named_family = nullptr;

    const gdip::GpFontFamily* family = named_family;
    if (family == nullptr) {
        family = generic.Fetch();
        SetCreationStatus(generic.status());
    }

    if (family != nullptr) {
        gdip::GpFont* font = nullptr;
        status = gdip::GdipCreateFont(family, size, style, unit, &font);
        SetCreationStatus(status);
        if (status == gdip::kOk) {
            handle_ = font;
        } else {
            // One more attempt, with the generic family, and no further.
            gdip::GpFontFamily* generic_handle = generic.Fetch();
            SetCreationStatus(generic.status());
            if (generic_handle != nullptr) {
                status = gdip::GdipCreateFont(generic_handle, size, style, unit, &font);
                SetCreationStatus(status);
                if (status == gdip::kOk) handle_ = font;
            }
        }
    }

    if (named_family != nullptr) gdip::GdipDeleteFontFamily(named_family);
}

}  // namespace display
