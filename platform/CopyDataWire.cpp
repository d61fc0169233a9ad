#include "CopyDataWire.h"

#include "LittleEndian.h"

#include <algorithm>
#include <string>

namespace platform {

TFrameHeader EncodeFrameHeader(std::int32_t Kind, std::int32_t Sender, std::size_t DataSize)
{
    if (DataSize > MaxCopyDataSize)
        throw EWindowMessaging("A message of " + std::to_string(DataSize) + " bytes is longer than the "
            + std::to_string(MaxCopyDataSize) + " bytes a frame may carry");
    TFrameHeader Header {};
    std::copy(FrameMagic.begin(), FrameMagic.end(), Header.begin());
    PutLittleEndian32(Header.data() + 4, static_cast<std::uint32_t>(Kind));
    PutLittleEndian32(Header.data() + 8, static_cast<std::uint32_t>(Sender));
    PutLittleEndian32(Header.data() + 12, static_cast<std::uint32_t>(DataSize));
    return Header;
}

std::vector<std::uint8_t> EncodeFrame(
    std::int32_t Kind, std::int32_t Sender, std::span<const std::uint8_t> Data)
{
    const TFrameHeader Header = EncodeFrameHeader(Kind, Sender, Data.size());
    std::vector<std::uint8_t> Out(Header.size() + Data.size());
    std::copy(Header.begin(), Header.end(), Out.begin());
    std::copy(Data.begin(), Data.end(), Out.begin() + Header.size());
    return Out;
}

} // namespace platform
