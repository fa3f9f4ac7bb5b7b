// The X display the preview's tests show it on (an Xvfb that
// run_preview.sh starts, named by DISPLAY), driven by real input events
// through xdotool and read back by screenshots through ImageMagick.
#pragma once

#include <string>

#include "image/image.h"

namespace winetest {

// DISPLAY, or empty when there is none.
std::string TestDisplay();

struct ScreenBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The whole screen; an empty image when it cannot be taken.
panelhost::Image Screenshot();
// The screen once two screenshots a moment apart agree (Wine puts a
// painted window on the screen a little later), at most after `timeout_s`.
panelhost::Image SettledScreenshot(double timeout_s = 5.0);
panelhost::Image Crop(const panelhost::Image& image, const ScreenBox& box);

// A left click at a point of the screen.
bool ClickAt(int x, int y);
// A key as xdotool names it ("2", "minus", "ctrl+q", "Return"), to the
// window that has the focus.
bool PressKey(const std::string& key);
// The first window whose title contains this text: where it is on the
// screen, false when there is none.
bool FindWindow(const std::string& title, ScreenBox* box, double timeout_s);
// Gives that window this size (its X window: the client area and Wine's
// menu bar).
bool ResizeWindow(const std::string& title, int width, int height);

}  // namespace winetest
