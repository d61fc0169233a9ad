#include "TFrameDecoder.h"

#include "LittleEndian.h"

#include <algorithm>
#include <cstring>

namespace platform {

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
    FFrame.Kind = static_cast<std::int32_t>(GetLittleEndian32(FHeader.data() + 4));
    FFrame.Sender = static_cast<std::int32_t>(GetLittleEndian32(FHeader.data() + 8));
    FDataSize = GetLittleEndian32(FHeader.data() + 12);
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
