#include <gtest/gtest.h>
#include <zyr/platform/host/host.h>
TEST(Smoke, Builds) { zyr::TBitmap b(10, 10); EXPECT_EQ(b.Width(), 10); }
