#include "TkdbCustomDemon.h"

#include "DemonWindowClass.h"
#include "ELernix.h"
#include "FileNames.h"
#include "HostDiscovery.h"
#include "LocaleDictionary.h"
#include "MessageFrame.h"
#include "MessageKinds.h"
#include "ParamListText.h"
#include "ProgramFileNames.h"
#include "RuntimeFolder.h"
#include "StreamEncoding.h"
#include "TProgramHalt.h"
#include "TSingleInstanceLock.h"
#include "TTolkar2000Walk.h"
#include "TWindowMessaging.h"
#include "UsableDictionary.h"

#include <QCoreApplication>
#include <QtDebug>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <poll.h>

static_assert(
    MaxFrameDataSize == platform::MaxCopyDataSize, "the host link and the window layer share one cap");

namespace {

constexpr const char* CouldNotCreateWindow = "Could not create window handle";

std::string ApplicationTitle()
{
    return QCoreApplication::applicationName().toLocal8Bit().toStdString();
}

} // namespace

TkdbCustomDemon::TkdbCustomDemon(QObject* Owner, platform::TWindowMessaging* Messaging)
    : QObject(Owner)
    , FServerEntity(std::make_unique<TEntity>(this))
    , FOwnEntity(std::make_unique<TEntity>(this))
    , FMessaging(Messaging)
    , FTranslator(std::make_unique<TTolkar2000Walk>())
{
    if (!FMessaging) {
        try {
            FOwnMessaging = platform::CreatePosixWindowMessaging();
            FMessaging = FOwnMessaging.get();
        } catch (const platform::EWindowMessaging& E) {
            LoseLink(E.what());
        }
    }
    if (FMessaging)
        FServerEntity->Handle = FindServerWindow(*FMessaging);
    ReadParams();
}

TkdbCustomDemon::~TkdbCustomDemon()
{
    FPending.clear();
    TearDownHiddenWindow();
    if (FFirstCopyWindow != 0)
        FMessaging->DestroyHiddenWindow(FFirstCopyWindow);
    FLock.reset();
    FOwnEntity->MutexHandle = 0;
    FTranslator.reset();
    QCoreApplication::quit();
}

void TkdbCustomDemon::LoseLink(const std::string& Why)
{
    FLinkProblem = Why;
    FMessaging = nullptr;
}

void TkdbCustomDemon::Loaded()
{
    CheckLink();
    CheckMultiStart();
}

void TkdbCustomDemon::CheckLink() const
{
    if (!FLinkProblem.empty()) {
        if (FUseVandrelServer)
            throw ELernix(std::string(CouldNotCreateWindow) + ": " + FLinkProblem);
        std::fprintf(stderr, "%s: running without host link and single-copy check: %s\n",
            ExtractFileName(ApplicationFileName()).c_str(), FLinkProblem.c_str());
    }
}

int TkdbCustomDemon::ParamCount() const
{
    return static_cast<int>(FParams.size()) - 1;
}

std::string TkdbCustomDemon::ParamStr(int Index) const
{
    if (Index < 0 || Index > ParamCount())
        throw ELernix("Illegal \"ParamStr\" parameter: " + std::to_string(Index));
    return Index == 0 ? ApplicationFileName() : FParams[static_cast<std::size_t>(Index)];
}

void TkdbCustomDemon::ReadParams()
{
    std::vector<std::string> Arguments = CommandLine();
    FParams.assign(1, Arguments.empty() ? std::string() : Arguments.front());
    for (std::size_t I = 1; I < Arguments.size(); ++I)
        if (!Arguments[I].starts_with(ServerHandleSwitch))
            FParams.push_back(std::move(Arguments[I]));
}

void TkdbCustomDemon::CheckMultiStart()
{
    if (FMultiStart || !FLinkProblem.empty())
        return;
    std::optional<platform::TSingleInstanceLock> Lock;
    try {
        Lock = platform::TSingleInstanceLock::TryAcquire(
            platform::PrepareRuntimeFolder(), FOwnEntity->MutexName());
    } catch (const platform::EWindowMessaging& E) {
        // The folder was fit when the window was made and has been changed since.
        if (FUseVandrelServer)
            throw ELernix(E.what());
        std::fprintf(stderr, "%s: running without single-copy check: %s\n",
            ExtractFileName(ApplicationFileName()).c_str(), E.what());
        return;
    }
    if (Lock) {
        FLock = std::make_unique<platform::TSingleInstanceLock>(std::move(*Lock));
        FOwnEntity->MutexHandle = FLock->Handle();
        MakeFirstCopyWindow();
        return;
    }
    if (const TWindowHandle First = FindFirstCopy(); First != 0) {
        TEntity Target(this);
        Target.Handle = First;
        TLernixMessageStream Params(this);
        Params.MsgKind = lmParams;
        WriteParamListText(Params, FParams);
        Send(Target, Params, nullptr);
    }
    throw TProgramHalt { 0 };
}

void TkdbCustomDemon::MakeFirstCopyWindow()
{
    // Without it a second copy only ends; the program runs on as before.
    try {
        FFirstCopyWindow = FMessaging->CreateHiddenWindow(GetWindowClassName(), FOwnEntity->MutexName(),
            [this](const platform::TCopyDataFrame& Frame) { OnFrame(Frame); });
    } catch (const platform::EWindowMessaging& E) {
        qWarning("host link: no window for a second copy to find: %s", E.what());
    }
}

TWindowHandle TkdbCustomDemon::FindFirstCopy()
{
    if (const std::unique_ptr<TEntity> First = FindEntityByTitle(ApplicationTitle()))
        return First->Handle;
    return FMessaging->FindWindow(GetWindowClassName(), FOwnEntity->MutexName());
}

void TkdbCustomDemon::LoadTranslation()
{
    const std::string Program = ExtractFileName(ApplicationFileName());
    const TDictionaryComplaint Complain = [&Program](const std::string& File, const std::string& Why) {
        std::fprintf(
            stderr, "%s: cannot use the dictionary %s: %s\n", Program.c_str(), File.c_str(), Why.c_str());
    };
    bool Loaded = false;
    if (FUseVandrelServer) {
        const std::string Name = DictionaryFileName(ResolveFileName(ApplicationFileName()));
        if (const std::unique_ptr<TMemoryStream> Dictionary = GetFileStream(Name)) {
            const std::vector<std::uint8_t>& Bytes = Dictionary->Bytes();
            const auto Problem = LoadDictionaryBytes(*FTranslator, std::string(Bytes.begin(), Bytes.end()));
            if (Problem)
                Complain("\"" + Name + "\" of the host", *Problem);
            Loaded = !Problem;
        }
    }
    // Standalone, and in host mode when the host has none that serves: keys are no texts.
    if (!Loaded
        && LoadFirstUsableDictionary(
            *FTranslator, StandaloneDictionaryFiles(ApplicationFileName(), ProcessEnvironment), Complain)
               .empty())
        std::fprintf(
            stderr, "%s: no usable dictionary found; the windows show their keys\n", Program.c_str());
    if (FAutoTranslate)
        FTranslator->TranslateComponent(parent());
}

bool TkdbCustomDemon::AutoCreateItlFile() const
{
    return FTranslator->AutoCreateItlFile();
}

void TkdbCustomDemon::SetAutoCreateItlFile(bool Value)
{
    FTranslator->SetAutoCreateItlFile(Value);
}

void TkdbCustomDemon::RegisterWindowClass()
{
    RegisterDemonWindowClass(GetWindowClassName());
}

void TkdbCustomDemon::MakeHiddenWindow()
{
    if (!FMessaging)
        return;
    RegisterWindowClass();
    try {
        FOwnEntity->Handle = FMessaging->CreateHiddenWindow(GetWindowClassName(), GetWindowName(),
            [this](const platform::TCopyDataFrame& Frame) { OnFrame(Frame); });
    } catch (const platform::EWindowMessaging& E) {
        // As with an unusable runtime folder: CheckLink decides what that means.
        LoseLink(E.what());
        return;
    }
    FOwnEntity->Title = ApplicationTitle();
    FOwnEntity->ExeName = ApplicationFileName();
}

void TkdbCustomDemon::TearDownHiddenWindow()
{
    if (FOwnEntity->Handle == 0)
        return;
    FMessaging->DestroyHiddenWindow(FOwnEntity->Handle);
    FOwnEntity->Handle = 0;
}

void TkdbCustomDemon::OnFrame(const platform::TCopyDataFrame& Frame)
{
    const TCopyDataStruct CopyData { Frame.Kind, Frame.Data.size(), Frame.Data.data() };
    TWindowMessage Message { MsgCopyData, Frame.Sender, &CopyData, 0 };
    WndProc(Message);
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
    const std::vector<std::uint8_t> Data = EncodeFrameData(Msg);
    Msg.SetPosition(Msg.Size());
    if (Target.Handle <= 0)
        return;
    ++FSendDepth;
    if (Reply)
        FAwaited.push_back(Msg.Stamp());
    FMessaging->SendCopyData(Target.Handle, FOwnEntity->Handle, Msg.MsgKind, Data);
    if (Reply)
        FAwaited.pop_back();
    if (--FSendDepth == 0 && FQuitDeferred)
        deleteLater();
    if (!Reply)
        return;
    const auto At = std::find_if(
        FPending.begin(), FPending.end(), [&Msg](const auto& P) { return P->Stamp() == Msg.Stamp(); });
    if (At == FPending.end())
        return;
    const std::unique_ptr<TLernixMessageStream> Claimed = std::move(*At);
    FPending.erase(At);
    Reply->AssignMessage(*Claimed);
}

TLernixMessageStream* TkdbCustomDemon::FindPendingReply(TMessageStamp Stamp) const
{
    for (const auto& Pending : FPending)
        if (Pending->Stamp() == Stamp)
            return Pending.get();
    return nullptr;
}

void TkdbCustomDemon::WndProc(TWindowMessage& Message)
{
    if (Message.Msg == MsgCopyData)
        WMCopyData(Message);
    Message.Result = 0;
}

void TkdbCustomDemon::WMCopyData(TWindowMessage& Message)
{
    const TCopyDataStruct& CopyData = *Message.CopyData;
    std::unique_ptr<TLernixMessageStream> Msg;
    try {
        Msg = DecodeFrame(CopyData.dwData, Message.WParam, CopyData.lpData, CopyData.cbData, this);
    } catch (const EBadFrame& E) {
        qWarning("host link: dropped a message of kind %d: %s", CopyData.dwData, E.what());
        return;
    }
    HandleMessage(Msg);
}

void TkdbCustomDemon::HandleMessage(std::unique_ptr<TLernixMessageStream>& Msg)
{
    switch (Msg->MsgKind) {
    case lmQuit: {
        FServerDown = ReadStreamBoolean(*Msg);
        bool AllowQuit = true;
        if (FOnQuitMsgReceived)
            FOnQuitMsgReceived(this, FServerDown, AllowQuit);
        if (AllowQuit)
            ReleaseOnQuit();
        break;
    }
    case lmReply:
        // A reply nobody waits for would only take memory: a peer could send any number.
        if (std::find(FAwaited.begin(), FAwaited.end(), Msg->Stamp()) == FAwaited.end()
            || FindPendingReply(Msg->Stamp())) {
            qWarning("host link: dropped a reply from window %lld that no request waits for",
                static_cast<long long>(Msg->SenderEntity->Handle));
            break;
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

bool TkdbCustomDemon::IsWindow(TWindowHandle Handle) const
{
    if (Handle <= 0)
        return false;
    // The own window lives until this component tears it down; every send asks.
    if (Handle == FOwnEntity->Handle)
        return true;
    return FMessaging && FMessaging->IsWindow(Handle);
}

void TkdbCustomDemon::ServeUntilReadable(int Fd)
{
    if (!FMessaging) {
        pollfd Watch { Fd, POLLIN, 0 };
        while (::poll(&Watch, 1, -1) < 0 && errno == EINTR) { }
        return;
    }
    ++FSendDepth;
    FMessaging->ServeUntilReadable(Fd);
    if (--FSendDepth == 0 && FQuitDeferred)
        deleteLater();
}

void TkdbCustomDemon::ReleaseOnQuit()
{
    if (FSendDepth > 0)
        FQuitDeferred = true;
    else
        deleteLater();
}
