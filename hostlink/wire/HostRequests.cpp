#include "HostRequests.h"

#include "MessageKinds.h"
#include "StreamEncoding.h"
#include "TMemoryStream.h"

void TQuitMessage::Write(TMemoryStream& Stream) const
{
    WriteStreamBoolean(Stream, ServerDown);
}

TQuitMessage TQuitMessage::Read(TMemoryStream& Stream)
{
    return { ReadStreamBoolean(Stream) };
}

TQueryEntityRequest TQueryEntityRequest::ByHandle(TWindowHandle Handle)
{
    return { QueryEntityByHandle, Handle, {} };
}

TQueryEntityRequest TQueryEntityRequest::ByTitle(std::string Title)
{
    return { QueryEntityByTitle, 0, std::move(Title) };
}

void TQueryEntityRequest::Write(TMemoryStream& Stream) const
{
    WriteStreamByte(Stream, Selector);
    if (Selector == QueryEntityByHandle)
        WriteStreamInteger(Stream, Handle);
    else if (Selector == QueryEntityByTitle)
        WriteStreamString(Stream, Title);
}

TQueryEntityRequest TQueryEntityRequest::Read(TMemoryStream& Stream)
{
    TQueryEntityRequest Request;
    Request.Selector = ReadStreamByte(Stream);
    if (Request.Selector == QueryEntityByHandle)
        Request.Handle = ReadStreamInteger(Stream);
    else if (Request.Selector == QueryEntityByTitle)
        Request.Title = ReadStreamString(Stream);
    return Request;
}

void TQueryEntityReply::Write(TMemoryStream& Stream) const
{
    if (!Entity)
        return;
    // A record without a demon has nothing to look up, so its fields go as they stand.
    TEntity Record;
    Record.Assign(&*Entity);
    Record.WriteTo(Stream);
}

TQueryEntityReply TQueryEntityReply::Read(TMemoryStream& Stream, TDemonLink* Demon)
{
    TQueryEntityReply Reply;
    if (Stream.Remaining() == 0)
        return Reply;
    Reply.Entity.emplace(Demon);
    Reply.Entity->ReadFrom(Stream);
    return Reply;
}

void TExecuteRequest::Write(TMemoryStream& Stream) const
{
    WriteStreamString(Stream, Program);
    WriteStreamString(Stream, Parameters);
    WriteStreamBoolean(Stream, Wait);
    WriteStreamInteger(Stream, Option);
}

TExecuteRequest TExecuteRequest::Read(TMemoryStream& Stream)
{
    TExecuteRequest Request;
    Request.Program = ReadStreamString(Stream);
    Request.Parameters = ReadStreamString(Stream);
    Request.Wait = ReadStreamBoolean(Stream);
    Request.Option = ReadStreamInteger(Stream);
    return Request;
}

void TExecuteReply::Write(TMemoryStream& Stream) const
{
    WriteStreamInteger(Stream, Process);
}

TExecuteReply TExecuteReply::Read(TMemoryStream& Stream)
{
    return { ReadStreamInteger(Stream) };
}

void TGetFileReply::Write(TMemoryStream& Stream) const
{
    WriteStreamBoolean(Stream, Bytes.has_value());
    if (Bytes)
        Stream.WriteBuffer(Bytes->data(), Bytes->size());
}

TGetFileReply TGetFileReply::Read(TMemoryStream& Stream)
{
    TGetFileReply Reply;
    if (!ReadStreamBoolean(Stream))
        return Reply;
    Reply.Bytes.emplace(static_cast<std::size_t>(Stream.Remaining()));
    Stream.ReadBuffer(Reply.Bytes->data(), Reply.Bytes->size());
    return Reply;
}

void TTextMessage::Write(TMemoryStream& Stream) const
{
    WriteStreamString(Stream, Text);
}

TTextMessage TTextMessage::Read(TMemoryStream& Stream)
{
    return { ReadStreamString(Stream) };
}
