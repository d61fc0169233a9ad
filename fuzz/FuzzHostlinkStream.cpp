// The host link's stream readers on arbitrary bytes. The first byte picks the
// reader; whatever a reader accepts must survive a write and a second read. The
// request readers are what a host meets from any peer.
#include "ELernix.h"
#include "HostRequests.h"
#include "ParamListText.h"
#include "StreamEncoding.h"
#include "TEntity.h"
#include "TMemoryStream.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Require(bool Condition)
{
    if (!Condition)
        std::abort();
}

void RoundTripStrings(TMemoryStream& In)
{
    while (In.Remaining() > 0) {
        const std::string s = ReadStreamString(In);
        TMemoryStream out;
        WriteStreamString(out, s);
        Require(out.Size() == 4 + static_cast<std::int64_t>(s.size()));
        out.SetPosition(0);
        Require(ReadStreamString(out) == s);
    }
}

void RoundTripEntity(TMemoryStream& In)
{
    TEntity read;
    read.ReadFrom(In);
    TMemoryStream out;
    read.WriteTo(out);
    out.SetPosition(0);
    TEntity back;
    back.ReadFrom(out);
    Require(back.Handle == read.Handle && back.MutexHandle == read.MutexHandle);
    Require(back.ExeName == read.ExeName && back.Title == read.Title);
    Require(out.Remaining() == 0);
}

void RoundTripParamList(TMemoryStream& In)
{
    const std::vector<std::string> lines = ReadParamListText(In);
    TMemoryStream out;
    WriteParamListText(out, lines);
    out.SetPosition(0);
    Require(ReadParamListText(out) == lines);
}

void RoundTripScalars(TMemoryStream& In)
{
    while (In.Remaining() >= 5) {
        const std::int32_t i = ReadStreamInteger(In);
        const bool b = ReadStreamBoolean(In);
        TMemoryStream out;
        WriteStreamInteger(out, i);
        WriteStreamBoolean(out, b);
        out.SetPosition(0);
        Require(ReadStreamInteger(out) == i && ReadStreamBoolean(out) == b);
    }
}

// Reads one payload of each request a host answers from the same bytes; each one it
// accepts must write back the bytes it took.
template <typename T> void RoundTripRequest(const TMemoryStream& In)
{
    TMemoryStream Copy;
    Copy.WriteBuffer(In.Memory(), static_cast<std::size_t>(In.Size()));
    Copy.SetPosition(0);
    try {
        const T Read = T::Read(Copy);
        TMemoryStream Out;
        Read.Write(Out);
        const std::int64_t Taken = Copy.Position();
        Require(Out.Size() == Taken);
        // A negative string length reads as the empty text and writes as length 0, so the
        // second trip, not the bytes taken, must be equal.
        Out.SetPosition(0);
        const T Again = T::Read(Out);
        TMemoryStream Twice;
        Again.Write(Twice);
        Require(Twice.Bytes() == Out.Bytes());
    } catch (const EReadError&) {
    }
}

void RoundTripRequests(TMemoryStream& In)
{
    RoundTripRequest<TQuitMessage>(In);
    RoundTripRequest<TQueryEntityRequest>(In);
    RoundTripRequest<TExecuteRequest>(In);
    RoundTripRequest<TExecuteReply>(In);
    RoundTripRequest<TGetFileReply>(In);
    RoundTripRequest<TTextMessage>(In);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size)
{
    if (Size == 0)
        return 0;
    TMemoryStream in;
    in.WriteBuffer(Data + 1, Size - 1);
    in.SetPosition(0);
    try {
        switch (Data[0] % 5) {
        case 0:
            RoundTripStrings(in);
            break;
        case 1:
            RoundTripEntity(in);
            break;
        case 2:
            RoundTripParamList(in);
            break;
        case 4:
            RoundTripRequests(in);
            break;
        default:
            RoundTripScalars(in);
            break;
        }
    } catch (const EReadError&) {
    }
    return 0;
}
