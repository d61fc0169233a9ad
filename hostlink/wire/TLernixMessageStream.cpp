#include "TLernixMessageStream.h"

#include "StreamEncoding.h"

TLernixMessageStream::TLernixMessageStream(TDemonLink* Component)
    : SenderEntity(std::make_unique<TEntity>(Component))
    , Demon(Component)
{
}

void TLernixMessageStream::SetStamp(TMessageStamp Stamp)
{
    StampTime = Stamp.Time;
    StampDate = Stamp.Date;
}

void TLernixMessageStream::WriteString(const std::string& S)
{
    WriteStreamString(*this, S);
}

std::string TLernixMessageStream::ReadString()
{
    return ReadStreamString(*this);
}

void TLernixMessageStream::SendTo(const TEntity& Target, TLernixMessageStream* Reply)
{
    if (Demon)
        Demon->Send(Target, *this, Reply);
}

void TLernixMessageStream::AssignMessage(TLernixMessageStream& Source)
{
    SetStamp(Source.Stamp());
    SenderEntity->Assign(Source.SenderEntity.get());
    MsgKind = Source.MsgKind;
    const std::int64_t Keep = Position();
    CopyFrom(Source);
    SetPosition(Keep);
}
