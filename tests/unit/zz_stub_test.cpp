#include <gtest/gtest.h>
#include "gdiplus_recorder.h"
TEST(Recorder, Smoke) { gdip::GpMatrix* m; EXPECT_EQ(gdip::GdipCreateMatrix(&m), 0); }
