#include "StreamEncoding.h"

#include "ELernix.h"
#include "LittleEndian.h"
#include "TMemoryStream.h"

#include <array>
#include <limits>
#include <stdexcept>

void WriteStreamInteger(TMemoryStream& Stream, std::int32_t Value)
{
    std::array<std::uint8_t, 4> Bytes {};
    PutLittleEndian32(Bytes.data(), static_cast<std::uint32_t>(Value));
    Stream.WriteBuffer(Bytes.data(), Bytes.size());
}

std::int32_t ReadStreamInteger(TMemoryStream& Stream)
{
    std::array<std::uint8_t, 4> Bytes {};
    Stream.ReadBuffer(Bytes.data(), Bytes.size());
    return static_cast<std::int32_t>(GetLittleEndian32(Bytes.data()));
}

void WriteStreamBoolean(TMemoryStream& Stream, bool Value)
{
    WriteStreamByte(Stream, Value ? 1 : 0);
}

bool ReadStreamBoolean(TMemoryStream& Stream)
{
    return ReadStreamByte(Stream) != 0;
}

void WriteStreamByte(TMemoryStream& Stream, std::uint8_t Value)
{
    Stream.WriteBuffer(&Value, 1);
}

std::uint8_t ReadStreamByte(TMemoryStream& Stream)
{
    std::uint8_t Value = 0;
    Stream.ReadBuffer(&Value, 1);
    return Value;
}

void WriteStreamString(TMemoryStream& Stream, const std::string& S)
{
    if (S.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw std::length_error("string too long for the host link");
    WriteStreamInteger(Stream, static_cast<std::int32_t>(S.size()));
    Stream.WriteBuffer(S.data(), S.size());
}

std::string ReadStreamString(TMemoryStream& Stream)
{
    const std::int32_t Length = ReadStreamInteger(Stream);
    if (Length <= 0)
        return {};
    if (Length > Stream.Remaining())
        throw EReadError();
    std::string Result(static_cast<std::size_t>(Length), '\0');
    Stream.ReadBuffer(Result.data(), Result.size());
    return Result;
}
