// The host's surfaces, fonts, PNG files and reference comparison.
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "image/gdiplus_startup.h"
#include "image/image_compare.h"
#include "integration_support.h"
#include "platform/gdiplus_image.h"
#include "image/surface.h"

namespace {

using panelhost::Image;
using panelhost::ImageTolerance;

std::u16string FamilyNameFor(const char16_t* requested) {
    gdip::GpFontFamily* family = nullptr;
    if (gdip::GdipCreateFontFamilyFromName(requested, nullptr, &family) != gdip::kOk) return u"<not found>";
    char16_t name[33] = {};
    gdip::GdipGetFamilyName(family, name, 0);
    gdip::GdipDeleteFontFamily(family);
    return name;
}

TEST(PanelHostFonts, TahomaAndArialResolveWithoutTouchingTheSystem) {
    ASSERT_TRUE(panelhost::StartGdiplus());
    const char* config = std::getenv("FONTCONFIG_FILE");
    ASSERT_NE(config, nullptr);
    EXPECT_EQ(config, panelhost::FontConfigPath());
    EXPECT_TRUE(std::filesystem::exists(config));
    EXPECT_EQ(FamilyNameFor(u"Tahoma"), u"Tahoma");
    EXPECT_EQ(FamilyNameFor(u"Arial"), u"Liberation Sans");
}

TEST(PanelHostSurface, TheModulesGraphicsDrawsIntoTheSurface) {
    EXPECT_EQ(panelhost::Surface::Create(0, 10), nullptr);
    EXPECT_EQ(panelhost::Surface::Create(10, -1), nullptr);
    EXPECT_EQ(panelhost::Surface::Create(panelhost::kMaxSurfaceSide + 1, 10), nullptr);

    auto surface = panelhost::Surface::Create(64, 32);
    ASSERT_NE(surface, nullptr);
    sim::DeviceContext dc = surface->AcquireDeviceContext();
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(surface->AcquireDeviceContext(), dc);

    // As the module does: a Graphics of its own on the device context, kept across frames.
    gdip::GpGraphics* graphics = nullptr;
    ASSERT_EQ(gdip::GdipCreateFromHDC(dc, &graphics), gdip::kOk);
    gdip::GdipGraphicsClear(graphics, 0xFF123456u);
    Image image = surface->ReadImage();
    EXPECT_EQ(image.width, 64);
    EXPECT_EQ(image.height, 32);
    EXPECT_TRUE(integration::IsUniform(image, 0xFF123456u));

    // Reading released the device context; the next frame takes it again, same value.
    EXPECT_EQ(surface->AcquireDeviceContext(), dc);
    gdip::GdipGraphicsClear(graphics, 0xFF00FF00u);
    EXPECT_TRUE(integration::IsUniform(surface->ReadImage(), 0xFF00FF00u));
    gdip::GdipDeleteGraphics(graphics);
}

Image Pattern() {
    Image image(7, 5, 0xFF000000u);
    for (int x = 0; x < image.width; ++x) image.at(x, 2) = 0xFF10C0F0u;
    image.at(0, 0) = 0xFFFFFFFFu;
    image.at(6, 4) = 0xFF800000u;
    return image;
}

TEST(PanelHostImages, PngFilesKeepThePixels) {
    std::filesystem::path folder = integration::TestFolder();
    std::string path = (folder / "pattern.png").string();
    std::string error;
    ASSERT_TRUE(panelhost::SavePng(Pattern(), path, &error)) << error;
    Image loaded;
    ASSERT_TRUE(panelhost::LoadPng(path, &loaded, &error)) << error;
    EXPECT_EQ(loaded.width, 7);
    EXPECT_EQ(loaded.height, 5);
    EXPECT_EQ(loaded.argb, Pattern().argb);

    EXPECT_FALSE(panelhost::LoadPng((folder / "missing.png").string(), &loaded, &error));
    EXPECT_FALSE(panelhost::SavePng(Image(), (folder / "empty.png").string(), &error));
    EXPECT_FALSE(panelhost::SavePng(Pattern(), (folder / "no" / "such" / "folder.png").string(), &error));
}

TEST(PanelHostImages, ComparisonHonoursTheTolerances) {
    Image expected = Pattern();
    Image actual = Pattern();
    actual.at(1, 1) = 0xFF000010u;  // blue off by 16
    actual.at(2, 1) = 0xFF110000u;  // red off by 17

    auto exact = panelhost::CompareImages(actual, expected, ImageTolerance{0, 0});
    EXPECT_TRUE(exact.same_size);
    EXPECT_EQ(exact.differing_pixels, 2);
    EXPECT_EQ(exact.largest_difference, 17);
    EXPECT_FALSE(exact.matches);
    auto by_channel = panelhost::CompareImages(actual, expected, ImageTolerance{16, 0});
    EXPECT_EQ(by_channel.differing_pixels, 1);
    EXPECT_FALSE(by_channel.matches);
    EXPECT_TRUE(panelhost::CompareImages(actual, expected, ImageTolerance{17, 0}).matches);
    EXPECT_TRUE(panelhost::CompareImages(actual, expected, ImageTolerance{16, 1}).matches);
    auto other_size = panelhost::CompareImages(Image(7, 6), expected, ImageTolerance{255, 1000});
    EXPECT_FALSE(other_size.same_size);
    EXPECT_FALSE(other_size.matches);

    Image diff = panelhost::DiffImage(actual, expected, 16);
    EXPECT_EQ(diff.at(2, 1), 0xFFFF0000u);
    EXPECT_NE(diff.at(1, 1), 0xFFFF0000u);
    EXPECT_NE(diff.at(0, 0), 0xFFFF0000u);
}

TEST(PanelHostImages, ReferencesAreWrittenOnlyOnRequest) {
    std::filesystem::path folder = integration::TestFolder();
    std::string reference = (folder / "reference.png").string();
    std::string diff = (folder / "reference_diff.png").string();
    unsetenv(panelhost::kUpdateReferencesVariable);

    panelhost::ReferenceCheck missing = panelhost::CheckAgainstReference(Pattern(), reference, diff, {});
    EXPECT_FALSE(missing.passed);
    EXPECT_NE(missing.message.find(panelhost::kUpdateReferencesVariable), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(reference));

    setenv(panelhost::kUpdateReferencesVariable, "0", 1);
    EXPECT_FALSE(panelhost::CheckAgainstReference(Pattern(), reference, diff, {}).passed);
    setenv(panelhost::kUpdateReferencesVariable, "1", 1);
    panelhost::ReferenceCheck written = panelhost::CheckAgainstReference(Pattern(), reference, diff, {});
    EXPECT_TRUE(written.passed);
    EXPECT_TRUE(written.updated);
    unsetenv(panelhost::kUpdateReferencesVariable);

    EXPECT_TRUE(panelhost::CheckAgainstReference(Pattern(), reference, diff, {}).passed);
    EXPECT_FALSE(std::filesystem::exists(diff));
    Image changed = Pattern();
    changed.at(3, 3) = 0xFFFFFFFFu;
    panelhost::ReferenceCheck failed = panelhost::CheckAgainstReference(changed, reference, diff, {});
    EXPECT_FALSE(failed.passed);
    EXPECT_NE(failed.message.find(diff), std::string::npos);
    Image diff_image;
    ASSERT_TRUE(panelhost::LoadPng(diff, &diff_image));
    EXPECT_EQ(diff_image.at(3, 3), 0xFFFF0000u);
    EXPECT_EQ(integration::CountPixels(diff_image, 0xFFFF0000u), 1);
}

}  // namespace
