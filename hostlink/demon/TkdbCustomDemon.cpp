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

#include <QCoreApplication>
#include <QtDebug>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

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
        if (FUseVandrelServer) {
            qWarning("host link: %s", FLinkProblem.c_str());
            throw ELernix(CouldNotCreateWindow);
        }
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
    const QStringList Arguments = QCoreApplication::arguments();
    FParams.assign(1, Arguments.isEmpty() ? std::string() : Arguments.front().toLocal8Bit().toStdString());
    for (std::string& Parameter : CommandLineParameters())
        if (!Parameter.starts_with(ServerHandleSwitch))
            FParams.push_back(std::move(Parameter));
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
        return;
    }
    if (const std::unique_ptr<TEntity> First = FindEntityByTitle(ApplicationTitle())) {
        TLernixMessageStream Params(this);
        Params.MsgKind = lmParams;
        WriteParamListText(Params, FParams);
        Send(*First, Params, nullptr);
    }
    throw TProgramHalt { 0 };
}

void TkdbCustomDemon::LoadTranslation()
{
    if (FUseVandrelServer) {
        const std::unique_ptr<TMemoryStream> Dictionary
            = GetFileStream(DictionaryFileName(ResolveFileName(ApplicationFileName())));
        if (Dictionary) {
            const std::vector<std::uint8_t>& Bytes = Dictionary->Bytes();
            std::string Text(Bytes.begin(), Bytes.end());
            std::istringstream In(std::move(Text));
            FTranslator->LoadFromStream(In);
        }
    } else if (const std::string File = StandaloneDictionaryFile(ApplicationFileName(), ProcessEnvironment);
               !File.empty()) {
        std::ifstream In(File, std::ios::binary);
        if (In)
            FTranslator->LoadFromStream(In);
    }
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
        qWarning("host link: no hidden window: %s", E.what());
        throw ELernix(CouldNotCreateWindow);
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
    if (Target.Handle > 0) {
        ++FSendDepth;
        FMessaging->SendCopyData(Target.Handle, FOwnEntity->Handle, Msg.MsgKind, Data);
        if (--FSendDepth == 0 && FQuitDeferred)
            deleteLater();
    }
    const TLernixMessageStream* Found = FindPendingReply(Msg.Stamp());
    if (!Found)
        return;
    const auto At
        = std::find_if(FPending.begin(), FPending.end(), [Found](const auto& P) { return P.get() == Found; });
    const std::unique_ptr<TLernixMessageStream> Claimed = std::move(*At);
    FPending.erase(At);
    if (Reply)
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

bool TkdbCustomDemon::IsWindow(TWindowHandle Handle) const
{
    if (Handle <= 0)
        return false;
    // The own window lives until this component tears it down; every send asks.
    if (Handle == FOwnEntity->Handle)
        return true;
    return FMessaging && FMessaging->IsWindow(Handle);
}

void TkdbCustomDemon::ReleaseOnQuit()
{
    if (FSendDepth > 0)
        FQuitDeferred = true;
    else
        deleteLater();
}
