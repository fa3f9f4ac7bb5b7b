#include "x_display.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <thread>
#include <vector>

#include "wine_runs.h"

namespace winetest {
namespace {

bool Xdotool(const std::vector<std::string>& arguments, std::string* output = nullptr) {
    std::vector<std::string> argv{"/usr/bin/env", "xdotool"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return RunCommand(argv, output) == 0;
}

void Pause(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

// "Position: 4,23 (screen: 0)" and "Geometry: 1240x431" of getwindowgeometry.
bool ParseGeometry(const std::string& text, ScreenBox* box) {
    const std::size_t position = text.find("Position:");
    const std::size_t geometry = text.find("Geometry:");
    if (position == std::string::npos || geometry == std::string::npos) return false;
    return std::sscanf(text.c_str() + position, "Position: %d,%d", &box->x, &box->y) == 2 &&
           std::sscanf(text.c_str() + geometry, "Geometry: %dx%d", &box->width, &box->height) == 2;
}

std::string FirstWindowId(const std::string& title) {
    std::string found;
    if (!Xdotool({"search", "--name", title}, &found)) return {};
    return found.substr(0, found.find('\n'));
}

}  // namespace

std::string TestDisplay() {
    const char* display = std::getenv("DISPLAY");
    return display != nullptr ? display : "";
}

panelhost::Image Screenshot() {
    char path[] = "/tmp/radar-screen-XXXXXX";
    const int descriptor = mkstemp(path);
    if (descriptor < 0) return {};
    close(descriptor);
    const std::string png = std::string(path) + ".png";
    panelhost::Image image;
    if (RunCommand({"/usr/bin/env", "import", "-window", "root", png}, nullptr) == 0) panelhost::LoadPng(png, &image);
    unlink(path);
    unlink(png.c_str());
    return image;
}

panelhost::Image SettledScreenshot(double timeout_s) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeout_s);
    panelhost::Image previous = Screenshot();
    for (;;) {
        Pause(0.15);
        panelhost::Image next = Screenshot();
        if ((!next.empty() && next.argb == previous.argb) || std::chrono::steady_clock::now() >= deadline) return next;
        previous = std::move(next);
    }
}

panelhost::Image Crop(const panelhost::Image& image, const ScreenBox& box) {
    if (box.x < 0 || box.y < 0 || box.width <= 0 || box.height <= 0 || box.x + box.width > image.width ||
        box.y + box.height > image.height) {
        return {};
    }
    panelhost::Image part(box.width, box.height);
    for (int y = 0; y < box.height; ++y) {
        for (int x = 0; x < box.width; ++x) part.at(x, y) = image.at(box.x + x, box.y + y) | 0xFF000000u;
    }
    return part;
}

bool ClickAt(int x, int y) {
    return Xdotool({"mousemove", "--sync", std::to_string(x), std::to_string(y), "click", "1"});
}

bool PressKey(const std::string& key) { return Xdotool({"key", key}); }

bool FindWindow(const std::string& title, ScreenBox* box, double timeout_s) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeout_s);
    for (;;) {
        const std::string id = FirstWindowId(title);
        std::string geometry;
        if (!id.empty() && Xdotool({"getwindowgeometry", id}, &geometry) && ParseGeometry(geometry, box)) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        Pause(0.2);
    }
}

bool ResizeWindow(const std::string& title, int width, int height) {
    const std::string id = FirstWindowId(title);
    return !id.empty() && Xdotool({"windowsize", "--sync", id, std::to_string(width), std::to_string(height)});
}

}  // namespace winetest
