#include "TkdbCustomDemon.h"

#include "DemonWindowClass.h"
#include "ELernix.h"
#include "HostDiscovery.h"
#include "MessageFrame.h"
#include "MessageKinds.h"
#include "ParamListText.h"
#include "StreamEncoding.h"
#include "TWindowMessaging.h"

#include <QCoreApplication>
#include <QtDebug>

#include <algorithm>

static_assert(
    MaxFrameDataSize == platform::MaxCopyDataSize, "the host link and the window layer share one cap");

TkdbCustomDemon::TkdbCustomDemon(platform::TWindowMessaging& Messaging, QObject* Owner)
    : QObject(Owner)
    , FServerEntity(std::make_unique<TEntity>(this))
    , FOwnEntity(std::make_unique<TEntity>(this))
    , FMessaging(Messaging)
{
    FServerEntity->Handle = FindServerWindow(FMessaging);
}

TkdbCustomDemon::~TkdbCustomDemon()
{
    FPending.clear();
    TearDownHiddenWindow();
}

void TkdbCustomDemon::RegisterWindowClass()
{
    RegisterDemonWindowClass(GetWindowClassName());
}

void TkdbCustomDemon::MakeHiddenWindow()
{
    RegisterWindowClass();
    try {
        FOwnEntity->Handle = FMessaging.CreateHiddenWindow(GetWindowClassName(), GetWindowName(),
            [this](const platform::TCopyDataFrame& Frame) { OnFrame(Frame); });
    } catch (const platform::EWindowMessaging& e) {
        qWarning("host link: no hidden window: %s", e.what());
        throw ELernix("Could not create window handle");
    }
    FOwnEntity->Title = QCoreApplication::applicationName().toLocal8Bit().toStdString();
    FOwnEntity->ExeName = QCoreApplication::applicationFilePath().toLocal8Bit().toStdString();
}

void TkdbCustomDemon::TearDownHiddenWindow()
{
    if (FOwnEntity->Handle == 0)
        return;
    FMessaging.DestroyHiddenWindow(FOwnEntity->Handle);
    FOwnEntity->Handle = 0;
}

void TkdbCustomDemon::OnFrame(const platform::TCopyDataFrame& Frame)
{
    const TCopyDataStruct copyData { Frame.Kind, Frame.Data.size(), Frame.Data.data() };
    TWindowMessage message { WM_COPYDATA, Frame.Sender, &copyData, 0 };
    WndProc(message);
}

void TkdbCustomDemon::Send(const TEntity& Target, TLernixMessageStream& Msg, TLernixMessageStream* Reply)
{
    Msg.SetStamp(StampNow());
    Transmit(Target, Msg, Reply);
}

void TkdbCustomDemon::Transmit(const TEntity& Target, TLernixMessageStream& Msg, TLernixMessageStream* Reply)
{
    Msg.Demon = this;
    if (Reply)
        Reply->Demon = this;
    if (!FOwnEntity->IsAlive())
        return;
    const std::vector<std::uint8_t> data = EncodeFrameData(Msg);
    Msg.SetPosition(Msg.Size());
    if (Target.Handle > 0)
        FMessaging.SendCopyData(Target.Handle, FOwnEntity->Handle, Msg.MsgKind, data);
    const TLernixMessageStream* found = FindPendingReply(Msg.Stamp());
    if (!found)
        return;
    const auto at
        = std::find_if(FPending.begin(), FPending.end(), [found](const auto& p) { return p.get() == found; });
    const std::unique_ptr<TLernixMessageStream> reply = std::move(*at);
    FPending.erase(at);
    if (Reply)
        Reply->AssignMessage(*reply);
}

TLernixMessageStream* TkdbCustomDemon::FindPendingReply(TMessageStamp Stamp) const
{
    for (const auto& pending : FPending)
        if (pending->Stamp() == Stamp)
            return pending.get();
    return nullptr;
}

void TkdbCustomDemon::WndProc(TWindowMessage& Message)
{
    if (Message.Msg == WM_COPYDATA)
        WMCopyData(Message);
    Message.Result = 0;
}

void TkdbCustomDemon::WMCopyData(TWindowMessage& Message)
{
    const TCopyDataStruct& copyData = *Message.CopyData;
    std::unique_ptr<TLernixMessageStream> msg;
    try {
        msg = DecodeFrame(copyData.dwData, Message.WParam, copyData.lpData, copyData.cbData, this);
    } catch (const EBadFrame& e) {
        qWarning("host link: dropped a message of kind %d: %s", copyData.dwData, e.what());
        return;
    }
    HandleMessage(msg);
}

void TkdbCustomDemon::HandleMessage(std::unique_ptr<TLernixMessageStream>& Msg)
{
    switch (Msg->MsgKind) {
    case lmQuit: {
        FServerDown = ReadStreamBoolean(*Msg);
        bool allowQuit = true;
        if (FOnQuitMsgReceived)
            FOnQuitMsgReceived(this, FServerDown, allowQuit);
        if (allowQuit)
            ReleaseOnQuit();
        break;
    }
    case lmReply:
        if (FPending.size() >= MaxPendingReplies) {
            qWarning("host link: %zu unclaimed replies; dropping the oldest", FPending.size());
            FPending.pop_front();
        }
        FPending.push_back(std::move(Msg));
        break;
    case lmParams:
        FParams = ReadParamListText(*Msg);
        if (FOnParamsChange)
            FOnParamsChange(this);
        break;
    default:
        if (FOnGotAMessage)
            FOnGotAMessage(this, *Msg);
        break;
    }
}

std::unique_ptr<TEntity> TkdbCustomDemon::FindEntityByHandle(TWindowHandle)
{
    return nullptr;
}

bool TkdbCustomDemon::IsWindow(TWindowHandle Handle) const
{
    if (Handle <= 0)
        return false;
    // The own window lives until this component tears it down; every send asks.
    if (Handle == FOwnEntity->Handle)
        return true;
    return FMessaging.IsWindow(Handle);
}

void TkdbCustomDemon::ReleaseOnQuit()
{
    deleteLater();
}
