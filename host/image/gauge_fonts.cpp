#include "image/gauge_fonts.h"

#include "platform/gdiplus_flat.h"

namespace panelhost {
namespace {

struct GaugeFamily {
    const char16_t* family;
    const char* name;
    const char* texts;       // what the gauges write in it
    const char* wine_source;  // how a Wine prefix gets it
};

// The families of the module's fonts (src/display/draw_resources.cpp).
constexpr GaugeFamily kGaugeFamilies[] = {
    {u"Tahoma", "Tahoma", "range labels",
     "Wine's own Tahoma (Debian package fonts-wine): copy /usr/share/wine/fonts/tahoma*.ttf into the prefix's "
     "drive_c/windows/Fonts folder"},
    {u"Arial", "Arial", "target readouts",
     "a metric-compatible Arial, such as Liberation Sans (fonts-liberation), named for it:\n"
     "      wine reg add \"HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes\" /v Arial "
     "/t REG_SZ /d \"Liberation Sans\""},
};

constexpr const char* kGenericFamily = "GDI+'s generic sans-serif family";
constexpr const char* kGenericWineSource =
    "Wine's GDI+ takes Microsoft Sans Serif, or Tahoma where that is missing: Wine's Tahoma in the prefix gives it";

bool FamilyFound(const char16_t* family) {
    gdip::GpFontFamily* handle = nullptr;
    if (gdip::GdipCreateFontFamilyFromName(family, nullptr, &handle) != gdip::kOk || handle == nullptr) return false;
    gdip::GdipDeleteFontFamily(handle);
    return true;
}

// GDI+ owns the generic family: it is not deleted.
bool GenericFamilyFound() {
    gdip::GpFontFamily* handle = nullptr;
    return gdip::GdipGetGenericFontFamilySansSerif(&handle) == gdip::kOk && handle != nullptr;
}

const GaugeFamily* FamilyNamed(const std::string& name) {
    for (const GaugeFamily& family : kGaugeFamilies) {
        if (name == family.name) return &family;
    }
    return nullptr;
}

// "a", "a and b", "a, b and c".
std::string Listed(const std::vector<std::string>& items) {
    std::string list;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) list += i + 1 == items.size() ? " and " : ", ";
        list += items[i];
    }
    return list;
}

}  // namespace

GaugeFonts FindGaugeFonts() {
    GaugeFonts fonts;
    for (const GaugeFamily& family : kGaugeFamilies) {
        if (!FamilyFound(family.family)) fonts.missing.emplace_back(family.name);
    }
    // The generic family matters only in place of a missing one.
    fonts.generic_missing = !fonts.missing.empty() && !GenericFamilyFound();
    return fonts;
}

std::string GaugeFontsNote(const GaugeFonts& fonts) {
    if (fonts.complete()) return {};
    std::vector<std::string> families = fonts.missing;
    std::vector<std::string> texts;
    for (const std::string& name : fonts.missing) {
        if (const GaugeFamily* family = FamilyNamed(name)) texts.emplace_back(family->texts);
    }
    if (fonts.generic_missing) families.emplace_back(kGenericFamily);
    std::string note = "fonts missing: " + Listed(families) + ": the gauges' " + Listed(texts);
    return note + (fonts.generic_missing ? " will be missing" : std::string(" come out in ") + kGenericFamily + " instead");
}

std::string GaugeFontsAdvice(const GaugeFonts& fonts) {
    if (fonts.complete()) return {};
    std::vector<std::string> sources;
    for (const std::string& name : fonts.missing) {
        if (const GaugeFamily* family = FamilyNamed(name)) sources.push_back(name + ": " + family->wine_source);
    }
    if (fonts.generic_missing) sources.push_back(std::string(kGenericFamily) + ": " + kGenericWineSource);
    std::string advice = GaugeFontsNote(fonts) +
                         ".\nOn Windows these fonts come with the system. Under Wine they are installed into the "
                         "prefix (WINEPREFIX, ~/.wine unless set):\n";
    for (std::size_t i = 0; i < sources.size(); ++i) advice += "  " + sources[i] + (i + 1 < sources.size() ? ";\n" : ".");
    return advice;
}

}  // namespace panelhost
