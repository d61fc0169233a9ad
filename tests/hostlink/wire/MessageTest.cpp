#include "ELernix.h"
#include "MessageFrame.h"
#include "MessageKinds.h"
#include "MessageStamp.h"
#include "ParamListText.h"
#include "TLernixMessageStream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::string>;

Lines SplitOf(const char* Text, std::size_t Size)
{
    return SplitParamListText(std::string(Text, Size));
}

} // namespace

TEST(ParamListText, LinesEndInCrLfAndReadBack)
{
    TLernixMessageStream Stream;
    WriteParamListText(Stream, { "a", "", "b" });
    EXPECT_EQ(Stream.Bytes(), (Bytes { 0x61, 0x0D, 0x0A, 0x0D, 0x0A, 0x62, 0x0D, 0x0A }));
    Stream.SetPosition(0);
    EXPECT_EQ(ReadParamListText(Stream), (Lines { "a", "", "b" }));
    EXPECT_EQ(Stream.Position(), Stream.Size());
}

TEST(ParamListText, SplitsAtCrLfAndCrLfAndStopsAtNul)
{
    EXPECT_EQ(SplitOf("a\r\nb", 4), (Lines { "a", "b" }));
    EXPECT_EQ(SplitOf("a\rb\nc", 5), (Lines { "a", "b", "c" }));
    EXPECT_EQ(SplitOf("a\n\rb", 4), (Lines { "a", "", "b" }));
    EXPECT_EQ(SplitOf("a\r\r\n", 4), (Lines { "a", "" }));
    EXPECT_EQ(SplitOf("a\r\nb\0c\r\n", 8), (Lines { "a", "b" }));
    EXPECT_EQ(SplitOf("", 0), Lines {});
    EXPECT_EQ(SplitOf("\r\n", 2), (Lines { "" }));
}

TEST(MessageStamp, DayNumbersCountFromTheFirstOfJanuaryOfYearOne)
{
    EXPECT_EQ(DayNumber(1, 1, 1), 1);
    EXPECT_EQ(DayNumber(1899, 12, 30), 693594);
    EXPECT_EQ(DayNumber(1970, 1, 1), 719163);
    EXPECT_EQ(DayNumber(2000, 3, 1), 730180);
    EXPECT_EQ(DayNumber(2000, 3, 1) - DayNumber(2000, 2, 28), 2);
    EXPECT_EQ(DayNumber(1900, 3, 1) - DayNumber(1900, 2, 28), 1);
}

TEST(MessageStamp, StampOfALocalMoment)
{
    std::tm Local {};
    Local.tm_year = 2024 - 1900;
    Local.tm_mon = 1;
    Local.tm_mday = 29;
    Local.tm_hour = 13;
    Local.tm_min = 5;
    Local.tm_sec = 7;
    Local.tm_isdst = -1;
    const auto Moment
        = std::chrono::system_clock::from_time_t(std::mktime(&Local)) + std::chrono::milliseconds(250);
    const TMessageStamp Stamp = StampOf(Moment);
    EXPECT_EQ(Stamp.Date, DayNumber(2024, 2, 29));
    EXPECT_EQ(Stamp.Time, 47107250);
}

TEST(MessageStream, AssignMessageCopiesEverythingAndReadsFromTheStart)
{
    TLernixMessageStream Source;
    Source.SetStamp({ 11, 22 });
    Source.MsgKind = lmGetValue;
    Source.SenderEntity->Handle = 33;
    Source.SenderEntity->Title = "host";
    Source.WriteString("HomePageURL");
    Source.SetPosition(2);

    TLernixMessageStream Copy;
    Copy.AssignMessage(Source);
    EXPECT_EQ(Copy.Stamp(), (TMessageStamp { 11, 22 }));
    EXPECT_EQ(Copy.MsgKind, lmGetValue);
    EXPECT_EQ(Copy.SenderEntity->Handle, 33);
    EXPECT_EQ(Copy.SenderEntity->Title, "host");
    EXPECT_EQ(Copy.Position(), 0);
    EXPECT_EQ(Source.Position(), Source.Size());
    EXPECT_EQ(Copy.ReadString(), "HomePageURL");
}

TEST(MessageFrame, EncodesStampThenPayload)
{
    TLernixMessageStream Msg;
    Msg.SetStamp({ 0x01020304, 693594 });
    EXPECT_EQ(EncodeFrameData(Msg), (Bytes { 4, 3, 2, 1, 0x5A, 0x95, 0x0A, 0 }));
    Msg.WriteString("a");
    EXPECT_EQ(EncodeFrameData(Msg).size(), 8u + 5u);
}

TEST(MessageFrame, DecodesKindStampSenderAndContent)
{
    const Bytes Data { 1, 0, 0, 0, 2, 0, 0, 0, 0x61, 0x62 };
    const auto Msg = DecodeFrame(lmParams, 42, Data.data(), Data.size(), nullptr);
    EXPECT_EQ(Msg->MsgKind, lmParams);
    EXPECT_EQ(Msg->Stamp(), (TMessageStamp { 1, 2 }));
    EXPECT_EQ(Msg->SenderEntity->Handle, 42);
    EXPECT_EQ(Msg->Position(), 0);
    EXPECT_EQ(Msg->Bytes(), (Bytes { 0x61, 0x62 }));

    const auto Bare = DecodeFrame(lmQuit, 0, Data.data(), 8, nullptr);
    EXPECT_EQ(Bare->Size(), 0);
}

TEST(MessageFrame, RefusesShortFramesBadSendersAndOversizedBlocks)
{
    const Bytes Data(8, 0);
    EXPECT_THROW(DecodeFrame(lmReply, 1, Data.data(), 7, nullptr), EBadFrame);
    EXPECT_THROW(DecodeFrame(lmReply, -1, Data.data(), 8, nullptr), EBadFrame);
    EXPECT_THROW(DecodeFrame(lmReply, 0x80000000LL, Data.data(), 8, nullptr), EBadFrame);
    // The Size is judged before the Data is touched, so no large Buffer is needed.
    EXPECT_THROW(DecodeFrame(lmReply, 1, Data.data(), MaxFrameDataSize + 1, nullptr), EBadFrame);

    TLernixMessageStream TooBig;
    TooBig.SetSize(static_cast<std::int64_t>(MaxFrameDataSize - FrameStampSize + 1));
    EXPECT_THROW(EncodeFrameData(TooBig), ELernix);
}
