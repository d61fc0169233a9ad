#include "CopyDataWire.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace platform {

namespace {

void PutLittleEndian(std::vector<std::uint8_t>& Out, std::uint32_t Value)
{
    for (int Shift = 0; Shift < 32; Shift += 8)
        Out.push_back(static_cast<std::uint8_t>(Value >> Shift));
}

std::uint32_t GetLittleEndian(const std::uint8_t* In)
{
    return std::uint32_t(In[0]) | std::uint32_t(In[1]) << 8 | std::uint32_t(In[2]) << 16
        | std::uint32_t(In[3]) << 24;
}

} // namespace

std::vector<std::uint8_t> EncodeFrame(
    std::int32_t Kind, std::int32_t Sender, std::span<const std::uint8_t> Data)
{
    if (Data.size() > MaxCopyDataSize)
        throw EWindowMessaging("A message of " + std::to_string(Data.size()) + " bytes is longer than the "
            + std::to_string(MaxCopyDataSize) + " bytes a frame may carry");
    std::vector<std::uint8_t> Out(FrameMagic.begin(), FrameMagic.end());
    Out.reserve(FrameHeaderSize + Data.size());
    PutLittleEndian(Out, static_cast<std::uint32_t>(Kind));
    PutLittleEndian(Out, static_cast<std::uint32_t>(Sender));
    PutLittleEndian(Out, static_cast<std::uint32_t>(Data.size()));
    Out.insert(Out.end(), Data.begin(), Data.end());
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
        Data.reserve(std::min(FDataSize, std::max(2 * Data.capacity(), Data.size() + Input.size())));
    Data.insert(Data.end(), Input.begin(), Input.end());
}

TCopyDataFrame TFrameDecoder::TakeFrame()
{
    TCopyDataFrame Frame = std::move(FFrame);
    FFrame = {};
    return Frame;
}

} // namespace platform
