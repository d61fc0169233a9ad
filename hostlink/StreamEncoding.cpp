#include "StreamEncoding.h"

#include "ELernix.h"
#include "TMemoryStream.h"

#include <array>
#include <limits>
#include <stdexcept>

void WriteStreamInteger(TMemoryStream& Stream, std::int32_t Value)
{
    const auto u = static_cast<std::uint32_t>(Value);
    const std::array<std::uint8_t, 4> bytes { static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8),
        static_cast<std::uint8_t>(u >> 16), static_cast<std::uint8_t>(u >> 24) };
    Stream.WriteBuffer(bytes.data(), bytes.size());
}

std::int32_t ReadStreamInteger(TMemoryStream& Stream)
{
    std::array<std::uint8_t, 4> bytes {};
    Stream.ReadBuffer(bytes.data(), bytes.size());
    const std::uint32_t u = bytes[0] | (std::uint32_t(bytes[1]) << 8) | (std::uint32_t(bytes[2]) << 16)
        | (std::uint32_t(bytes[3]) << 24);
    return static_cast<std::int32_t>(u);
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
    std::uint8_t value = 0;
    Stream.ReadBuffer(&value, 1);
    return value;
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
    const std::int32_t length = ReadStreamInteger(Stream);
    if (length <= 0)
        return {};
    if (length > Stream.Remaining())
        throw EReadError();
    std::string result(static_cast<std::size_t>(length), '\0');
    Stream.ReadBuffer(result.data(), result.size());
    return result;
}
