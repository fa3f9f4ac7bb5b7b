// Font creation with its fallbacks: a family that is not installed, or that
// cannot give a font of the size and style asked for, is replaced by the
// generic sans-serif family.
#include "display/gdiplus_wrappers.h"
#include "display/module_objects.h"

namespace display {
namespace {

// The generic sans-serif family, fetched the first time a font needs it.
// GDI+ owns it, so it is never deleted; the record is only forgotten when
// the module-wide objects are released with the last GDI+ user, so that a
// later GDI+ start-up fetches it from the GDI+ then running.
struct GenericFamily {
    bool fetched = false;
    gdip::GpFontFamily* handle = nullptr;
    gdip::Status status = gdip::kOk;
};

GenericFamily& Generic() {
    static GenericFamily family;
    return family;
}

void ForgetGenericFamily(void* record) { *static_cast<GenericFamily*>(record) = GenericFamily{}; }

const GenericFamily& GenericSansSerif() {
    GenericFamily& family = Generic();
    if (!family.fetched) {
        gdip::GpFontFamily* handle = nullptr;
        family.status = gdip::GdipGetGenericFontFamilySansSerif(&handle);
        family.handle = family.status == gdip::kOk ? handle : nullptr;
        // Without an enrolment the record would outlive GDI+; then it is
        // fetched again at the next need instead of being kept.
        family.fetched = EnrolModuleObject(&family, &ForgetGenericFamily);
    }
    return family;
}

}  // namespace

FontWrapper::FontWrapper(const char16_t* family_name, gdip::Real size, int style, gdip::Unit unit) {
    gdip::GpFontFamily* named_family = nullptr;
    gdip::Status status = gdip::GdipCreateFontFamilyFromName(family_name, nullptr, &named_family);
    SetCreationStatus(status);
    if (status != gdip::kOk) named_family = nullptr;

    const gdip::GpFontFamily* family = named_family;
    if (family == nullptr) {
        const GenericFamily& generic = GenericSansSerif();
        SetCreationStatus(generic.status);
        family = generic.handle;
    }

    if (family != nullptr) {
        gdip::GpFont* font = nullptr;
        status = gdip::GdipCreateFont(family, size, style, unit, &font);
        SetCreationStatus(status);
        if (status == gdip::kOk) {
            handle_ = font;
        } else {
            // One more attempt, with the generic family, and no further.
            const GenericFamily& generic = GenericSansSerif();
            SetCreationStatus(generic.status);
            if (generic.handle != nullptr) {
                status = gdip::GdipCreateFont(generic.handle, size, style, unit, &font);
                SetCreationStatus(status);
                if (status == gdip::kOk) handle_ = font;
            }
        }
    }

    if (named_family != nullptr) gdip::GdipDeleteFontFamily(named_family);
}

void ForgetGenericFontFamily() { Generic() = GenericFamily{}; }

}  // namespace display
