// Helpers shared by the tests that run the built module file through the
// panel host: the module's tests (tests/integration) and the panel host's
// own (tests/panel_host).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "image/image.h"

namespace integration {

inline const char* ModulePath() { return RADAR_MODULE_PATH; }

// A fresh folder for this test's files, under the test temporary folder.
inline std::filesystem::path TestFolder() {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "panel_host_tests" /
                                   (std::string(info->test_suite_name()) + "." + info->name());
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

inline long CountPixels(const panelhost::Image& image, std::uint32_t argb) {
    long count = 0;
    for (std::uint32_t pixel : image.argb) count += pixel == argb ? 1 : 0;
    return count;
}

inline bool IsUniform(const panelhost::Image& image, std::uint32_t argb) {
    return !image.empty() && CountPixels(image, argb) == static_cast<long>(image.argb.size());
}

}  // namespace integration
