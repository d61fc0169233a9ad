#include "MessageFrame.h"

#include "ELernix.h"
#include "StreamEncoding.h"
#include "TLernixMessageStream.h"

#include <limits>

std::vector<std::uint8_t> EncodeFrameData(const TLernixMessageStream& Msg)
{
    const auto payload = static_cast<std::size_t>(Msg.Size());
    if (payload > MaxFrameDataSize - FrameStampSize)
        throw ELernix("Message too large for the host link: " + std::to_string(payload) + " bytes");
    TMemoryStream frame;
    WriteStreamInteger(frame, Msg.StampTime);
    WriteStreamInteger(frame, Msg.StampDate);
    frame.WriteBuffer(Msg.Memory(), payload);
    return frame.Bytes();
}

std::unique_ptr<TLernixMessageStream> DecodeFrame(
    std::int32_t Kind, std::int64_t Sender, const std::uint8_t* Data, std::size_t Size, TDemonLink* Demon)
{
    if (Size < FrameStampSize)
        throw EBadFrame("frame of " + std::to_string(Size) + " bytes is shorter than its 8-byte stamp");
    if (Size > MaxFrameDataSize)
        throw EBadFrame("frame of " + std::to_string(Size) + " bytes exceeds the limit");
    if (Sender < 0 || Sender > std::numeric_limits<std::int32_t>::max())
        throw EBadFrame("sender window " + std::to_string(Sender) + " is out of range");
    TMemoryStream stamp;
    stamp.WriteBuffer(Data, FrameStampSize);
    stamp.SetPosition(0);
    auto msg = std::make_unique<TLernixMessageStream>(Demon);
    msg->MsgKind = Kind;
    msg->StampTime = ReadStreamInteger(stamp);
    msg->StampDate = ReadStreamInteger(stamp);
    msg->WriteBuffer(Data + FrameStampSize, Size - FrameStampSize);
    msg->SetPosition(0);
    msg->SenderEntity->Handle = static_cast<TWindowHandle>(Sender);
    return msg;
}
