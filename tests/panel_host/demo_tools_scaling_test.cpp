// panel-montage's picture scaling by area averaging.
#include <cstdint>

#include <gtest/gtest.h>

#include "image/image.h"
#include "picture_scaling.h"

namespace {

using demotools::ScalePicture;
using panelhost::Image;

TEST(PictureScaling, HalvingAveragesEachTwoByTwoBlock) {
    Image picture(4, 2, 0xFF000000u);
    picture.at(0, 0) = 0xFFFFFFFFu;  // one white pixel of four: a quarter
    picture.at(2, 0) = 0xFF808080u;
    picture.at(3, 0) = 0xFF808080u;
    picture.at(2, 1) = 0xFF808080u;
    picture.at(3, 1) = 0xFF808080u;
    Image half = ScalePicture(picture, 2, 1);
    ASSERT_EQ(half.width, 2);
    ASSERT_EQ(half.height, 1);
    EXPECT_EQ(half.at(0, 0), 0xFF404040u);
    EXPECT_EQ(half.at(1, 0), 0xFF808080u);

    // A one-pixel line thins out evenly instead of vanishing.
    Image lines(6, 1, 0xFF000000u);
    lines.at(1, 0) = 0xFF00FF00u;
    Image thirds = ScalePicture(lines, 2, 1);
    EXPECT_EQ(thirds.at(0, 0), 0xFF005500u);
    EXPECT_EQ(thirds.at(1, 0), 0xFF000000u);
}

TEST(PictureScaling, GrowingRepeatsPixelsAndOddRatiosShareTheEdgePixel) {
    Image picture(2, 2, 0xFF102030u);
    picture.at(1, 1) = 0xFFF0E0D0u;
    Image doubled = ScalePicture(picture, 4, 4);
    EXPECT_EQ(doubled.at(0, 0), 0xFF102030u);
    EXPECT_EQ(doubled.at(1, 1), 0xFF102030u);
    EXPECT_EQ(doubled.at(2, 2), 0xFFF0E0D0u);
    EXPECT_EQ(doubled.at(3, 3), 0xFFF0E0D0u);
    EXPECT_EQ(doubled.at(3, 0), 0xFF102030u);

    // Three pixels into two: the middle one is split between both.
    Image three(3, 1, 0xFF000000u);
    three.at(1, 0) = 0xFFC0C0C0u;
    Image two = ScalePicture(three, 2, 1);
    EXPECT_EQ(two.at(0, 0), 0xFF404040u);
    EXPECT_EQ(two.at(1, 0), 0xFF404040u);
}

TEST(PictureScaling, TransparentPixelsLendNoColour) {
    Image picture(2, 1, 0x00FF0000u);  // transparent red
    picture.at(1, 0) = 0xFF0000FFu;
    Image one = ScalePicture(picture, 1, 1);
    EXPECT_EQ(one.at(0, 0), 0x800000FFu);  // half covered, and only blue
    EXPECT_EQ(ScalePicture(Image(3, 3, 0x00123456u), 1, 1).at(0, 0), 0u);
}

TEST(PictureScaling, UnusableSizesGiveNoPicture) {
    Image picture(3, 3, 0xFF112233u);
    EXPECT_EQ(ScalePicture(picture, 3, 3).argb, picture.argb);
    EXPECT_TRUE(ScalePicture(picture, 0, 3).empty());
    EXPECT_TRUE(ScalePicture(picture, 3, -1).empty());
    EXPECT_TRUE(ScalePicture(picture, demotools::kMaxScaledSide + 1, 3).empty());
    EXPECT_TRUE(ScalePicture(Image(), 3, 3).empty());
    Image sliver = ScalePicture(picture, 1, 500);
    EXPECT_EQ(sliver.at(0, 499), 0xFF112233u);
}

}  // namespace
