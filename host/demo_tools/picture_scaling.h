// Pictures at another size: every new pixel is the average of the part of
// the old picture it covers (weighted by how much of each old pixel it
// covers), so that a radar's thin lines thin out evenly instead of
// vanishing, and edges stay where they were.
#pragma once

#include "image/image.h"

namespace demotools {

constexpr int kMaxScaledSide = 8192;

// The picture at width_px x height_px; the picture itself at its own size;
// an empty image for an empty picture or a size out of 1..kMaxScaledSide.
panelhost::Image ScalePicture(const panelhost::Image& picture, int width_px, int height_px);

}  // namespace demotools
