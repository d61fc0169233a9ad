#include "CopyDataWire.h"

#include <gtest/gtest.h>

#include <vector>

using namespace platform;

TEST(CopyDataWire, EncodesHeaderLittleEndianThenData)
{
    const std::vector<std::uint8_t> Data { 1, 2, 3 };
    const std::vector<std::uint8_t> Expected { 'L', 'X', 'C', 'D', 0x04, 0x10, 0, 0, 0xfe, 0xff, 0xff, 0xff,
        3, 0, 0, 0, 1, 2, 3 };
    EXPECT_EQ(EncodeFrame(4100, -2, Data), Expected);
}

TEST(CopyDataWire, RefusesToEncodeMoreThanTheCap)
{
    const std::vector<std::uint8_t> Data(MaxCopyDataSize + 1);
    EXPECT_THROW(EncodeFrame(1, 1, Data), EWindowMessaging);
}
