#pragma once

#include <cstdint>

// Every 32-bit number on the wire and in the window table is little-endian, whatever the
// machine: encoded and decoded here byte by byte, so alignment and host order never matter.

constexpr void PutLittleEndian32(std::uint8_t* Out, std::uint32_t Value)
{
    for (int Byte = 0; Byte < 4; ++Byte)
        Out[Byte] = static_cast<std::uint8_t>(Value >> (8 * Byte));
}

constexpr std::uint32_t GetLittleEndian32(const std::uint8_t* In)
{
    return std::uint32_t(In[0]) | std::uint32_t(In[1]) << 8 | std::uint32_t(In[2]) << 16
        | std::uint32_t(In[3]) << 24;
}
