#include "TFrameDecoder.h"

#include <gtest/gtest.h>

#include <vector>

using namespace platform;

namespace {

std::vector<std::uint8_t> Header(std::uint32_t Length)
{
    return { 'L', 'X', 'C', 'D', 0x04, 0x10, 0, 0, 0x05, 0, 0, 0, static_cast<std::uint8_t>(Length),
        static_cast<std::uint8_t>(Length >> 8), static_cast<std::uint8_t>(Length >> 16),
        static_cast<std::uint8_t>(Length >> 24) };
}

} // namespace

TEST(TFrameDecoder, DecodesAFrameFedOneByteAtATime)
{
    const auto Bytes = EncodeFrame(4097, 77, std::vector<std::uint8_t> { 9, 8, 7, 6, 5, 4, 3, 2, 1 });
    TFrameDecoder Decoder;
    for (std::size_t I = 0; I < Bytes.size(); ++I) {
        ASSERT_EQ(Decoder.State(), TDecodeState::NeedMore) << "at byte " << I;
        EXPECT_EQ(Decoder.Feed({ &Bytes[I], 1 }), 1u);
    }
    ASSERT_EQ(Decoder.State(), TDecodeState::Complete);
    const TCopyDataFrame Frame = Decoder.TakeFrame();
    EXPECT_EQ(Frame.Kind, 4097);
    EXPECT_EQ(Frame.Sender, 77);
    EXPECT_EQ(Frame.Data, (std::vector<std::uint8_t> { 9, 8, 7, 6, 5, 4, 3, 2, 1 }));
}

TEST(TFrameDecoder, StopsAtTheEndOfTheFrameAndTakesTheNextAfterIt)
{
    auto Bytes = EncodeFrame(1, 2, std::vector<std::uint8_t> { 42 });
    const std::size_t FrameSize = Bytes.size();
    const auto Next = EncodeFrame(3, 4, std::vector<std::uint8_t> { 43, 44 });
    Bytes.insert(Bytes.end(), Next.begin(), Next.end());
    TFrameDecoder Decoder;
    EXPECT_EQ(Decoder.Feed(Bytes), FrameSize);
    EXPECT_EQ(Decoder.State(), TDecodeState::Complete);
    EXPECT_EQ(Decoder.Feed(Bytes), 0u);
    EXPECT_EQ(Decoder.TakeFrame().Data, std::vector<std::uint8_t> { 42 });
    EXPECT_FALSE(Decoder.Started());
    EXPECT_EQ(Decoder.Feed(std::span(Bytes).subspan(FrameSize)), Next.size());
    const TCopyDataFrame Second = Decoder.TakeFrame();
    EXPECT_EQ(Second.Kind, 3);
    EXPECT_EQ(Second.Data, (std::vector<std::uint8_t> { 43, 44 }));
}

TEST(TFrameDecoder, AnEmptyDataBlockCompletesWithTheHeader)
{
    TFrameDecoder Decoder;
    Decoder.Feed(Header(0));
    ASSERT_EQ(Decoder.State(), TDecodeState::Complete);
    EXPECT_TRUE(Decoder.TakeFrame().Data.empty());
}

TEST(TFrameDecoder, RejectsAWrongMagic)
{
    auto Bytes = Header(0);
    Bytes[3] = 'X';
    TFrameDecoder Decoder;
    Decoder.Feed(Bytes);
    EXPECT_EQ(Decoder.State(), TDecodeState::BadMagic);
}

TEST(TFrameDecoder, RejectsALengthAboveTheCapFromTheHeaderAlone)
{
    TFrameDecoder Decoder;
    Decoder.Feed(Header(MaxCopyDataSize + 1));
    EXPECT_EQ(Decoder.State(), TDecodeState::TooLong);
    TFrameDecoder Huge;
    Huge.Feed(Header(0xffffffff));
    EXPECT_EQ(Huge.State(), TDecodeState::TooLong);
}

TEST(TFrameDecoder, ALengthAtTheCapWaitsForItsBytes)
{
    TFrameDecoder Decoder;
    Decoder.Feed(Header(MaxCopyDataSize));
    const std::vector<std::uint8_t> Some(1000, 0x11);
    EXPECT_EQ(Decoder.Feed(Some), Some.size());
    EXPECT_EQ(Decoder.State(), TDecodeState::NeedMore);
}
