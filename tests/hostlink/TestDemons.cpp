#include "TestDemons.h"

#include "HostDiscovery.h"
#include "MessageKinds.h"

TNamedDemon::TNamedDemon(platform::TWindowMessaging& Messaging, std::string ClassName, std::string WindowName)
    : TkdbCustomDemon(Messaging)
    , FClassName(std::move(ClassName))
    , FWindowName(std::move(WindowName))
{
    MakeHiddenWindow();
}

TTestHost::TTestHost(platform::TWindowMessaging& Messaging, const std::string& Suffix)
    : TNamedDemon(Messaging, ServerWindowClassName + Suffix, ServerWindowName + Suffix)
{
    SetOnGotAMessage([this](TkdbCustomDemon*, TLernixMessageStream& Msg) { Answer(Msg); });
}

void TTestHost::Answer(TLernixMessageStream& Request)
{
    ++Requests;
    TLernixMessageStream reply(this);
    reply.MsgKind = lmReply;
    reply.SetStamp(Request.Stamp());
    if (Request.MsgKind == lmGetValue) {
        reply.WriteString("value of " + Request.ReadString());
    } else if (Request.MsgKind == lmQueryString) {
        reply.StampDate += 1;
        reply.WriteString(Request.ReadString());
    } else {
        return;
    }
    Transmit(*Request.SenderEntity, reply, nullptr);
}
