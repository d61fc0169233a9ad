#include "StreamEncoding.h"
#include "ELernix.h"
#include "TMemoryStream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

TMemoryStream StreamOf(const Bytes& bytes)
{
    TMemoryStream s;
    s.WriteBuffer(bytes.data(), bytes.size());
    s.SetPosition(0);
    return s;
}

} // namespace

TEST(StreamEncoding, StringsAreLengthThenBytes)
{
    TMemoryStream s;
    WriteStreamString(s, "");
    EXPECT_EQ(s.Bytes(), (Bytes { 0, 0, 0, 0 }));
    s.Clear();
    WriteStreamString(s, "abc");
    EXPECT_EQ(s.Bytes(), (Bytes { 3, 0, 0, 0, 0x61, 0x62, 0x63 }));
    s.SetPosition(0);
    EXPECT_EQ(ReadStreamString(s), "abc");
    EXPECT_EQ(s.Position(), 7);
}

TEST(StreamEncoding, IntegersAreLittleEndianTwosComplement)
{
    TMemoryStream s;
    WriteStreamInteger(s, -2);
    WriteStreamInteger(s, 0x01020304);
    EXPECT_EQ(s.Bytes(), (Bytes { 0xFE, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1 }));
    s.SetPosition(0);
    EXPECT_EQ(ReadStreamInteger(s), -2);
    EXPECT_EQ(ReadStreamInteger(s), 0x01020304);
}

TEST(StreamEncoding, BooleanIsTrueForAnyNonZeroByte)
{
    TMemoryStream s = StreamOf({ 0, 1, 0x80 });
    EXPECT_FALSE(ReadStreamBoolean(s));
    EXPECT_TRUE(ReadStreamBoolean(s));
    EXPECT_TRUE(ReadStreamBoolean(s));
    TMemoryStream w;
    WriteStreamBoolean(w, true);
    WriteStreamBoolean(w, false);
    EXPECT_EQ(w.Bytes(), (Bytes { 1, 0 }));
}

TEST(StreamEncoding, NonPositiveLengthReadsEmptyAndConsumesNothingMore)
{
    TMemoryStream s = StreamOf({ 0xFF, 0xFF, 0xFF, 0xFF, 0x61 });
    EXPECT_EQ(ReadStreamString(s), "");
    EXPECT_EQ(s.Position(), 4);
}

TEST(StreamEncoding, ReadsPastTheEndFailWithStreamReadError)
{
    TMemoryStream shortInt = StreamOf({ 1, 2, 3 });
    EXPECT_THROW(ReadStreamInteger(shortInt), EReadError);
    EXPECT_EQ(shortInt.Position(), 0);
    TMemoryStream empty;
    EXPECT_THROW(ReadStreamBoolean(empty), EReadError);
    TMemoryStream shortString = StreamOf({ 4, 0, 0, 0, 0x61, 0x62 });
    try {
        ReadStreamString(shortString);
        FAIL() << "a string longer than the stream was read";
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
    }
}

TEST(StreamEncoding, HugeLengthFailsWithoutAllocatingIt)
{
    // A 20-byte message claiming 2 GiB: must fail at once, not try to allocate.
    Bytes bytes(20, 0x41);
    bytes[0] = 0xFF;
    bytes[1] = 0xFF;
    bytes[2] = 0xFF;
    bytes[3] = 0x7F;
    TMemoryStream s = StreamOf(bytes);
    EXPECT_THROW(ReadStreamString(s), EReadError);
}

TEST(MemoryStream, SeekAndPartialReads)
{
    TMemoryStream s = StreamOf({ 1, 2, 3, 4, 5 });
    EXPECT_EQ(s.Seek(-2, TMemoryStream::TSeekOrigin::End), 3);
    std::uint8_t buffer[4] {};
    EXPECT_EQ(s.Read(buffer, 4), 2u);
    EXPECT_EQ(buffer[0], 4);
    EXPECT_EQ(s.Seek(-10, TMemoryStream::TSeekOrigin::Current), 0);
    s.SetPosition(7);
    s.WriteBuffer(buffer, 1);
    EXPECT_EQ(s.Bytes(), (Bytes { 1, 2, 3, 4, 5, 0, 0, 4 }));
    s.SetSize(2);
    EXPECT_EQ(s.Position(), 2);
    EXPECT_THROW(s.ReadBuffer(buffer, 1), EReadError);
}
