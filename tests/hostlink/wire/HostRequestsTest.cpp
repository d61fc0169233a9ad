#include "HostRequests.h"
#include "ELernix.h"
#include "StreamOf.h"
#include "TMemoryStream.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct TCase {
    const char* Name;
    std::function<void(TMemoryStream&)> Write;
    Bytes Expected;
    // Reads the payload and checks that it gives back what was written.
    std::function<bool(TMemoryStream&)> ReadsBack;
    // The shortest prefix that still reads: a layout with an open end has one.
    std::size_t ShortestReadable;
};

template <typename T> TCase Case(const char* Name, const T& Payload, Bytes Expected, std::size_t Shortest)
{
    return { Name, [Payload](TMemoryStream& S) { Payload.Write(S); }, std::move(Expected),
        [Payload](TMemoryStream& S) { return T::Read(S) == Payload; }, Shortest };
}

} // namespace

bool operator==(const TQuitMessage& A, const TQuitMessage& B)
{
    return A.ServerDown == B.ServerDown;
}
bool operator==(const TQueryEntityRequest& A, const TQueryEntityRequest& B)
{
    return A.Selector == B.Selector && A.Handle == B.Handle && A.Title == B.Title;
}
bool operator==(const TExecuteRequest& A, const TExecuteRequest& B)
{
    return A.Program == B.Program && A.Parameters == B.Parameters && A.Wait == B.Wait && A.Option == B.Option;
}
bool operator==(const TExecuteReply& A, const TExecuteReply& B)
{
    return A.Process == B.Process;
}
bool operator==(const TGetFileReply& A, const TGetFileReply& B)
{
    return A.Bytes == B.Bytes;
}
bool operator==(const TTextMessage& A, const TTextMessage& B)
{
    return A.Text == B.Text;
}

TEST(HostRequests, EachPayloadHasItsBytesReadsBackAndRefusesEveryCut)
{
    const std::vector<TCase> Cases {
        Case("quit", TQuitMessage { true }, { 1 }, 1),
        Case("query by handle", TQueryEntityRequest::ByHandle(-2), { 1, 0xFE, 0xFF, 0xFF, 0xFF }, 5),
        Case("query by title", TQueryEntityRequest::ByTitle("T"), { 2, 1, 0, 0, 0, 'T' }, 6),
        Case("query, unknown selector", TQueryEntityRequest { 7, 0, {} }, { 7 }, 1),
        Case("execute", TExecuteRequest { "p", "", true, 0x01020304 },
            { 1, 0, 0, 0, 'p', 0, 0, 0, 0, 1, 4, 3, 2, 1 }, 14),
        Case("execute reply", TExecuteReply { 4242 }, { 0x92, 0x10, 0, 0 }, 4),
        Case("file found", TGetFileReply { Bytes { 'x', 0 } }, { 1, 'x', 0 }, 1),
        Case("file found empty", TGetFileReply { Bytes {} }, { 1 }, 1),
        Case("file not found", TGetFileReply {}, { 0 }, 1),
        Case("text", TTextMessage { "abc" }, { 3, 0, 0, 0, 'a', 'b', 'c' }, 7),
        Case("empty text", TTextMessage {}, { 0, 0, 0, 0 }, 4),
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        TMemoryStream Written;
        C.Write(Written);
        EXPECT_EQ(Written.Bytes(), C.Expected);
        TMemoryStream Whole = StreamOf(C.Expected);
        EXPECT_TRUE(C.ReadsBack(Whole));
        EXPECT_EQ(Whole.Remaining(), 0);
        for (std::size_t Cut = 0; Cut < C.ShortestReadable; ++Cut) {
            TMemoryStream Short
                = StreamOf(Bytes(C.Expected.begin(), C.Expected.begin() + static_cast<std::ptrdiff_t>(Cut)));
            EXPECT_THROW(C.ReadsBack(Short), EReadError) << Cut << " bytes";
        }
    }
}

TEST(HostRequests, AnEntityReplyIsARecordOrNothing)
{
    TEntity Record;
    Record.Handle = 5;
    Record.ExeName = "a";
    Record.Title = "T";
    TMemoryStream Written;
    TQueryEntityReply { Record }.Write(Written);
    TMemoryStream AsRecord;
    Record.WriteTo(AsRecord);
    const Bytes Expected = AsRecord.Bytes();
    EXPECT_EQ(Written.Bytes(), Expected);

    TMemoryStream Whole = StreamOf(Expected);
    const auto Read = TQueryEntityReply::Read(Whole).Entity;
    ASSERT_TRUE(Read);
    EXPECT_EQ(Read->Handle, 5);
    EXPECT_EQ(Read->Title, "T");

    TMemoryStream None;
    TQueryEntityReply {}.Write(None);
    EXPECT_EQ(None.Size(), 0);
    EXPECT_FALSE(TQueryEntityReply::Read(None).Entity);
    // Anything at all is a record, and a part of one does not read.
    for (std::size_t Cut = 1; Cut < Expected.size(); ++Cut) {
        TMemoryStream Short
            = StreamOf(Bytes(Expected.begin(), Expected.begin() + static_cast<std::ptrdiff_t>(Cut)));
        EXPECT_THROW(TQueryEntityReply::Read(Short), EReadError) << Cut << " bytes";
    }
}

TEST(HostRequests, AStringLongerThanThePayloadIsRefusedBeforeAnythingIsTaken)
{
    // A length of 2^31-1 with three bytes behind it: the host must not believe it.
    TMemoryStream Hostile = StreamOf({ 0xFF, 0xFF, 0xFF, 0x7F, 'a', 'b', 'c', 0, 1, 0, 0, 0 });
    EXPECT_THROW(TExecuteRequest::Read(Hostile), EReadError);
    // A negative length is the empty text and takes nothing more.
    TMemoryStream Negative = StreamOf({ 0xFF, 0xFF, 0xFF, 0xFF, 'x' });
    EXPECT_EQ(TTextMessage::Read(Negative).Text, "");
    EXPECT_EQ(Negative.Remaining(), 1);
}
