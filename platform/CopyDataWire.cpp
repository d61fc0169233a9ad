#include "CopyDataWire.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace platform {

namespace {

void PutLittleEndian(std::uint8_t* Out, std::uint32_t Value)
{
    for (int Byte = 0; Byte < 4; ++Byte)
        Out[Byte] = static_cast<std::uint8_t>(Value >> (8 * Byte));
}

std::uint32_t GetLittleEndian(const std::uint8_t* In)
{
    return std::uint32_t(In[0]) | std::uint32_t(In[1]) << 8 | std::uint32_t(In[2]) << 16
        | std::uint32_t(In[3]) << 24;
}

} // namespace

TFrameHeader EncodeFrameHeader(std::int32_t Kind, std::int32_t Sender, std::size_t DataSize)
{
    if (DataSize > MaxCopyDataSize)
        throw EWindowMessaging("A message of " + std::to_string(DataSize) + " bytes is longer than the "
            + std::to_string(MaxCopyDataSize) + " bytes a frame may carry");
    TFrameHeader Header {};
    std::copy(FrameMagic.begin(), FrameMagic.end(), Header.begin());
    PutLittleEndian(Header.data() + 4, static_cast<std::uint32_t>(Kind));
    PutLittleEndian(Header.data() + 8, static_cast<std::uint32_t>(Sender));
    PutLittleEndian(Header.data() + 12, static_cast<std::uint32_t>(DataSize));
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

std::size_t TFrameDecoder::Feed(std::span<const std::uint8_t> Input)
{
    std::size_t Used = 0;
    if (FState == TDecodeState::NeedMore && FHeaderFill < FrameHeaderSize) {
        Used = std::min(Input.size(), FrameHeaderSize - FHeaderFill);
        std::memcpy(FHeader.data() + FHeaderFill, Input.data(), Used);
        FHeaderFill += Used;
        if (FHeaderFill == FrameHeaderSize)
            ParseHeader();
    }
    if (FState != TDecodeState::NeedMore || FHeaderFill < FrameHeaderSize)
        return Used;
    const std::size_t Take = std::min(Input.size() - Used, FDataSize - FFrame.Data.size());
    Append(Input.subspan(Used, Take));
    if (FFrame.Data.size() == FDataSize)
        FState = TDecodeState::Complete;
    return Used + Take;
}

void TFrameDecoder::ParseHeader()
{
    if (!std::equal(FrameMagic.begin(), FrameMagic.end(), FHeader.begin())) {
        FState = TDecodeState::BadMagic;
        return;
    }
    FFrame.Kind = static_cast<std::int32_t>(GetLittleEndian(FHeader.data() + 4));
    FFrame.Sender = static_cast<std::int32_t>(GetLittleEndian(FHeader.data() + 8));
    FDataSize = GetLittleEndian(FHeader.data() + 12);
    if (FDataSize > MaxCopyDataSize)
        FState = TDecodeState::TooLong;
    else if (FDataSize == 0)
        FState = TDecodeState::Complete;
}

void TFrameDecoder::Append(std::span<const std::uint8_t> Input)
{
    auto& Data = FFrame.Data;
    if (Data.capacity() < Data.size() + Input.size())
        Data.reserve(std::min(FDataSize, Data.size() + Input.size() + GrowthAhead));
    Data.insert(Data.end(), Input.begin(), Input.end());
}

TCopyDataFrame TFrameDecoder::TakeFrame()
{
    TCopyDataFrame Frame = std::move(FFrame);
    *this = {};
    return Frame;
}

} // namespace platform
