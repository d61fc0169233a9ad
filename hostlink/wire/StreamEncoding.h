#pragma once

#include <cstdint>
#include <string>

class TMemoryStream;

// The host link's payload encodings. Integers are 32-bit little-endian two's
// complement; a Boolean is one byte (written 0 or 1, read true unless 0); a
// string is its byte length as an integer followed by exactly that many bytes.
// Every reader throws EReadError when the stream ends early.

void WriteStreamInteger(TMemoryStream& Stream, std::int32_t Value);
std::int32_t ReadStreamInteger(TMemoryStream& Stream);

void WriteStreamBoolean(TMemoryStream& Stream, bool Value);
bool ReadStreamBoolean(TMemoryStream& Stream);

void WriteStreamByte(TMemoryStream& Stream, std::uint8_t Value);
std::uint8_t ReadStreamByte(TMemoryStream& Stream);

// Throws std::length_error for a string that does not fit the 32-bit length.
void WriteStreamString(TMemoryStream& Stream, const std::string& S);
// A length of 0 or less gives the empty string and consumes nothing more. A
// length beyond the remaining bytes throws EReadError before anything is
// allocated, so a hostile length costs nothing.
std::string ReadStreamString(TMemoryStream& Stream);
