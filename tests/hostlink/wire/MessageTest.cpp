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

Lines SplitOf(const char* text, std::size_t size)
{
    return SplitParamListText(std::string(text, size));
}

} // namespace

TEST(ParamListText, LinesEndInCrLfAndReadBack)
{
    TLernixMessageStream s;
    WriteParamListText(s, { "a", "", "b" });
    EXPECT_EQ(s.Bytes(), (Bytes { 0x61, 0x0D, 0x0A, 0x0D, 0x0A, 0x62, 0x0D, 0x0A }));
    s.SetPosition(0);
    EXPECT_EQ(ReadParamListText(s), (Lines { "a", "", "b" }));
    EXPECT_EQ(s.Position(), s.Size());
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
    std::tm local {};
    local.tm_year = 2024 - 1900;
    local.tm_mon = 1;
    local.tm_mday = 29;
    local.tm_hour = 13;
    local.tm_min = 5;
    local.tm_sec = 7;
    local.tm_isdst = -1;
    const auto moment
        = std::chrono::system_clock::from_time_t(std::mktime(&local)) + std::chrono::milliseconds(250);
    const TMessageStamp stamp = StampOf(moment);
    EXPECT_EQ(stamp.Date, DayNumber(2024, 2, 29));
    EXPECT_EQ(stamp.Time, 47107250);
}

TEST(MessageStream, AssignMessageCopiesEverythingAndReadsFromTheStart)
{
    TLernixMessageStream source;
    source.SetStamp({ 11, 22 });
    source.MsgKind = lmGetValue;
    source.SenderEntity->Handle = 33;
    source.SenderEntity->Title = "host";
    source.WriteString("HomePageURL");
    source.SetPosition(2);

    TLernixMessageStream copy;
    copy.AssignMessage(source);
    EXPECT_EQ(copy.Stamp(), (TMessageStamp { 11, 22 }));
    EXPECT_EQ(copy.MsgKind, lmGetValue);
    EXPECT_EQ(copy.SenderEntity->Handle, 33);
    EXPECT_EQ(copy.SenderEntity->Title, "host");
    EXPECT_EQ(copy.Position(), 0);
    EXPECT_EQ(source.Position(), source.Size());
    EXPECT_EQ(copy.ReadString(), "HomePageURL");
}

TEST(MessageFrame, EncodesStampThenPayload)
{
    TLernixMessageStream msg;
    msg.SetStamp({ 0x01020304, 693594 });
    EXPECT_EQ(EncodeFrameData(msg), (Bytes { 4, 3, 2, 1, 0x5A, 0x95, 0x0A, 0 }));
    msg.WriteString("a");
    EXPECT_EQ(EncodeFrameData(msg).size(), 8u + 5u);
}

TEST(MessageFrame, DecodesKindStampSenderAndContent)
{
    const Bytes data { 1, 0, 0, 0, 2, 0, 0, 0, 0x61, 0x62 };
    const auto msg = DecodeFrame(lmParams, 42, data.data(), data.size(), nullptr);
    EXPECT_EQ(msg->MsgKind, lmParams);
    EXPECT_EQ(msg->Stamp(), (TMessageStamp { 1, 2 }));
    EXPECT_EQ(msg->SenderEntity->Handle, 42);
    EXPECT_EQ(msg->Position(), 0);
    EXPECT_EQ(msg->Bytes(), (Bytes { 0x61, 0x62 }));

    const auto bare = DecodeFrame(lmQuit, 0, data.data(), 8, nullptr);
    EXPECT_EQ(bare->Size(), 0);
}

TEST(MessageFrame, RefusesShortFramesBadSendersAndOversizedBlocks)
{
    const Bytes data(8, 0);
    EXPECT_THROW(DecodeFrame(lmReply, 1, data.data(), 7, nullptr), EBadFrame);
    EXPECT_THROW(DecodeFrame(lmReply, -1, data.data(), 8, nullptr), EBadFrame);
    EXPECT_THROW(DecodeFrame(lmReply, 0x80000000LL, data.data(), 8, nullptr), EBadFrame);
    // The size is judged before the data is touched, so no large buffer is needed.
    EXPECT_THROW(DecodeFrame(lmReply, 1, data.data(), MaxFrameDataSize + 1, nullptr), EBadFrame);

    TLernixMessageStream tooBig;
    tooBig.SetSize(static_cast<std::int64_t>(MaxFrameDataSize - FrameStampSize + 1));
    EXPECT_THROW(EncodeFrameData(tooBig), ELernix);
}
