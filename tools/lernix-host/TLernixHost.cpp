#include "TLernixHost.h"

#include "ELernix.h"
#include "FrameText.h"
#include "HostDiscovery.h"
#include "HostRequests.h"
#include "MessageFrame.h"
#include "MessageKinds.h"
#include "MessageStamp.h"
#include "ProgramStart.h"
#include "TLernixMessageStream.h"
#include "TWindowMessaging.h"

#include <stdexcept>
#include <string>

namespace {

// The most file bytes an lmGetFile reply carries: the frame less stamp and flag.
constexpr std::size_t MaxFileSize = MaxFrameDataSize - FrameStampSize - 1;
// The longest program name or title kept for a participant: a path or a window title is
// never longer, and a peer must not make the host keep what it sends.
constexpr std::size_t MaxRecordText = 4096;

// Why a record is too large to keep; empty when it is not.
std::string Oversized(const TEntity& Entity)
{
    const auto TooLong = [](const char* Field, const std::string& Text) {
        return "its " + std::string(Field) + " has " + std::to_string(Text.size()) + " bytes, more than "
            + std::to_string(MaxRecordText);
    };
    if (Entity.ExeName.size() > MaxRecordText)
        return TooLong("program name", Entity.ExeName);
    if (Entity.Title.size() > MaxRecordText)
        return TooLong("title", Entity.Title);
    return {};
}

std::string Described(const TEntity& Entity)
{
    return "window " + std::to_string(Entity.Handle) + ", mutex " + std::to_string(Entity.MutexHandle)
        + ", program " + QuoteBytes(Entity.ExeName) + ", title " + QuoteBytes(Entity.Title);
}

} // namespace

TLernixHost::TLernixHost(
    platform::TWindowMessaging& Messaging, const std::string& Suffix, THostContent Content)
    : FMessaging(Messaging)
    , FContent(std::move(Content))
{
    const std::string ClassName = ServerWindowClassName + Suffix;
    const std::string WindowName = ServerWindowName + Suffix;
    if (const TWindowHandle Running = FMessaging.FindWindow(ClassName, WindowName))
        throw std::runtime_error("a host with the suffix " + QuoteBytes(Suffix) + " already runs (window "
            + std::to_string(Running) + ")");
    FHandle = FMessaging.CreateHiddenWindow(
        ClassName, WindowName, [this](const platform::TCopyDataFrame& Frame) { OnFrame(Frame); });
}

TLernixHost::~TLernixHost()
{
    FMessaging.DestroyHiddenWindow(FHandle);
}

void TLernixHost::OnFrame(const platform::TCopyDataFrame& Frame)
{
    std::unique_ptr<TLernixMessageStream> Msg;
    try {
        Msg = DecodeFrame(Frame.Kind, Frame.Sender, Frame.Data.data(), Frame.Data.size(), nullptr);
    } catch (const EBadFrame& Error) {
        FContent.Log("dropped " + MessageKindName(Frame.Kind) + ": " + Error.what());
        return;
    }
    const std::string Head = MessageKindName(Msg->MsgKind) + " from window " + std::to_string(Frame.Sender)
        + " (stamp " + std::to_string(Msg->StampTime) + "/" + std::to_string(Msg->StampDate) + ")";
    try {
        const std::string What = Dispatch(*Msg);
        if (FContent.Verbose)
            FContent.Log(Head + ": " + What);
    } catch (const EReadError&) {
        FContent.Log(Head + ": " + std::to_string(Msg->Size()) + " payload bytes are too few; no answer");
    }
}

std::string TLernixHost::Dispatch(TLernixMessageStream& Msg)
{
    switch (Msg.MsgKind) {
    case lmRegister:
        return OnRegister(Msg, true);
    case lmUnregister:
        return OnRegister(Msg, false);
    case lmQueryEntity:
        return OnQueryEntity(Msg);
    case lmExecute:
        return OnExecute(Msg);
    case lmGetFile:
        return OnGetFile(Msg);
    case lmResolveName:
        return OnResolveName(Msg);
    case lmQueryString:
    case lmGetValue:
        return OnLookUp(Msg);
    default:
        return std::to_string(Msg.Size()) + " payload bytes, not for a host; ignored";
    }
}

std::string TLernixHost::OnRegister(TLernixMessageStream& Msg, bool Register)
{
    TEntity Entity;
    Entity.ReadFrom(Msg);
    if (const std::string Why = Oversized(Entity); Register && !Why.empty()) {
        FContent.Log(
            "lmRegister from window " + std::to_string(Msg.SenderEntity->Handle) + " refused: " + Why);
        return "refused";
    }
    const std::string What = Described(Entity);
    // A participant speaks for its own window only.
    if (Entity.Handle != Msg.SenderEntity->Handle)
        return What + "; refused: not the sender's window";
    if (!Register)
        return What + (FParticipants.Unregister(Entity.Handle) ? "; unregistered" : "; was not registered");
    if (!FMessaging.IsWindow(Entity.Handle))
        return What + "; refused: no such window";
    // Participants that were killed never unregister; forget them before the list grows.
    FParticipants.RemoveDead([this](TWindowHandle Handle) { return FMessaging.IsWindow(Handle); });
    FParticipants.Register(Entity);
    return What + "; registered, " + std::to_string(FParticipants.Size()) + " participants";
}

std::string TLernixHost::OnQueryEntity(TLernixMessageStream& Msg)
{
    FParticipants.RemoveDead([this](TWindowHandle Handle) { return FMessaging.IsWindow(Handle); });
    const TQueryEntityRequest Query = TQueryEntityRequest::Read(Msg);
    std::string What;
    const TEntity* Found = nullptr;
    if (Query.Selector == QueryEntityByHandle) {
        What = "by window " + std::to_string(Query.Handle);
        Found = FParticipants.FindByHandle(Query.Handle);
    } else if (Query.Selector == QueryEntityByTitle) {
        What = "by title " + QuoteBytes(Query.Title);
        Found = FParticipants.FindByTitle(Query.Title, Msg.SenderEntity->Handle);
    } else {
        What = "by unknown selector " + std::to_string(Query.Selector);
    }
    TQueryEntityReply Answer;
    if (Found)
        Answer.Entity = *Found;
    Reply(Msg, Answer);
    return What + " -> " + (Found ? Described(*Found) : "none (empty answer)");
}

std::string TLernixHost::OnExecute(TLernixMessageStream& Msg)
{
    const TExecuteRequest Execute = TExecuteRequest::Read(Msg);
    // The participant waits for the process itself when it asked to.
    const std::int64_t Pid = FContent.Start(Execute.Program, SplitParameters(Execute.Parameters));
    Reply(Msg, TExecuteReply { static_cast<std::int32_t>(Pid) });
    return QuoteBytes(Execute.Program) + " " + QuoteBytes(Execute.Parameters) + ", wait "
        + (Execute.Wait ? "true" : "false") + ", option " + std::to_string(Execute.Option) + " -> process "
        + std::to_string(Pid);
}

std::string TLernixHost::OnGetFile(TLernixMessageStream& Msg)
{
    const std::string Name = TTextMessage::Read(Msg).Text;
    TFileLookup File = FContent.Files ? FContent.Files->ReadFile(Name, MaxFileSize)
                                      : TFileLookup { {}, "no folder is served" };
    const std::string What = QuoteBytes(Name) + " -> "
        + (File.Bytes ? "found, " + std::to_string(File.Bytes->size()) + " bytes"
                      : "not found: " + File.Refusal);
    Reply(Msg, TGetFileReply { std::move(File.Bytes) });
    return What;
}

std::string TLernixHost::OnResolveName(TLernixMessageStream& Msg)
{
    const std::string Name = TTextMessage::Read(Msg).Text;
    const std::string Resolved = FContent.Files ? FContent.Files->Resolve(Name).value_or("") : "";
    Reply(Msg, TTextMessage { Resolved });
    return QuoteBytes(Name) + " -> " + QuoteBytes(Resolved);
}

std::string TLernixHost::OnLookUp(TLernixMessageStream& Msg)
{
    const std::string Key = TTextMessage::Read(Msg).Text;
    const std::optional<std::string> Value = FContent.Values.Lookup(Key);
    Reply(Msg, TTextMessage { Value.value_or("") });
    return QuoteBytes(Key) + " -> " + (Value ? QuoteBytes(*Value) : "unknown (empty text)");
}

template <typename TPayload>
void TLernixHost::Reply(const TLernixMessageStream& Request, const TPayload& Payload)
{
    TLernixMessageStream Answer;
    Payload.Write(Answer);
    Answer.MsgKind = lmReply;
    Answer.SetStamp(Request.Stamp());
    if (FContent.BeforeReply)
        FContent.BeforeReply(Request, Answer);
    if (!Send(Request.SenderEntity->Handle, Answer))
        FContent.Log("the answer to " + MessageKindName(Request.MsgKind) + " did not reach window "
            + std::to_string(Request.SenderEntity->Handle));
}

bool TLernixHost::Send(TWindowHandle Target, const TLernixMessageStream& Msg)
{
    try {
        return FMessaging.SendCopyData(Target, FHandle, Msg.MsgKind, EncodeFrameData(Msg));
    } catch (const ELernix& Error) {
        FContent.Log(MessageKindName(Msg.MsgKind) + " not sent: " + Error.what());
        return false;
    }
}

int TLernixHost::QuitParticipants(bool ServerDown)
{
    FParticipants.RemoveDead([this](TWindowHandle Handle) { return FMessaging.IsWindow(Handle); });
    int Handled = 0;
    // A participant may unregister while its quit is under way, so walk a copy.
    for (const TWindowHandle Participant : FParticipants.Handles()) {
        TLernixMessageStream Quit;
        Quit.MsgKind = lmQuit;
        Quit.SetStamp(StampNow());
        TQuitMessage { ServerDown }.Write(Quit);
        const bool Delivered = Send(Participant, Quit);
        Handled += Delivered ? 1 : 0;
        FContent.Log(std::string("lmQuit (ServerDown ") + (ServerDown ? "true" : "false") + ") to window "
            + std::to_string(Participant) + (Delivered ? ": handled" : ": not delivered"));
    }
    if (ServerDown)
        FParticipants = {};
    return Handled;
}
