#pragma once

#include "TEntity.h"
#include "TWindowHandle.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TMemoryStream;

// The payloads of the host link's requests and replies, one struct each, so that the
// client, the host and every peer write and read the same bytes. Each Write appends at
// the stream's position; each Read starts at the position and throws EReadError when
// the payload ends before its layout does (bytes after the layout are left unread).
// lmRegister and lmUnregister carry a TEntity record (TEntity::WriteTo, ReadFrom),
// lmParams a parameter-list text (ParamListText.h).

// lmQuit: the host asks a participant to end.
struct TQuitMessage {
    bool ServerDown = false;

    void Write(TMemoryStream& Stream) const;
    static TQuitMessage Read(TMemoryStream& Stream);
};

// lmQueryEntity: a selector byte, then a window handle or a title.
struct TQueryEntityRequest {
    std::uint8_t Selector = 0;
    TWindowHandle Handle = 0;
    std::string Title;

    static TQueryEntityRequest ByHandle(TWindowHandle Handle);
    static TQueryEntityRequest ByTitle(std::string Title);
    void Write(TMemoryStream& Stream) const;
    // A selector other than the two known ones reads nothing after it.
    static TQueryEntityRequest Read(TMemoryStream& Stream);
};

// The reply to lmQueryEntity: a record, or no bytes at all for an unknown participant.
struct TQueryEntityReply {
    std::optional<TEntity> Entity;

    // The record's fields as they stand; the host's own copy is never refreshed.
    void Write(TMemoryStream& Stream) const;
    // Any payload longer than nothing is a record, read as one; Demon is the read record's.
    static TQueryEntityReply Read(TMemoryStream& Stream, TDemonLink* Demon = nullptr);
};

// lmExecute: what to start; Option is the host's to interpret.
struct TExecuteRequest {
    std::string Program;
    std::string Parameters;
    bool Wait = false;
    std::int32_t Option = 0;

    void Write(TMemoryStream& Stream) const;
    static TExecuteRequest Read(TMemoryStream& Stream);
};

// The reply to lmExecute: the started program's process id, 0 when it did not start.
struct TExecuteReply {
    std::int32_t Process = 0;

    void Write(TMemoryStream& Stream) const;
    static TExecuteReply Read(TMemoryStream& Stream);
};

// The reply to lmGetFile: a found flag, then the file's bytes to the end of the payload.
struct TGetFileReply {
    std::optional<std::vector<std::uint8_t>> Bytes;

    void Write(TMemoryStream& Stream) const;
    static TGetFileReply Read(TMemoryStream& Stream);
};

// A payload of one string: the requests lmGetFile, lmResolveName, lmQueryString and
// lmGetValue, and the replies to the last three.
struct TTextMessage {
    std::string Text;

    void Write(TMemoryStream& Stream) const;
    static TTextMessage Read(TMemoryStream& Stream);
};
