#include "TPixelBuffer.h"

#include <gtest/gtest.h>

#include <climits>
#include <new>

namespace {

// A width whose padded rows do not fit the buffer's int stride cannot be had; the
// failure must leave the buffer usable at its old size.
TEST(TPixelBuffer, FailedResizeLeavesTheBufferAsItWas)
{
    TPixelBuffer Buffer(40, 30);
    Buffer.Scanline(29)[39] = 0xFF123456u;
    const std::uint32_t* Pixels = Buffer.Scanline(0);
    EXPECT_THROW(Buffer.SetWidth(INT_MAX), std::bad_alloc);
    EXPECT_THROW(Buffer.SetWidth(INT_MAX - 14), std::bad_alloc);
    EXPECT_EQ(Buffer.Width(), 40);
    EXPECT_EQ(Buffer.Height(), 30);
    EXPECT_EQ(Buffer.Scanline(0), Pixels);
    EXPECT_EQ(Buffer.Pixel(39, 29), 0xFF123456u);
}

} // namespace
