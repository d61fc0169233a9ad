#pragma once

#include "TMemoryStream.h"

#include <cstdint>
#include <vector>

// A stream holding Raw, read from its start.
inline TMemoryStream StreamOf(const std::vector<std::uint8_t>& Raw)
{
    TMemoryStream Stream;
    Stream.WriteBuffer(Raw.data(), Raw.size());
    Stream.SetPosition(0);
    return Stream;
}
