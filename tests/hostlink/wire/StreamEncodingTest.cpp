#include "StreamEncoding.h"
#include "ELernix.h"
#include "StreamOf.h"
#include "TMemoryStream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

} // namespace

TEST(StreamEncoding, StringsAreLengthThenBytes)
{
    TMemoryStream Stream;
    WriteStreamString(Stream, "");
    EXPECT_EQ(Stream.Bytes(), (Bytes { 0, 0, 0, 0 }));
    Stream.Clear();
    WriteStreamString(Stream, "abc");
    EXPECT_EQ(Stream.Bytes(), (Bytes { 3, 0, 0, 0, 0x61, 0x62, 0x63 }));
    Stream.SetPosition(0);
    EXPECT_EQ(ReadStreamString(Stream), "abc");
    EXPECT_EQ(Stream.Position(), 7);
}

TEST(StreamEncoding, IntegersAreLittleEndianTwosComplement)
{
    TMemoryStream Stream;
    WriteStreamInteger(Stream, -2);
    WriteStreamInteger(Stream, 0x01020304);
    EXPECT_EQ(Stream.Bytes(), (Bytes { 0xFE, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1 }));
    Stream.SetPosition(0);
    EXPECT_EQ(ReadStreamInteger(Stream), -2);
    EXPECT_EQ(ReadStreamInteger(Stream), 0x01020304);
}

TEST(StreamEncoding, BooleanIsTrueForAnyNonZeroByte)
{
    TMemoryStream Stream = StreamOf({ 0, 1, 0x80 });
    EXPECT_FALSE(ReadStreamBoolean(Stream));
    EXPECT_TRUE(ReadStreamBoolean(Stream));
    EXPECT_TRUE(ReadStreamBoolean(Stream));
    TMemoryStream Written;
    WriteStreamBoolean(Written, true);
    WriteStreamBoolean(Written, false);
    EXPECT_EQ(Written.Bytes(), (Bytes { 1, 0 }));
}

TEST(StreamEncoding, NonPositiveLengthReadsEmptyAndConsumesNothingMore)
{
    TMemoryStream Stream = StreamOf({ 0xFF, 0xFF, 0xFF, 0xFF, 0x61 });
    EXPECT_EQ(ReadStreamString(Stream), "");
    EXPECT_EQ(Stream.Position(), 4);
}

TEST(StreamEncoding, ReadsPastTheEndFailWithStreamReadError)
{
    TMemoryStream ShortInt = StreamOf({ 1, 2, 3 });
    EXPECT_THROW(ReadStreamInteger(ShortInt), EReadError);
    EXPECT_EQ(ShortInt.Position(), 0);
    TMemoryStream Empty;
    EXPECT_THROW(ReadStreamBoolean(Empty), EReadError);
    TMemoryStream ShortString = StreamOf({ 4, 0, 0, 0, 0x61, 0x62 });
    try {
        ReadStreamString(ShortString);
        FAIL() << "a string longer than the stream was read";
    } catch (const EReadError& Entity) {
        EXPECT_STREQ(Entity.what(), "Stream read error");
    }
}

TEST(StreamEncoding, HugeLengthFailsWithoutAllocatingIt)
{
    // A 20-byte message claiming 2 GiB: must fail at once, not try to allocate.
    Bytes Raw(20, 0x41);
    Raw[0] = 0xFF;
    Raw[1] = 0xFF;
    Raw[2] = 0xFF;
    Raw[3] = 0x7F;
    TMemoryStream Stream = StreamOf(Raw);
    EXPECT_THROW(ReadStreamString(Stream), EReadError);
}

TEST(MemoryStream, SeekAndPartialReads)
{
    TMemoryStream Stream = StreamOf({ 1, 2, 3, 4, 5 });
    EXPECT_EQ(Stream.Seek(-2, TMemoryStream::TSeekOrigin::End), 3);
    std::uint8_t Buffer[4] {};
    EXPECT_EQ(Stream.Read(Buffer, 4), 2u);
    EXPECT_EQ(Buffer[0], 4);
    EXPECT_EQ(Stream.Seek(-10, TMemoryStream::TSeekOrigin::Current), 0);
    Stream.SetPosition(7);
    Stream.WriteBuffer(Buffer, 1);
    EXPECT_EQ(Stream.Bytes(), (Bytes { 1, 2, 3, 4, 5, 0, 0, 4 }));
    Stream.SetSize(2);
    EXPECT_EQ(Stream.Position(), 2);
    EXPECT_THROW(Stream.ReadBuffer(Buffer, 1), EReadError);
}
