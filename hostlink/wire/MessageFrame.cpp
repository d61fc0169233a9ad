#include "MessageFrame.h"

#include "ELernix.h"
#include "StreamEncoding.h"
#include "TLernixMessageStream.h"

#include <limits>

std::vector<std::uint8_t> EncodeFrameData(const TLernixMessageStream& Msg)
{
    const auto Payload = static_cast<std::size_t>(Msg.Size());
    if (Payload > MaxFrameDataSize - FrameStampSize)
        throw ELernix("Message too large for the host link: " + std::to_string(Payload) + " bytes");
    TMemoryStream Frame;
    WriteStreamInteger(Frame, Msg.StampTime);
    WriteStreamInteger(Frame, Msg.StampDate);
    Frame.WriteBuffer(Msg.Memory(), Payload);
    return Frame.Bytes();
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
    TMemoryStream Stamp;
    Stamp.WriteBuffer(Data, FrameStampSize);
    Stamp.SetPosition(0);
    auto Msg = std::make_unique<TLernixMessageStream>(Demon);
    Msg->MsgKind = Kind;
    Msg->StampTime = ReadStreamInteger(Stamp);
    Msg->StampDate = ReadStreamInteger(Stamp);
    Msg->WriteBuffer(Data + FrameStampSize, Size - FrameStampSize);
    Msg->SetPosition(0);
    Msg->SenderEntity->Handle = static_cast<TWindowHandle>(Sender);
    return Msg;
}
