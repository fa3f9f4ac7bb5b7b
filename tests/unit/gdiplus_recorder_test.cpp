// The recording GDI+ stand-in's own guard: it is what fails every unit test
// and stops every fuzzer that hands GDI+ NaN or an infinity, so it must not
// fall silent.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "fake_host.h"
#include "gdiplus_recorder.h"

namespace {

TEST(RecordingGdiplus, RemembersEveryCallGivenNaNOrAnInfinityUntilTaken) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    gdip::GpGraphics* graphics = nullptr;
    gdip::GpMatrix* matrix = nullptr;
    gdip::GpSolidFill* brush = nullptr;
    gdip::GpPen* pen = nullptr;
    GdipCreateMatrix(&matrix);
    GdipRotateMatrix(matrix, nan, gdip::kMatrixOrderPrepend);  // an argument
    recorder::Clear();
    gdip::PointF points[2] = {{1.0f, 2.0f}, {-inf, 0.0f}};
    GdipTransformMatrixPoints(matrix, points, 2);  // a point handed in
    recorder::Reset();  // forgets the objects, not what they were given
    ASSERT_EQ(GdipCreateFromHDC(fakehost::FakeDeviceContext(1), &graphics), gdip::kOk);
    GdipCreateSolidFill(0xFF00FF00u, &brush);
    GdipCreatePen2(reinterpret_cast<gdip::GpBrush*>(brush), 1.0f, gdip::kUnitPixel, &pen);
    GdipScaleWorldTransform(graphics, 1e30f, 1e30f, gdip::kMatrixOrderPrepend);
    GdipScaleWorldTransform(graphics, 1e30f, 1e30f, gdip::kMatrixOrderPrepend);  // overflows the world
    GdipDrawLine(graphics, pen, 0.0f, 0.0f, 1.0f, 1.0f);  // finite arguments, in that world

    const recorder::NonFiniteCalls taken = recorder::TakeNonFiniteCalls();
    ASSERT_EQ(taken.count, 3u);
    EXPECT_EQ(taken.first[0], "GdipRotateMatrix(#h | nan 0)");
    EXPECT_EQ(taken.first[1], "GdipTransformMatrixPoints(#h | 2 (1,2) (-inf,0))");
    EXPECT_EQ(taken.first[2].rfind("GdipDrawLine(#h #h | 0 0 1 1) in world [inf ", 0), 0u) << taken.first[2];
    EXPECT_TRUE(recorder::TakeNonFiniteCalls().empty());
    recorder::Reset();
}

}  // namespace
